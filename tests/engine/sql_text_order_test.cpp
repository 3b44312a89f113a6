// Text compares in Access's General sort order: accents after their letter, hyphens and apostrophes only
// breaking ties, case ignored; equal only when Access finds them equal too, and ties broken to a total order.
#include <gtest/gtest.h>

#include <random>

#include "jet_test_files.h"
#include "sql/Sql.h"
#include "sql/TextCollation.h"

namespace querimo {
namespace {

using jet::TextOrder;

constexpr TextOrder knownOrders[] = {TextOrder::General97, TextOrder::General, TextOrder::General2010};

TEST(TextOrder, FollowsTheGeneralSortOrder)
{
    for (const TextOrder order : knownOrders) {
        SCOPED_TRACE(static_cast<int>(order));
        const auto cmp = [order](const char* a, const char* b) { return sql::compareText(a, b, order); };
        EXPECT_EQ(cmp("abc", "ABC"), 0);
        EXPECT_EQ(cmp("\xC3\x89mile", "\xC3\xA9MILE"), 0);  // Émile, éMILE
        EXPECT_LT(cmp("\xC3\xA9mile", "f"), 0);             // émile sorts with e, before f
        EXPECT_GT(cmp("\xC3\xA9mile", "emile"), 0);         // and after the plain letter
        EXPECT_LT(cmp("\xC3\xA9mile", "emilf"), 0);
        EXPECT_NE(cmp("e", "\xC3\xA9"), 0);  // accents count
        EXPECT_LT(cmp("ab", "abc"), 0);
        EXPECT_LT(cmp("", "a"), 0);
        EXPECT_LT(cmp("b", "b "), 0);  // spaces at the end break a tie: equal only when equal
        EXPECT_LT(cmp("9", "a"), 0);
        EXPECT_LT(cmp("a b", "ab"), 0);
    }
    for (const TextOrder order : {TextOrder::General, TextOrder::General2010}) {
        const auto cmp = [order](const char* a, const char* b) { return sql::compareText(a, b, order); };
        EXPECT_NE(cmp("co-op", "coop"), 0);  // punctuation breaks ties
        EXPECT_GT(cmp("co-op", "coop"), 0);
        EXPECT_LT(cmp("co-op", "coopa"), 0);
        EXPECT_GT(cmp("-z", "y"), 0);  // sorts with z
        EXPECT_LT(cmp("-z", "za"), 0);
        EXPECT_LT(cmp("o'neil", "oneila"), 0);
        // ß has the keys of ss; the tie is broken so that the two stay unequal, as compareFolded has them.
        EXPECT_EQ(sql::compareSortKeys("Stra\xC3\x9F"
                                       "e",
                                       "STRASSE", order),
                  0);
        EXPECT_NE(cmp("Stra\xC3\x9F"
                      "e",
                      "STRASSE"),
                  0);
    }
    // An order without codes compares code points after case folding.
    EXPECT_GT(sql::compareText("\xC3\xA9mile", "f", TextOrder::Unknown), 0);
    EXPECT_LT(sql::compareText("_x", "a", TextOrder::Unknown), 0);
}

TEST(TextOrder, QuickPathAgreesWithTheSortKeys)
{
    // Plain letters, digits and spaces are compared without keys; every other text through them.
    const std::string alphabet = "aAbBzZ09 -'\xC3\xA9\xC3\x89\xC3\xA8\xC3\x9F";
    const auto pieceAt = [&](std::size_t i) {
        const unsigned char c = static_cast<unsigned char>(alphabet[i]);
        return c >= 0xC0 ? alphabet.substr(i, 2) : alphabet.substr(i, 1);
    };
    std::vector<std::string> pieces;
    for (std::size_t i = 0; i < alphabet.size(); i += (static_cast<unsigned char>(alphabet[i]) >= 0xC0 ? 2 : 1))
        pieces.push_back(pieceAt(i));
    std::mt19937 random(77);
    const auto randomText = [&] {
        std::string text;
        for (unsigned n = random() % 6; n > 0; --n) text += pieces[random() % pieces.size()];
        return text;
    };
    for (const TextOrder order : knownOrders) {
        for (int i = 0; i < 20000; ++i) {
            const std::string a = randomText(), b = randomText();
            const int byKeys = jet::textSortKey(order, a).compare(jet::textSortKey(order, b));
            const int expected = byKeys != 0 ? (byKeys > 0) - (byKeys < 0) : sql::compareFolded(a, b);
            ASSERT_EQ(sql::compareText(a, b, order), expected)
                << static_cast<int>(order) << " '" << a << "' '" << b << "'";
            ASSERT_EQ(sql::compareText(b, a, order), -expected);
        }
    }
}

TEST(TextOrder, StatementsCompareGroupAndJoinInOneOrder)
{
    test::ScratchDir scratch;
    std::vector<std::string> statements = {"CREATE TABLE T (Naam TEXT(20))"};
    for (const char* name : {"abc", "ABC",
                             "Stra\xC3\x9F"
                             "e",
                             "STRASSE", "e", "\xC3\xA9", "co-op", "coop", "\xC3\xA9mile", "f"})
        statements.push_back(std::string("INSERT INTO T VALUES ('") + name + "')");
    jet::OpenOptions options;
    options.path = scratch.database(jet::Version::Jet4, statements);
    const auto db = jet::Database::open(options);
    const auto count = [&](const std::string& text) { return sql::run(*db, text).rows->value(0, 0).integer; };
    EXPECT_EQ(count("SELECT Count(*) FROM (SELECT DISTINCT Naam FROM T) AS s"), 9);
    EXPECT_EQ(count("SELECT Count(*) FROM (SELECT Naam FROM T GROUP BY Naam) AS s"), 9);
    EXPECT_EQ(count("SELECT Count(*) FROM (SELECT Naam FROM T UNION SELECT Naam FROM T) AS s"), 9);
    EXPECT_EQ(count("SELECT Count(*) FROM T AS a INNER JOIN T AS b ON a.Naam = b.Naam"), 12);
    EXPECT_EQ(count("SELECT Count(*) FROM T WHERE Naam = '\xC3\xA9'"), 1);
    EXPECT_EQ(count("SELECT Count(*) FROM T WHERE Naam = 'coop'"), 1);
    EXPECT_EQ(count("SELECT Count(*) FROM T WHERE Naam BETWEEN 'e' AND 'f'"), 4);  // e, é, émile, f
    const auto rows =
        sql::run(*db, "SELECT Naam FROM T WHERE Naam Like 'c*' OR Naam Like 'f*' ORDER BY Naam DESC").rows;
    ASSERT_EQ(rows->rowCount(), 3u);
    EXPECT_EQ(rows->value(0, 0).bytes, "f");
    EXPECT_EQ(rows->value(1, 0).bytes, "co-op");
    EXPECT_EQ(rows->value(2, 0).bytes, "coop");
}

}  // namespace
}  // namespace querimo
