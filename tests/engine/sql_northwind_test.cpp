// End to end over the Access sample database: stored queries run and return what they should. Expected
// values were worked out independently: mdb-export's rows loaded into plain sqlite3 with equivalent queries.
#include <gtest/gtest.h>

#include "jet_test_files.h"
#include "sql/Execution.h"
#include "sql/Parser.h"
#include "sql/Sql.h"

namespace querimo {
namespace {

using t = sql::DataType;

class Northwind : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUERIMO_REQUIRE_CORPUS_FILE("northwind-jet4.mdb");
        db = test::openCorpus("northwind-jet4.mdb");
    }
    sql::QueryResult run(const std::string& text, const sql::ParameterValues& values = {})
    {
        return sql::runQuery(*db, sql::parseStatement(text), values);
    }
    static double number(const Value& v)
    {
        return v.kind == Value::Kind::Currency ? static_cast<double>(v.integer) / 10000.0
               : v.kind == Value::Kind::Double || v.kind == Value::Kind::Single ? v.real
                                                                                : static_cast<double>(v.integer);
    }

    std::unique_ptr<jet::Database> db;
};

TEST_F(Northwind, TotalsOverWholeTables)
{
    const auto r = run("SELECT Count(*), Sum(Freight), Min(OrderDate) FROM Orders");
    EXPECT_EQ(r.rows->value(0, 0), Value::int32(830));
    EXPECT_EQ(r.rows->value(0, 1), Value::currency(649426900));
    EXPECT_EQ(r.columns[1].dataType, t::Currency);
    EXPECT_EQ(r.columns[2].dataType, t::Date);
    EXPECT_EQ(run("SELECT * FROM [Order Details]").rows->rowCount(), 2155u);
}

TEST_F(Northwind, StoredSelectQueriesReturnTheirRows)
{
    EXPECT_EQ(run("SELECT * FROM [Current Product List]").rows->rowCount(), 69u);
    EXPECT_EQ(run("SELECT * FROM [Products Above Average Price]").rows->rowCount(), 25u);

    const auto top = run("SELECT * FROM [Ten Most Expensive Products]");
    ASSERT_EQ(top.rows->rowCount(), 10u);
    EXPECT_EQ(top.rows->value(0, 0), Value::text("Côte de Blaye"));
    EXPECT_EQ(top.rows->value(0, 1), Value::currency(2635000));
    EXPECT_EQ(top.rows->value(9, 0), Value::text("Rössle Sauerkraut"));

    const auto subtotals = run("SELECT Count(*), Sum(Subtotal) FROM [Order Subtotals]");
    EXPECT_EQ(subtotals.rows->value(0, 0), Value::int32(830));
    EXPECT_NEAR(number(subtotals.rows->value(0, 1)), 1265792.99, 0.5);  // CCur rounds half to even
}

TEST_F(Northwind, StoredUnionAndCrosstab)
{
    EXPECT_EQ(run("SELECT * FROM [Customers and Suppliers by City]").rows->rowCount(), 120u);

    const auto crosstab = run("SELECT * FROM [Quarterly Orders by Product]");
    ASSERT_EQ(crosstab.columns.size(), 7u);
    EXPECT_EQ(crosstab.columns[3].name, "Qtr 1");
    EXPECT_EQ(crosstab.columns[6].name, "Qtr 4");
    EXPECT_EQ(crosstab.columns[3].dataType, t::Currency);
    EXPECT_EQ(crosstab.rows->rowCount(), 947u);
    const auto firstQuarter = run("SELECT Sum([Qtr 1]) FROM [Quarterly Orders by Product]");
    EXPECT_NEAR(number(firstQuarter.rows->value(0, 0)), 138288.91, 0.5);
}

TEST_F(Northwind, EveryStoredSelectUnionAndCrosstabRuns)
{
    sql::Catalog catalog(*db);
    int ran = 0;
    for (const sql::StoredQuery* q : catalog.queries()) {
        if (!q->selects()) continue;
        SCOPED_TRACE(q->name + ":\n" + q->sql);
        const sql::Statement st = sql::parseStatement(q->sql);
        sql::ParameterValues values;
        const auto parameters = sql::prepare(*db, q->sql).parameters();
        for (const auto& p : parameters)
            values.emplace_back(p.name, p.type == t::Date ? (values.empty() ? "1/1/1997" : "12/31/1997") : "1");
        EXPECT_NO_THROW(sql::runQuery(*db, st, values));
        ++ran;
    }
    EXPECT_GE(ran, 40);
}

