// Text through indexes gives exactly what a scan gives: the same random rows (mixed case, accents, ß,
// hyphens and apostrophes, spaces at the end, Null and empty text) in a table with ascending and descending
// text indexes and in one without any, asked the same equality, In, Like and range questions and sorted
// the same way; in Jet 3, Jet 4 and an .accdb in Access 2010's newer General order.
#include <gtest/gtest.h>

#include <random>

#include "jet_test_files.h"
#include "sql/Sql.h"
#include "sql/TextCollation.h"
#include "support/QueryPlan.h"
#include "writer_rows_support.h"

namespace querimo {
namespace {

// Pieces of text, some of whose case forms or accents share text codes and differ only in what follows.
const std::vector<std::string> pieces = {"a", "A", "á", "Á", "b", "B", "e", "E", "é", "É",  "ë", "s",
                                         "S", "ß", "o", "O", "ø", "Ø", "æ", "Æ", "ÿ", "Ÿ",  "µ", "z",
                                         "Z", "-", "'", " ", "1", "ñ", "Ñ", "k", "K", "st", "ST"};

std::string literal(const std::string& text)
{
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

enum class Kind { Jet3, Jet4, Accdb2010 };

std::string kindName(const ::testing::TestParamInfo<Kind>& info)
{
    return info.param == Kind::Jet3 ? "Jet3" : info.param == Kind::Jet4 ? "Jet4" : "Accdb2010";
}

class TextThroughIndexes : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override
    {
        const std::string columns = " (Nr LONG, Naam TEXT(40), Code TEXT(10))";
        const std::vector<std::string> statements = {"CREATE TABLE Geindexeerd" + columns, "CREATE TABLE Los" + columns,
                                                     "CREATE INDEX iNaam ON Geindexeerd (Naam)",
                                                     "CREATE INDEX iCodeNaam ON Geindexeerd (Code, Naam DESC)"};
        jet::OpenOptions options;
        if (GetParam() == Kind::Accdb2010) {
            options.path = (scratch.path() / "nieuw.accdb").string();
            jet::Database::createAccdb(options.path, 2010);
            db = jet::Database::open(options);
            for (const std::string& statement : statements) sql::run(*db, statement);
        } else {
            options.path =
                scratch.database(GetParam() == Kind::Jet3 ? jet::Version::Jet3 : jet::Version::Jet4, statements);
            db = jet::Database::open(options);
        }
        std::mt19937 random(1307);
        db->beginStatement();
        for (int nr = 1; nr <= 1200; ++nr) {
            const Value name = random() % 12 == 0 ? Value::null() : Value::text(randomText(random, 6));
            const Value code = Value::text(randomText(random, 2));
            for (const char* table : {"Geindexeerd", "Los"})
                db->insertRow(db->table(table), {Value::int32(nr), name, code});
            if (!name.isNull()) texts.push_back(name.bytes);
        }
        db->commitStatement();
    }

    std::string randomText(std::mt19937& random, unsigned longest)
    {
        std::string text;
        for (unsigned n = random() % (longest + 1); n > 0; --n) text += pieces[random() % pieces.size()];
        return text;
    }

    // The Nr column of a statement on both tables, in the order the rows came.
    std::vector<std::int64_t> numbers(const std::string& table, const std::string& rest)
    {
        const auto rows = sql::run(*db, "SELECT Nr FROM " + table + " " + rest).rows;
        std::vector<std::int64_t> out;
        for (std::size_t r = 0; r < rows->rowCount(); ++r) out.push_back(rows->value(r, 0).integer);
        return out;
    }

    // The Naam column of a statement, in the order the rows came.
    std::vector<std::optional<std::string>> names(const std::string& table, const std::string& rest)
    {
        const auto rows = sql::run(*db, "SELECT Naam FROM " + table + " " + rest).rows;
        std::vector<std::optional<std::string>> out;
        for (std::size_t r = 0; r < rows->rowCount(); ++r) {
            const Value v = rows->value(r, 0);
            out.push_back(v.isNull() ? std::nullopt : std::optional<std::string>(v.bytes));
        }
        return out;
    }

    // Sorted by Naam alone, the rows through the index come as the sorted scan's do, up to rows whose names
    // the collation finds equal.
    void expectSameOrder(const std::string& rest)
    {
        const auto indexed = names("Geindexeerd", rest), scanned = names("Los", rest);
        ASSERT_EQ(indexed.size(), scanned.size()) << rest;
        for (std::size_t r = 0; r < indexed.size(); ++r) {
            ASSERT_EQ(indexed[r].has_value(), scanned[r].has_value()) << rest << " row " << r;
            if (indexed[r]) {
                ASSERT_EQ(sql::compareText(*indexed[r], *scanned[r], db->textOrder()), 0)
                    << rest << " row " << r << ": " << *indexed[r] << " / " << *scanned[r];
            }
        }
    }

    void expectSameAsScan(const std::string& where)
    {
        const std::string rest = "WHERE " + where + " ORDER BY Nr";
        EXPECT_EQ(numbers("Geindexeerd", rest), numbers("Los", rest)) << where;
    }

    std::string plan(const std::string& text) { return test::queryPlan(*db, text); }

    test::ScratchDir scratch;
    std::unique_ptr<jet::Database> db;
    std::vector<std::string> texts;
};

TEST_P(TextThroughIndexes, EqualityAndInFindWhatAScanFinds)
{
    std::mt19937 random(5);
    for (int i = 0; i < 60; ++i) {
        std::string probe = texts[random() % texts.size()];
        if (i % 3 == 1) probe = randomText(random, 3);
        expectSameAsScan("Naam = " + literal(probe));
        expectSameAsScan("Code = " + literal(probe.substr(0, 2)) + " AND Naam = " + literal(probe));
    }
    expectSameAsScan("Naam IN ('', 'Ab', 'ss', 'SS', 'ß', 'a-b', " + literal(texts[3]) + ")");
    expectSameAsScan("Naam = 'ab '");
}

TEST_P(TextThroughIndexes, LikeStartsAreSoughtWithoutLosingRows)
{
    std::mt19937 random(8);
    std::vector<std::string> patterns = {"a*", "A*", "á*",  "e*",  "É*",   "s*",      "ss*", "SS*", "ß*", "st*", "-*",
                                         "'*", " *", "a *", "a-*", "ab?*", "b[a-z]*", "*a",  "?*",  "k*", "ÿ*",  "µ*"};
    for (int i = 0; i < 60; ++i) patterns.push_back(texts[random() % texts.size()].substr(0, 1 + random() % 4) + "*");
    for (const std::string& pattern : patterns) {
        expectSameAsScan("Naam Like " + literal(pattern));
        expectSameAsScan("Code = 'a' AND Naam Like " + literal(pattern));
        expectSameAsScan("Naam Not Like " + literal(pattern));
    }
    const std::string sought = plan("SELECT * FROM Geindexeerd WHERE Naam Like 'ab*'");
    EXPECT_NE(sought.find("INDEX -1:"), std::string::npos) << sought;
    const std::string scanned = plan("SELECT * FROM Geindexeerd WHERE Naam Like '*ab'");
    EXPECT_EQ(scanned.find("INDEX -1:"), std::string::npos) << scanned;
}

TEST_P(TextThroughIndexes, RangesAndOrderOfTextAreThoseOfTheCollation)
{
    std::mt19937 random(21);
    for (int i = 0; i < 40; ++i) {
        const std::string a = literal(texts[random() % texts.size()]), b = literal(randomText(random, 3));
        for (const std::string& where :
             {"Naam < " + a, "Naam >= " + a, "Naam BETWEEN " + b + " AND " + a, "Code = 'e' AND Naam > " + b})
            expectSameAsScan(where);
    }
    for (const char* order : {"ORDER BY Naam, Nr", "ORDER BY Naam DESC, Nr", "WHERE Code = 'a' ORDER BY Naam DESC, Nr"})
        EXPECT_EQ(numbers("Geindexeerd", order), numbers("Los", order)) << order;
}

TEST_P(TextThroughIndexes, IndexOrderServesOrderByAndRangesWithTiesInTheCollationsOrder)
{
    std::mt19937 random(34);
    for (int i = 0; i < 30; ++i) {
        const std::string a = literal(texts[random() % texts.size()]), b = literal(randomText(random, 2));
        for (const std::string& rest :
             {"WHERE Naam > " + a + " ORDER BY Naam", "WHERE Naam <= " + a + " ORDER BY Naam DESC",
              "WHERE Naam BETWEEN " + b + " AND " + a + " ORDER BY Naam",
              "WHERE Code = " + literal(texts[random() % texts.size()].substr(0, 2)) + " ORDER BY Naam DESC"})
            expectSameOrder(rest);
    }
    for (const char* rest : {"ORDER BY Naam", "ORDER BY Naam DESC", "WHERE Naam Like 'a*' ORDER BY Naam"})
        expectSameOrder(rest);
    // Ties the keys leave open (spaces at the end, ß and ss) come in the collation's order.
    db->beginStatement();
    for (const char* name : {"tie ", "TIE", "tie", "straße", "STRASSE", "Strasse "})
        for (const char* table : {"Geindexeerd", "Los"})
            db->insertRow(db->table(table), {Value::int32(9000), Value::text(name), Value::text("t")});
    db->commitStatement();
    expectSameOrder("WHERE Naam >= 'straße' ORDER BY Naam");
    expectSameOrder("WHERE Code = 't' ORDER BY Naam DESC");

    for (const char* text : {"SELECT * FROM Geindexeerd WHERE Naam > 'y' ORDER BY Naam",
                             "SELECT * FROM Geindexeerd WHERE Code = 'a' ORDER BY Naam DESC",
                             "SELECT * FROM Geindexeerd WHERE Code = 'a' AND Naam < 'm' ORDER BY Naam DESC"}) {
        const std::string sorted = plan(text);
        EXPECT_NE(sorted.find("INDEX -1:"), std::string::npos) << text << "\n" << sorted;
        EXPECT_EQ(sorted.find("TEMP B-TREE"), std::string::npos) << text << "\n" << sorted;
    }
    const std::string ranged = plan("SELECT * FROM Geindexeerd WHERE Naam BETWEEN 'ka' AND 'kb'");
    EXPECT_NE(ranged.find("INDEX -1:"), std::string::npos) << ranged;
    // Two text terms: the index would give the second one's ties in no order, so SQLite sorts.
    EXPECT_NE(plan("SELECT * FROM Geindexeerd ORDER BY Code, Naam DESC").find("TEMP B-TREE"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Versions, TextThroughIndexes, ::testing::Values(Kind::Jet4, Kind::Jet3, Kind::Accdb2010),
                         kindName);

}  // namespace
}  // namespace querimo
