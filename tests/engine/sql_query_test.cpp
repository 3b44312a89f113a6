// Queries run on Jet rows through SQLite: joins, grouping, ordering without letter case, TOP with ties,
// UNION, subqueries and crosstabs, checked against results worked out by hand from the shop data.
#include <gtest/gtest.h>

#include "sql/TextCollation.h"
#include "sql_fake_database.h"

namespace querimo {
namespace {

using t = sql::DataType;

class Queries : public test::ShopQueries {
protected:
    // The first column of every row, as text.
    std::vector<std::string> column(const std::string& text)
    {
        const auto r = run(text);
        std::vector<std::string> out;
        for (std::size_t i = 0; i < r.rows->rowCount(); ++i) {
            const Value v = r.rows->value(i, 0);
            out.push_back(v.isNull() ? "<null>" : v.kind == Value::Kind::Text ? v.bytes : std::to_string(v.integer));
        }
        return out;
    }
};

TEST_F(Queries, FilterAndOrderIgnoreLetterCase)
{
    EXPECT_EQ(column("SELECT CustomerID FROM Customers WHERE City = 'LONDON' ORDER BY CustomerID"),
              (std::vector<std::string>{"AROUT", "BSBEV"}));
    EXPECT_EQ(column("SELECT CompanyName FROM Customers ORDER BY CompanyName DESC"),
              (std::vector<std::string>{"zebra", "B's Beverages", "Around the Horn", "Alfreds"}));
    EXPECT_EQ(column("SELECT DISTINCT City FROM Customers WHERE City Is Not Null ORDER BY City").size(), 2u);
    EXPECT_EQ(column("SELECT CustomerID FROM Orders WHERE CustomerID Like 'alf*'").size(), 2u);
}

TEST_F(Queries, JoinsOnKeysMatchWithoutLetterCaseAndReadEachTableOnce)
{
    db->scans = 0;
    const auto r = run("SELECT Orders.OrderID, Customers.CompanyName FROM Customers INNER JOIN Orders "
                       "ON Customers.CustomerID = Orders.CustomerID ORDER BY Orders.OrderID");
    ASSERT_EQ(r.rows->rowCount(), 4u);
    EXPECT_EQ(r.rows->value(1, 1), Value::text("Alfreds"));  // 'alfki' joins 'ALFKI'
    EXPECT_LE(db->scans, 2);
    EXPECT_EQ(r.columns[0].name, "OrderID");

    const auto left = column("SELECT Customers.CustomerID, Orders.OrderID FROM Customers LEFT JOIN Orders "
                             "ON Customers.CustomerID = Orders.CustomerID WHERE Orders.OrderID Is Null");
    EXPECT_EQ(left, (std::vector<std::string>{"ZZZZZ"}));

    // Nested parentheses as Access writes them, and a comma join.
    const auto nested = run("SELECT Sum([Order Details].Quantity) AS Aantal FROM (Customers INNER JOIN Orders ON "
                            "Customers.CustomerID = Orders.CustomerID) INNER JOIN [Order Details] ON "
                            "Orders.OrderID = [Order Details].OrderID WHERE Customers.City = 'Berlin'");
    EXPECT_EQ(nested.rows->value(0, 0), Value::dbl(15));
    EXPECT_EQ(column("SELECT o.OrderID FROM Orders AS o, Customers AS c WHERE o.CustomerID = c.CustomerID AND "
                     "c.Country = 'UK' ORDER BY o.OrderID")
                  .size(),
              2u);
}

// A column name that several tables give is qualified by its table, every time it occurs; a name given with AS
// stays. A select far wider than SQLite allows is refused (in one pass over its names, not a pass per pair).
TEST_F(Queries, ColumnsOfOneNameFromSeveralTablesAreQualified)
{
    const auto r = run("SELECT a.CustomerID, b.customerid, c.CustomerID, c.City AS CustomerID, a.City FROM Customers "
                       "AS a, Customers AS b, Customers AS c WHERE a.CustomerID = 'ALFKI' AND b.CustomerID = 'ALFKI' "
                       "AND c.CustomerID = 'ALFKI'");
    std::vector<std::string> names;
    for (const auto& c : r.columns) names.push_back(c.name);
    EXPECT_EQ(names, (std::vector<std::string>{"a.CustomerID", "b.CustomerID", "c.CustomerID", "CustomerID", "City"}));

    std::string wide = "SELECT a.City";
    for (int i = 0; i < 10000; ++i) wide += ", a.City";
    EXPECT_EQ(test::errorFrom([&] { run(wide + " FROM Customers AS a"); }).description(),
              "De query is te groot of te diep genest.");
}

// LEFT and RIGHT are join words, and Left( and Right( the text functions, also in one statement.
TEST_F(Queries, LeftAndRightAreFunctionsBeforeAParenthesis)
{
    EXPECT_EQ(column("SELECT Left(c.CompanyName, 3) & Right(c.CustomerID, 2) FROM Customers AS c LEFT JOIN Orders "
                     "ON c.CustomerID = Orders.CustomerID WHERE Left(c.CompanyName, 1) = 'z'"),
              std::vector<std::string>{"zebZZ"});
}

// Any function whose name is also a keyword is a call before a parenthesis.
TEST_F(Queries, KeywordsAreFunctionsBeforeAParenthesis)
{
    EXPECT_EQ(column("SELECT Asc('foo')"), std::vector<std::string>{"102"});
    EXPECT_EQ(column("SELECT CustomerID FROM Customers WHERE Asc(CompanyName) = 122 ORDER BY CustomerID ASC"),
              std::vector<std::string>{"ZZZZZ"});
}

// A value a function cannot take stops the query with Access's error, the function and the argument named.
TEST_F(Queries, FunctionErrorsNameTheFunctionAndTheArgument)
{
    EXPECT_EQ(failure("SELECT Chr(-1)").description(),
              "Ongeldige procedureaanroep of ongeldig argument in Chr (argument 1)");
    EXPECT_EQ(failure("SELECT CompanyName FROM Customers WHERE Space(-1) = ''").description(),
              "Ongeldige procedureaanroep of ongeldig argument in Space (argument 1)");
    EXPECT_EQ(failure("SELECT DateSerial(10000, 1, 1)").description(),
              "Ongeldige procedureaanroep of ongeldig argument in DateSerial");
    EXPECT_EQ(failure("SELECT CDate('1/1/10000')").description(), "Typen komen niet overeen in CDate (argument 1)");
    EXPECT_EQ(failure("SELECT Str$(Null)").description(), "Ongeldig gebruik van Null in Str$");  // Str(Null) is Null
    EXPECT_EQ(column("SELECT Str(Null) & Left$('abc', 1)"), std::vector<std::string>{"a"});
    EXPECT_EQ(failure("SELECT Left('abc')").description(),
              "Verkeerd aantal argumenten voor de functie Left: 2 verwacht, 1 opgegeven (op positie 8).");
}

// DISTINCTROW drops rows that come from the same records of the tables with selected fields (Access's
// documentation of the predicate): here one row per product that has order lines, duplicate prices kept.
TEST_F(Queries, DistinctRowKeepsOneRowPerRecordOfTheSelectedTables)
{
    const std::string join = " FROM Products AS p INNER JOIN [Order Details] AS d ON p.ProductID = d.ProductID";
    EXPECT_EQ(column("SELECT ALL p.ProductName" + join).size(), 5u);
    EXPECT_EQ(column("SELECT DISTINCTROW p.ProductName" + join + " ORDER BY p.ProductName"),
              (std::vector<std::string>{"Aniseed Syrup", "Chai", "Chang"}));
    EXPECT_EQ(column("SELECT DISTINCTROW p.*" + join).size(), 3u);
    EXPECT_EQ(column("SELECT DISTINCTROW p.ProductName, d.Quantity" + join).size(), 5u);  // fields of both tables
    // Chang and Tofu both cost 10: distinct records, so both rows stay.
    const auto prices = run("SELECT DISTINCTROW p.UnitPrice FROM Products AS p LEFT JOIN [Order Details] AS d ON "
                            "p.ProductID = d.ProductID ORDER BY p.UnitPrice");
    ASSERT_EQ(prices.rows->rowCount(), 4u);
    EXPECT_EQ(prices.rows->value(2, 0), prices.rows->value(3, 0));
    EXPECT_EQ(column("SELECT DISTINCTROW TOP 1 p.ProductName" + join + " ORDER BY d.Quantity DESC"),
              std::vector<std::string>{"Chai"});
}

// Access's documentation of the domain functions: an aggregate over a table or query with optional criteria.
TEST_F(Queries, DomainFunctionsRunAQueryOfTheirOwn)
{
    EXPECT_EQ(one("SELECT DCount('*', 'Orders')"), Value::int32(4));
    EXPECT_EQ(one("SELECT DCount('OrderID', 'Orders', 'Freight > 6')"), Value::int32(2));
    EXPECT_EQ(one("SELECT DLookup('CompanyName', 'Customers', \"CustomerID = 'AROUT'\")"),
              Value::text("Around the Horn"));
    EXPECT_EQ(one("SELECT DLookup('CompanyName', 'Customers', \"CustomerID = 'NONE'\")"), Value::null());
    EXPECT_EQ(one("SELECT DSum('Quantity', '[Order Details]', 'OrderID = 1')"), Value::dbl(5));
    EXPECT_EQ(column("SELECT ProductName FROM Products WHERE UnitPrice = DMax('UnitPrice', 'Products') "
                     "ORDER BY ProductName"),
              (std::vector<std::string>{"Chang", "Tofu"}));
    // Eval's examples in Access's documentation: an expression given as text.
    EXPECT_EQ(one("SELECT Eval('1 + 1')"), Value::int32(2));
    EXPECT_EQ(one("SELECT Eval(\"StrConv('eval', 1)\")"), Value::text("EVAL"));
    EXPECT_EQ(failure("SELECT Eval('1 +')").description(),
              "De argumenten van Eval op positie 8 vormen geen geldige query: Syntaxisfout: de opdracht is "
              "onvolledig op positie 11.");
    EXPECT_EQ(
        failure("SELECT DCount('*', 'NoTable')")
            .description()
            .rfind("De argumenten van DCount op positie 8 vormen geen geldige query: De invoertabel of query 'NoTable'",
                   0),
        0u);
    EXPECT_EQ(failure("SELECT DLookup('CompanyName', 'Customers', 'CustomerID = ' & 'x')").description(),
              "De argumenten van DLookup moeten hier vaste tekst zijn (op positie 60).");
}

TEST_F(Queries, GroupingAndHaving)
{
    const auto r = run("SELECT CustomerID, Count(*) AS Aantal, Sum(Freight) AS Vracht FROM Orders "
                       "GROUP BY CustomerID HAVING Count(*) > 1");
    ASSERT_EQ(r.rows->rowCount(), 1u);  // ALFKI and alfki are one group
    EXPECT_EQ(r.rows->value(0, 1), Value::int32(2));
    EXPECT_EQ(r.rows->value(0, 2), Value::currency(305000));
    EXPECT_EQ(r.columns[2].dataType, t::Currency);
}

TEST_F(Queries, TopKeepsTiesAndPercentRoundsUp)
{
    EXPECT_EQ(column("SELECT TOP 2 ProductName FROM Products ORDER BY UnitPrice DESC").size(), 2u);
    // Chang and Tofu tie at 10: TOP 1 gives both, as Access does.
    EXPECT_EQ(column("SELECT TOP 1 ProductName FROM Products ORDER BY UnitPrice DESC").size(), 2u);
    EXPECT_EQ(column("SELECT TOP 50 PERCENT ProductName FROM Products ORDER BY ProductID").size(), 2u);
    EXPECT_EQ(column("SELECT TOP 30 PERCENT ProductName FROM Products").size(), 2u);
}

TEST_F(Queries, UnionOrdersByColumnNames)
{
    // UNION removes duplicates and ORDER BY sorts without regard to letter case.
    EXPECT_EQ(column("SELECT Country FROM Customers WHERE City = 'london' UNION SELECT 'nederland' FROM Products "
                     "ORDER BY Country"),
              (std::vector<std::string>{"nederland", "UK"}));
    EXPECT_EQ(column("SELECT CustomerID FROM Customers UNION ALL SELECT CustomerID FROM Orders").size(), 8u);
}

TEST_F(Queries, Subqueries)
{
    EXPECT_EQ(column("SELECT ProductName FROM Products WHERE UnitPrice > (SELECT Avg(UnitPrice) FROM Products) "
                     "ORDER BY ProductName"),
              (std::vector<std::string>{"Chang", "Tofu"}));
    EXPECT_EQ(column("SELECT CustomerID FROM Customers WHERE CustomerID NOT IN (SELECT CustomerID FROM Orders)"),
              (std::vector<std::string>{"ZZZZZ"}));
    EXPECT_EQ(column("SELECT CustomerID FROM Customers c WHERE EXISTS (SELECT * FROM Orders o WHERE "
                     "o.CustomerID = c.CustomerID AND o.Freight > 15)"),
              (std::vector<std::string>{"ALFKI"}));
    EXPECT_EQ(column("SELECT ProductName FROM Products WHERE UnitPrice >= ALL (SELECT UnitPrice FROM Products)").size(),
              2u);
    EXPECT_EQ(column("SELECT ProductName FROM Products WHERE UnitPrice < ANY (SELECT UnitPrice FROM Products)").size(),
              2u);
    EXPECT_EQ(column("SELECT x.Stad FROM (SELECT City AS Stad FROM Customers WHERE Country = 'UK') AS x").size(), 2u);
}

TEST_F(Queries, CrosstabMakesAColumnPerPivotValue)
{
    const auto r = run("TRANSFORM Sum(Quantity) AS Totaal SELECT ProductID FROM [Order Details] GROUP BY ProductID "
                       "PIVOT 'Bestelling ' & OrderID");
    ASSERT_EQ(r.columns.size(), 5u);
    EXPECT_EQ(r.columns[1].name, "Bestelling 1");
    EXPECT_EQ(r.columns[1].dataType, t::Double);
    ASSERT_EQ(r.rows->rowCount(), 3u);
    EXPECT_EQ(r.rows->value(0, 0), Value::int32(10));
    EXPECT_EQ(r.rows->value(0, 1), Value::dbl(4));
    EXPECT_EQ(r.rows->value(0, 2), Value::dbl(10));
    EXPECT_TRUE(r.rows->value(0, 3).isNull());

    const auto fixed = run("TRANSFORM Count(*) SELECT ProductID FROM [Order Details] GROUP BY ProductID "
                           "PIVOT OrderID IN (1, 9)");
    ASSERT_EQ(fixed.columns.size(), 3u);
    EXPECT_EQ(fixed.columns[2].name, "9");
    EXPECT_EQ(fixed.rows->value(0, 1), Value::int32(1));
    EXPECT_TRUE(fixed.rows->value(0, 2).isNull());  // empty cell, as Access shows it
}

TEST(TextCollation, OrdersWithoutLetterCaseAndKeysAgreeWithComparison)
{
    EXPECT_EQ(sql::compareFolded("abc", "ABC"), 0);
    EXPECT_LT(sql::compareFolded("_x", "a"), 0);  // punctuation before letters
    EXPECT_GT(sql::compareFolded("Zebra", "_x"), 0);
    EXPECT_EQ(sql::compareFolded("\xC3\x89mile", "\xC3\xA9MILE"), 0);  // Émile, éMILE
    EXPECT_LT(sql::compareFolded("ab", "abc"), 0);
    EXPECT_EQ(sql::textKey("\xC3\x89mile"), sql::textKey("\xC3\xA9MILE"));
    EXPECT_EQ(sql::textKey("ABC"), "abc");
}

}  // namespace
}  // namespace querimo