TEST_F(Northwind, ParameterQueriesAskAndViewsAreListed)
{
    const auto p = sql::prepare(*db, "SELECT * FROM [Employee Sales by Country]").parameters();
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].name, "Beginning Date");
    EXPECT_EQ(p[1].name, "Ending Date");
    EXPECT_EQ(p[0].type, t::Date);

    bool found = false;
    for (const sql::View& v : sql::databaseViews(*db)) {
        EXPECT_NE(v.name, "Employee Sales by Country");
        EXPECT_NE(v.name.front(), '~');
        if (v.name == "Current Product List") {
            found = true;
            ASSERT_EQ(v.columns.size(), 2u);
            EXPECT_EQ(v.columns[0].name, "ProductID");
            EXPECT_EQ(v.columns[0].type, t::Integer);
        }
    }
    EXPECT_TRUE(found);
}

// The 28 orders shipped to Mexico come from 5 customers: DISTINCTROW keeps one row per customer record,
// counted independently with plain sqlite3 over mdb-export's rows.
TEST_F(Northwind, DistinctRowKeepsOneRowPerSelectedRecord)
{
    const std::string from = " FROM Customers AS c INNER JOIN Orders AS o ON c.CustomerID = o.CustomerID "
                             "WHERE o.ShipCountry = 'Mexico'";
    EXPECT_EQ(run("SELECT c.CompanyName" + from).rows->rowCount(), 28u);
    EXPECT_EQ(run("SELECT DISTINCTROW c.CompanyName" + from).rows->rowCount(), 5u);
    EXPECT_EQ(run("SELECT DISTINCTROW c.CompanyName, o.OrderID" + from).rows->rowCount(), 28u);
    // Customers in one country share it: the value repeats, one row per customer.
    EXPECT_EQ(run("SELECT DISTINCTROW c.Country" + from).rows->rowCount(), 5u);
}

TEST_F(Northwind, RebuiltTextOfSimpleStoredQueries)
{
    sql::Catalog catalog(*db);
    const sql::StoredQuery* q = catalog.findQuery("Ten Most Expensive Products");
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->sql, "SELECT TOP 10 Products.ProductName AS TenMostExpensiveProducts, Products.UnitPrice\n"
                      "FROM Products\nORDER BY Products.UnitPrice DESC");
}

// One stored query of each kind over empty tables.
void checkStoredQueries(jet::Database& db)
{
    sql::Catalog catalog(db);
    const sql::StoredQuery* select = catalog.findQuery("SelectQuery");
    ASSERT_NE(select, nullptr);
    EXPECT_EQ(select->sql,
              "SELECT DISTINCT Table1.*, Table2.col1, Table2.col2, Table3.col3\n"
              "FROM (Table1 LEFT JOIN Table3 ON Table1.col1 = Table3.col1) INNER JOIN Table2 ON Table3.col1 = "
              "Table2.col1 AND Table3.col1 = Table2.col2\n"
              "WHERE (((Table2.col2)=\"foo\" Or (Table2.col2) In (\"buzz\",\"bazz\")))\n"
              "ORDER BY Table2.col1");
    const auto rows = sql::runQuery(db, sql::parseStatement("SELECT * FROM SelectQuery"), {});
    EXPECT_EQ(rows.rows->rowCount(), 0u);
    EXPECT_EQ(rows.columns.size(), db.table("Table1").columns.size() + 3);

    EXPECT_EQ(catalog.findQuery("UnionQuery")->type, 9);
    EXPECT_EQ(catalog.findQuery("DeleteQuery")->sql, "DELETE Table1.col1, Table1.col2, Table1.col3\nFROM Table1\n"
                                                     "WHERE (((Table1.col1)>\"blah\"))");
    // This crosstab filters on an aggregate in WHERE, which Access refuses too.
    const DbError e =
        test::errorFrom([&] { sql::runQuery(db, sql::parseStatement("SELECT * FROM CrosstabQuery"), {}); });
    EXPECT_NE(e.description().find("WHERE"), std::string::npos) << e.description();
    EXPECT_NE(e.description().find("'CrosstabQuery'"), std::string::npos) << e.description();
}

TEST(QueryTestFiles, StoredQueriesRebuildAndRunAsAccessWould)
{
    for (const char* file : {"queryTestV1997.mdb", "queryTestV2000.mdb"}) {
        QUERIMO_REQUIRE_CORPUS_FILE(file);
        SCOPED_TRACE(file);
        checkStoredQueries(*test::openCorpus(file));
    }
}

}  // namespace
}  // namespace querimo
