// Action statements on the shop database: which rows they change, with which values, and how many records
// they report. Refusals are tested on files (sql_modify_files_test.cpp), where the bytes can be compared.
#include <gtest/gtest.h>

#include <cmath>

#include "ado/Recordset.h"
#include "sql/Modification.h"
#include "sql_modify_recording.h"

namespace querimo {
namespace {

using Change = test::RecordingDatabase::Change;

Value money(double m)
{
    return Value::currency(std::llround(m * 10000));
}

class ActionStatements : public ::testing::Test {
protected:
    long run(const std::string& text, const sql::ParameterValues& values = {})
    {
        return sql::runModification(*db, sql::parseStatement(text), values);
    }
    std::vector<jet::RowId> rowsChanged() const
    {
        std::vector<jet::RowId> out;
        for (const Change& c : db->changes) out.push_back(c.row);
        return out;
    }

    std::unique_ptr<test::RecordingDatabase> db = test::makeShop<test::RecordingDatabase>();
};

TEST_F(ActionStatements, InsertValuesFillsNamedColumnsAndLeavesTheRestNull)
{
    EXPECT_EQ(run("INSERT INTO Products (ProductName, [Products].[ProductID]) VALUES ('Ikura', 20)"), 1);
    ASSERT_EQ(db->changes.size(), 1u);
    EXPECT_EQ(db->changes[0].kind, Change::Kind::Insert);
    EXPECT_EQ(db->changes[0].values,
              (std::vector<Value>{Value::int32(20), Value::text("Ikura"), Value::null(), Value::null()}));
    EXPECT_EQ(db->begun, 1);
    EXPECT_EQ(db->committed, 1);

    db->changes.clear();
    EXPECT_EQ(run("INSERT INTO Products VALUES (21, 'Konbu', 6, Null)"), 1);
    EXPECT_EQ(db->changes[0].values,
              (std::vector<Value>{Value::int32(21), Value::text("Konbu"), money(6), Value::null()}));
}

TEST_F(ActionStatements, InsertSelectMatchesColumnsByName)
{
    EXPECT_EQ(run("INSERT INTO Products SELECT ProductName, ProductID + 100 AS ProductID FROM Products "
                  "WHERE Discontinued = False ORDER BY ProductID"),
              3);
    ASSERT_EQ(db->changes.size(), 3u);
    EXPECT_EQ(db->changes[0].values,
              (std::vector<Value>{Value::int32(110), Value::text("Chai"), Value::null(), Value::null()}));
    EXPECT_EQ(db->changes[2].values[1], Value::text("Tofu"));

    db->changes.clear();
    EXPECT_EQ(run("INSERT INTO Products SELECT * FROM Products"), 4);  // the rows were read before any was added
    EXPECT_EQ(db->changes[1].values,
              (std::vector<Value>{Value::int32(11), Value::text("Chang"), money(10), Value::boolean(true)}));
    EXPECT_EQ(run("INSERT INTO Customers (CustomerID, CompanyName) SELECT CustomerID, CompanyName FROM Customers "
                  "WHERE City = 'london' UNION SELECT 'NIEUW', 'Nieuw' FROM Products WHERE ProductID = 10"),
              3);
}

TEST_F(ActionStatements, UpdateChangesWholeRowsItFound)
{
    EXPECT_EQ(run("UPDATE Products SET UnitPrice = UnitPrice * 1.1, [Products].[ProductName] = UCase(ProductName) "
                  "WHERE ProductID >= 12"),
              2);
    ASSERT_EQ(db->changes.size(), 2u);
    EXPECT_EQ(db->changes[0].kind, Change::Kind::Update);
    EXPECT_EQ(rowsChanged(), (std::vector<jet::RowId>{3, 4}));  // the fake's row ids count from 1
    EXPECT_EQ(db->changes[0].values,
              (std::vector<Value>{Value::int32(12), Value::text("ANISEED SYRUP"), money(7.7), Value::boolean(false)}));

    db->changes.clear();
    EXPECT_EQ(run("UPDATE Products SET UnitPrice = UnitPrice WHERE ProductID = 99"), 0);
    EXPECT_TRUE(db->changes.empty());
    EXPECT_EQ(db->committed, 2);
}

TEST_F(ActionStatements, UpdateThroughAJoinChangesEachRowOnce)
{
    // Products 10 and 12 have order lines with more than 2 items; 10 has two of them.
    EXPECT_EQ(run("UPDATE Products INNER JOIN [Order Details] AS d ON Products.ProductID = d.ProductID "
                  "SET Discontinued = True WHERE d.Quantity > 2"),
              2);
    EXPECT_EQ(rowsChanged(), (std::vector<jet::RowId>{1, 3}));
    EXPECT_EQ(db->changes[1].values[3], Value::boolean(true));
}

TEST_F(ActionStatements, DeleteFindsItsRowsAndItsTable)
{
    EXPECT_EQ(run("DELETE FROM Orders WHERE CustomerID = 'alfki'"), 2);
    EXPECT_EQ(rowsChanged(), (std::vector<jet::RowId>{1, 2}));
    EXPECT_EQ(db->changes[0].kind, Change::Kind::Delete);

    db->changes.clear();
    EXPECT_EQ(run("DELETE Orders.* FROM Orders INNER JOIN Customers ON Orders.CustomerID = Customers.CustomerID "
                  "WHERE Customers.Country = 'UK'"),
              2);
    EXPECT_EQ(rowsChanged(), (std::vector<jet::RowId>{3, 4}));
    EXPECT_EQ(db->changes[0].table, "Orders");
    EXPECT_EQ(run("DELETE * FROM Customers WHERE 1 = 0"), 0);
    EXPECT_EQ(run("DELETE DISTINCTROW Customers.CompanyName FROM Customers"), 4);
}

TEST_F(ActionStatements, ParametersAreAskedForAndConverted)
{
    sql::PreparedStatement update =
        sql::prepare(*db, "PARAMETERS [Nieuwe prijs] Currency; UPDATE Products SET UnitPrice = [Nieuwe prijs] "
                          "WHERE ProductID = [Welk product]");
    const auto& parameters = update.parameters();
    ASSERT_EQ(parameters.size(), 2u);
    EXPECT_EQ(parameters[0].name, "Nieuwe prijs");
    EXPECT_EQ(parameters[0].type, sql::DataType::Currency);
    EXPECT_EQ(parameters[1].name, "Welk product");
    EXPECT_EQ(parameters[1].type, sql::DataType::Integer);
    EXPECT_EQ(db->begun, 0);  // finding parameters changes nothing

    EXPECT_EQ(update.execute({{"Nieuwe prijs", "2.55"}, {"Welk product", "13"}}).recordsAffected, 1);
    EXPECT_EQ(db->changes[0].values[2], money(2.55));
    EXPECT_EQ(test::errorFrom([&] { run("DELETE FROM Orders WHERE OrderID = [Nummer]"); }).number(), errc::noValue);
    EXPECT_EQ(db->rolledBack, 1);
}

// Expression defaults can only be set on the fake: CREATE TABLE takes constants.
TEST_F(ActionStatements, ColumnsLeftOutGetTheirDefaults)
{
    jet::TableDef& products = db->editTable("Products");
    products.columns[0].autoNumber = true;
    products.columns[1].defaultValue = "\"Nieuw\"";
    products.columns[2].defaultValue = "=1+1.5";
    products.columns[3].defaultValue = "No";
    EXPECT_EQ(run("INSERT INTO Products (ProductName) VALUES ('Ikura')"), 1);
    EXPECT_EQ(db->changes[0].values,
              (std::vector<Value>{Value::null(), Value::text("Ikura"), money(2.5), Value::boolean(false)}));

    products.columns[2].defaultValue = "=Onbekend";
    const DbError e = test::errorFrom([&] { run("INSERT INTO Products (ProductName) VALUES ('Ikura')"); });
    EXPECT_NE(e.description().find("'UnitPrice'"), std::string::npos) << e.description();
    EXPECT_NE(e.description().find("'Onbekend'"), std::string::npos) << e.description();
    EXPECT_EQ(db->committed, 1);
}

TEST(ActionStatementSyntax, MistakesAreNamedWithTheirPosition)
{
    const std::pair<const char*, const char*> mistakes[] = {
        {"UPDATE Products UnitPrice = 1", "'SET'"},
        {"INSERT Products VALUES (1)", "'INTO'"},
        {"INSERT INTO Products VALUES 1", "'('"},
        {"INSERT INTO Products (a) WHERE", "'VALUES' of 'SELECT'"},
        {"DELETE FROM Products WHERE", "onvolledig"},
        {"DELETE a.*, b.* FROM a, b", "'b'"},
        {"SELECT 1 FROM a UNION SELECT 2 INTO b FROM c", "INTO"},
        {"UPDATE Products SET UnitPrice = 1 ORDER BY 1", "positie"}};
    for (const auto& [text, says] : mistakes) {
        const DbError e = test::errorFrom([&] { sql::parseStatement(text); }, text);
        EXPECT_EQ(e.number(), errc::syntax) << text;
        EXPECT_NE(e.description().find(says), std::string::npos) << e.description();
    }
}

}  // namespace
}  // namespace querimo
