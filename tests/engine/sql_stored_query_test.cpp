// Stored queries: their SQL rebuilt from MSysQueries rows, used by name as sources, and reported as views.
#include <gtest/gtest.h>

#include "sql/QueryText.h"
#include "sql/Sql.h"
#include "sql_fake_database.h"

namespace querimo {
namespace {

jet::QueryRow row(int attribute, std::string expression, int flag = 0, std::string name1 = {}, std::string name2 = {})
{
    jet::QueryRow r;
    r.attribute = attribute;
    r.expression = std::move(expression);
    r.flag = flag;
    r.name1 = std::move(name1);
    r.name2 = std::move(name2);
    return r;
}

// Rows as Access stores a select with a join, a filter, grouping and an order (attribute numbers:
// 1 type, 3 flags, 5 tables, 6 columns, 7 joins, 8 where, 9 group by, 11 order by).
std::vector<jet::QueryRow> ordersPerCity()
{
    return {row(0, ""),
            row(1, "", 1),
            row(3, "", 0),
            row(5, "", 0, "Customers"),
            row(5, "", 0, "Orders", "o"),
            row(6, "Customers.City"),
            row(6, "Count(o.OrderID)", 0, "Aantal"),
            row(7, "Customers.CustomerID = o.CustomerID", 1, "Customers", "o"),
            row(8, "(((Customers.Country)='UK' Or (Customers.Country)='Germany'))"),
            row(9, "Customers.City"),
            row(11, "Count(o.OrderID)", 0, "D"),
            row(255, "")};
}

TEST(StoredQueryText, RebuildsSelectJoinsAndClauses)
{
    EXPECT_EQ(sql::rebuildQueryText(ordersPerCity()),
              "SELECT Customers.City, Count(o.OrderID) AS Aantal\n"
              "FROM Customers INNER JOIN Orders AS o ON Customers.CustomerID = o.CustomerID\n"
              "WHERE (((Customers.Country)='UK' Or (Customers.Country)='Germany'))\n"
              "GROUP BY Customers.City\n"
              "ORDER BY Count(o.OrderID) DESC");
}

TEST(StoredQueryText, RebuildsNestedJoinsTopParametersUnionAndCrosstab)
{
    const std::vector<jet::QueryRow> nested = {row(1, "", 1),
                                               row(2, "", 8, "Vanaf"),
                                               row(2, "", 4, "[Forms]![F]![Nr]"),
                                               row(3, "", 0x10 | 0x02, "5"),
                                               row(5, "", 0, "A"),
                                               row(5, "", 0, "B"),
                                               row(5, "", 0, "Order Details"),
                                               row(6, "A.x"),
                                               row(7, "A.k = B.k", 2, "A", "B"),
                                               row(7, "B.j = [Order Details].j", 1, "B", "Order Details"),
                                               row(7, "B.i = [Order Details].i", 1, "B", "Order Details")};
    EXPECT_EQ(sql::rebuildQueryText(nested), "PARAMETERS Vanaf DateTime, [Forms]![F]![Nr] Long;\nSELECT DISTINCT TOP 5 "
                                             "A.x\nFROM (A LEFT JOIN B ON A.k = B.k) INNER JOIN "
                                             "[Order Details] ON B.j = [Order Details].j AND B.i = [Order Details].i");

    const std::vector<jet::QueryRow> unionRows = {row(1, "", 9), row(3, "", 0x02),
                                                  row(5, "SELECT a FROM A", 0, "", "X7YZ_____1"),
                                                  row(5, "SELECT b FROM B", 0, "", "X7YZ_____2"), row(11, "a")};
    EXPECT_EQ(sql::rebuildQueryText(unionRows), "SELECT a FROM A\nUNION\nSELECT b FROM B\nORDER BY a");
    EXPECT_EQ(sql::storedQueryType(unionRows), 9);

    const std::vector<jet::QueryRow> crosstab = {
        row(1, "", 6),    row(5, "", 0, "T"),        row(6, "Sum(T.v)", 0, "Totaal"),
        row(6, "T.r", 2), row(6, "T.c In (1,2)", 1), row(9, "T.r", 2),
        row(9, "T.c", 1)};
    EXPECT_EQ(sql::rebuildQueryText(crosstab),
              "TRANSFORM Sum(T.v) AS Totaal\nSELECT T.r\nFROM T\nGROUP BY T.r\nPIVOT T.c In (1,2)");
}

class StoredQueries : public test::ShopQueries {
protected:
    void SetUp() override
    {
        db->addQuery("Orders per City", ordersPerCity());
        db->addQuery("Orders Since", {row(1, "", 1), row(2, "", 8, "Since"), row(5, "", 0, "Orders"),
                                      row(6, "Orders.OrderID"), row(8, "Orders.OrderDate >= [Since]")});
        db->addQuery("Loop", {row(1, "", 1), row(5, "", 0, "Loop"), row(6, "*")});
        db->addQuery("~sq_fForm", {row(1, "", 1), row(5, "", 0, "Orders"), row(6, "OrderID")});
        db->addQuery("Clean Up", {row(1, "", 5), row(5, "", 0, "Orders"), row(6, "Orders.*")});
    }
};

TEST_F(StoredQueries, UsableByNameAlsoInsideOtherQueries)
{
    const auto r = run("SELECT * FROM [orders per city]");
    ASSERT_EQ(r.rows->rowCount(), 2u);  // Berlin (ALFKI and alfki) and London ('London' and 'london')
    EXPECT_EQ(r.columns.at(1).name, "Aantal");
    EXPECT_EQ(r.rows->value(0, 1), Value::int32(2));
    EXPECT_EQ(r.rows->value(1, 1), Value::int32(2));

    const auto joined = run("SELECT Sum(q.Aantal) AS Totaal FROM [Orders per City] AS q WHERE q.City Like 'L*'");
    EXPECT_EQ(joined.rows->value(0, 0), Value::dbl(2));
}

TEST_F(StoredQueries, AStoredParameterQueryAsksForItsParameters)
{
    const auto params = sql::prepare(*db, "SELECT * FROM [Orders Since] WHERE OrderID > [Min]").parameters();
    ASSERT_EQ(params.size(), 2u);
    EXPECT_EQ(params[0].name, "Since");
    EXPECT_EQ(params[0].type, sql::DataType::Date);
    EXPECT_EQ(params[1].name, "Min");
    EXPECT_EQ(run("SELECT * FROM [Orders Since]", {{"Since", "3/1/2003"}}).rows->rowCount(), 2u);
}

TEST_F(StoredQueries, ViewsAreSelectQueriesWithoutParameters)
{
    const auto views = sql::databaseViews(*db);
    ASSERT_EQ(views.size(), 1u);  // not the parameter query, the broken loop, the form's query or the delete
    EXPECT_EQ(views[0].name, "Orders per City");
    ASSERT_EQ(views[0].columns.size(), 2u);
    EXPECT_EQ(views[0].columns[0].name, "City");
    EXPECT_EQ(views[0].columns[0].type, sql::DataType::VarWChar);
    EXPECT_EQ(views[0].columns[1].type, sql::DataType::Integer);
    EXPECT_TRUE(sql::databaseView(*db, "ORDERS PER CITY").has_value());
    EXPECT_FALSE(sql::databaseView(*db, "Orders Since").has_value());
}

TEST_F(StoredQueries, ASelfReferenceAndAnActionQueryAsSourceFailClearly)
{
    EXPECT_NE(failure("SELECT * FROM Loop").description().find("'Loop'"), std::string::npos);
    EXPECT_NE(failure("SELECT * FROM [Clean Up]").description().find("actiequery"), std::string::npos);
}

}  // namespace
}  // namespace querimo
