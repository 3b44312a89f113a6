// Access SQL turned into PostgreSQL for views, without a server: the pieces whose mistakes a loaded view would
// only show on particular data (dates, patterns), and the reasons a query stays a comment.
#include <gtest/gtest.h>

#include "cli/PostgresView.h"
#include "cli/PostgresViewParts.h"

namespace querimo::test {
namespace {

using cli::Untranslatable;

TEST(ViewTranslation, DateLiteralsAndLikePatterns)
{
    EXPECT_EQ(cli::timestampLiteral("12/31/1997"), "TIMESTAMP '1997-12-31 00:00:00'");
    EXPECT_EQ(cli::timestampLiteral("1/2/2024 1:05:09 PM"), "TIMESTAMP '2024-01-02 13:05:09'");
    EXPECT_EQ(cli::timestampLiteral("1/2/2024 12:30 AM"), "TIMESTAMP '2024-01-02 00:30:00'");
    EXPECT_EQ(cli::timestampLiteral("0100-01-01 23:59:59"), "TIMESTAMP '0100-01-01 23:59:59'");
    EXPECT_THROW(cli::timestampLiteral("10:00"), Untranslatable);

    // % and _ are plain characters in Access patterns
    EXPECT_EQ(cli::likeMatch("x", "*50%_?", false), "(x ILIKE '%50\\%\\__')");
    EXPECT_EQ(cli::likeMatch("x", "A#[!a-c][*].", true), "(x !~* '^A[0-9][^a-c][*]\\.$')");
    EXPECT_THROW(cli::likeMatch("x", "[abc", false), Untranslatable);
}

TEST(ViewTranslation, TranslatesOrNamesWhyNot)
{
    const std::vector<cli::ViewSource> sources{
        {"Klant", {{"Nr", cli::ValueKind::Integer}, {"Naam", cli::ValueKind::Text}}, true}};
    EXPECT_EQ(cli::translateView("SELECT TOP 3 k.Naam FROM klant AS k WHERE naam = 'abc' ORDER BY Nr DESC", sources),
              "SELECT \"k\".\"Naam\" FROM \"Klant\" AS \"k\" WHERE (lower(\"k\".\"Naam\") = lower('abc')) "
              "ORDER BY \"k\".\"Nr\" DESC FETCH FIRST 3 ROWS WITH TIES");
    const auto reason = [&](const std::string& accessSql) {
        try {
            cli::translateView(accessSql, sources);
        } catch (const Untranslatable& e) {
            return std::string(e.what());
        }
        return std::string("omgezet");
    };
    EXPECT_EQ(reason("PARAMETERS p Long; SELECT Nr FROM Klant WHERE Nr = p"), "hij vraagt om parameters");
    EXPECT_EQ(reason("SELECT Nr FROM Klant WHERE Nr = [Welk nummer?]"),
              "'Welk nummer?' is geen kolom van de query (een parameter?)");
    EXPECT_EQ(reason("DELETE FROM Klant"), "het is geen selectiequery");
    EXPECT_EQ(reason("TRANSFORM Count(Nr) SELECT Naam FROM Klant GROUP BY Naam PIVOT Nr"),
              "het is een kruistabelquery (TRANSFORM)");
    EXPECT_EQ(reason("SELECT TOP 10 PERCENT Nr FROM Klant"), "TOP ... PERCENT wordt niet omgezet");
    EXPECT_EQ(reason("SELECT Nr FROM Elders"), "hij leest uit 'Elders', dat niet is omgezet");
    EXPECT_EQ(reason("SELECT Naam FROM Klant WHERE Naam = 1"),
              "waarden van verschillende soort worden vergeleken of samengevoegd");
    EXPECT_EQ(reason("SELECT Nr And 1 FROM Klant"), "AND op getallen (bitsgewijs) wordt niet omgezet");
}

}  // namespace
}  // namespace querimo::test
