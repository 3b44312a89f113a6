// A view's SELECT decomposed into MSysQueries rows: the rebuilt text of those rows is the text again, for
// hand-written queries and for every stored select, crosstab, union and make-table query of the corpus.
#include <gtest/gtest.h>

#include "jet_test_files.h"
#include "sql/QueryRows.h"
#include "sql/QueryText.h"

namespace querimo {
namespace {

std::string roundTrip(const std::string& text)
{
    return sql::rebuildQueryText(sql::decomposeQuery(text));
}

const jet::QueryRow* find(const std::vector<jet::QueryRow>& rows, int attribute, std::size_t nth = 0)
{
    for (const jet::QueryRow& r : rows)
        if (r.attribute == attribute && nth-- == 0) return &r;
    return nullptr;
}

TEST(ViewRows, SelectClausesKeepTheirTextAndFlags)
{
    const std::string text = "SELECT DISTINCT TOP 5 PERCENT Customers.City, Count(o.OrderID) AS Aantal\n"
                             "FROM Customers INNER JOIN Orders AS o ON Customers.CustomerID = o.CustomerID\n"
                             "WHERE (((Customers.Country)='UK' Or Mid(Customers.Country, 1, 1) In ('G','N')))\n"
                             "GROUP BY Customers.City\n"
                             "HAVING Count(*) > (SELECT Count(*) FROM Orders WHERE Freight > 1)\n"
                             "ORDER BY Count(o.OrderID) DESC, Customers.City";
    const auto rows = sql::decomposeQuery(text);
    EXPECT_EQ(rows.front().attribute, 0);
    EXPECT_EQ(rows.back().attribute, 255);
    EXPECT_EQ(find(rows, 1)->flag, 1);
    EXPECT_EQ(find(rows, 3)->flag, 0x02 | 0x10 | 0x20);
    EXPECT_EQ(find(rows, 3)->name1, "5");
    EXPECT_EQ(find(rows, 6, 1)->expression, "Count(o.OrderID)");
    EXPECT_EQ(find(rows, 6, 1)->name1, "Aantal");
    EXPECT_EQ(find(rows, 5, 1)->name1, "Orders");
    EXPECT_EQ(find(rows, 5, 1)->name2, "o");
    EXPECT_EQ(find(rows, 7)->flag, 1);
    EXPECT_EQ(find(rows, 7)->name2, "o");
    EXPECT_EQ(find(rows, 11)->name1, "D");
    EXPECT_EQ(sql::rebuildQueryText(rows), text);
}

TEST(ViewRows, NestedJoinsParametersStarAndOwnerAccess)
{
    const std::string text =
        "PARAMETERS [Vanaf datum] DateTime, [Forms]![F]![Nr] Long, X Value;\n"
        "SELECT DISTINCTROW *, A.x\n"
        "FROM (A LEFT JOIN B ON A.k = B.k) RIGHT JOIN (C INNER JOIN [Order Details] AS d ON C.i = d.i) "
        "ON B.j = C.j AND B.i = C.i\n"
        "WHERE A.d >= [Vanaf datum] And A.n = [Forms]![F]![Nr]\n"
        "WITH OWNERACCESS OPTION";
    EXPECT_EQ(roundTrip(text), text);
}

TEST(ViewRows, UnionCrosstabMakeTableAndDerivedTables)
{
    const std::string parts = "SELECT a FROM T1 UNION SELECT b FROM T2\nUNION ALL\nSELECT c FROM T3\nORDER BY a DESC";
    EXPECT_EQ(roundTrip(parts), parts);
    EXPECT_EQ(find(sql::decomposeQuery(parts), 5)->expression, "SELECT a FROM T1 UNION SELECT b FROM T2");

    const std::string crosstab = "TRANSFORM Sum(Qty) AS Total\nSELECT Product, Count(*) AS N\nFROM Sales\n"
                                 "GROUP BY Product\nPIVOT Format([SaleDate],\"yyyy\") IN ('2003','2004')";
    EXPECT_EQ(roundTrip(crosstab), crosstab);
    EXPECT_EQ(sql::storedQueryType(sql::decomposeQuery(crosstab)), 6);

    EXPECT_EQ(roundTrip("SELECT Orders.* INTO [Oude orders]\nFROM Orders"),
              "SELECT Orders.* INTO [Oude orders]\nFROM Orders");
    // A query in FROM is stored as Access stores it: as the name of the table.
    EXPECT_EQ(roundTrip("SELECT q.n FROM (SELECT Count(*) AS n FROM T) AS q"),
              "SELECT q.n\nFROM [SELECT Count(*) AS n FROM T] AS q");
    EXPECT_THROW(sql::decomposeQuery("SELECT q.n FROM (SELECT [a b] FROM T) AS q"), DbError);
}

TEST(ViewRows, ColumnListNamesTheOutputAndMustFit)
{
    auto rows = sql::decomposeQuery("SELECT a, b + 1 FROM T");
    sql::nameOutputColumns(rows, {"Een", "Twee"}, 12);
    EXPECT_EQ(sql::rebuildQueryText(rows), "SELECT a AS Een, b + 1 AS Twee\nFROM T");
    EXPECT_THROW(sql::nameOutputColumns(rows, {"Een"}, 12), DbError);
    auto star = sql::decomposeQuery("SELECT * FROM T");
    EXPECT_THROW(sql::nameOutputColumns(star, {"Een"}, 12), DbError);
}

TEST(ViewRows, RejectedTextGivesTheParsersMessage)
{
    const DbError e = test::errorFrom([] { sql::decomposeQuery("SELECT a FROM T WHERE"); });
    EXPECT_EQ(e.number(), errc::syntax);
    EXPECT_NE(e.description().find("positie 22"), std::string::npos) << e.description();
    EXPECT_THROW(sql::decomposeQuery("DELETE FROM T"), DbError);
}

// Every stored query the decomposition can hold: its text, decomposed and rebuilt, is the same text.
TEST(ViewRows, EveryStoredQueryOfTheCorpusRoundTrips)
{
    int checked = 0;
    for (const char* file : {"northwind-jet4.mdb", "queryTestV1997.mdb", "queryTestV2000.mdb"}) {
        QUERIMO_REQUIRE_CORPUS_FILE(file);
        const auto db = test::openCorpus(file);
        for (const jet::CatalogEntry& e : db->catalog()) {
            if (e.kind != jet::ObjectKind::Query) continue;
            const auto rows = db->queryRows(e.id);
            const int type = sql::storedQueryType(rows);
            if (type != 1 && type != 2 && type != 6 && type != 9) continue;  // action and pass-through queries
            const std::string text = sql::rebuildQueryText(rows);
            SCOPED_TRACE(std::string(file) + ": " + e.name + "\n" + text);
            try {
                const auto again = sql::decomposeQuery(text);
                EXPECT_EQ(sql::rebuildQueryText(again), text);
                EXPECT_EQ(sql::storedQueryType(again), type);
                ++checked;
            } catch (const DbError& error) {
                ADD_FAILURE() << error.description();
            }
        }
    }
    EXPECT_GE(checked, 50);
}

}  // namespace
}  // namespace querimo
