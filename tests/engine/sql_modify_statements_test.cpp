// Action statements on the shop database: which rows they change, with which values, how many records
// they report, and that every failure rolls the whole statement back.
#include <gtest/gtest.h>

#include <cmath>

#include "ado/Recordset.h"
#include "core/Error.h"
#include "sql/Execution.h"
#include "sql/Modification.h"
#include "sql/Parser.h"
#include "sql_modify_recording.h"

namespace querimo {
namespace {

using Change = test::RecordingDatabase::Change;

Value money(double m) { return Value::currency(std::llround(m * 10000)); }

class ActionStatements : public ::testing::Test {
protected:
    long run(const std::string& text, const sql::ParameterValues& values = {})
    {
        return sql::runModification(*db, sql::parseStatement(text), values);
    }
    DbError failure(const std::string& text, const sql::ParameterValues& values = {})
    {
        const int committed = db->committed;
        try {
            run(text, values);
        } catch (const DbError& e) {
            EXPECT_EQ(db->committed, committed) << text;
            return e;
        }
        ADD_FAILURE() << "geen fout voor: " << text;
        return DbError(0, "");
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
    EXPECT_EQ(db->changes[0].values, (std::vector<Value>{Value::int32(21), Value::text("Konbu"), money(6), Value::null()}));
}

TEST_F(ActionStatements, InsertSelectMatchesColumnsByName)
{
    EXPECT_EQ(run("INSERT INTO Products SELECT ProductName, ProductID + 100 AS ProductID FROM Products "
                  "WHERE Discontinued = False ORDER BY ProductID"),
              3);
    ASSERT_EQ(db->changes.size(), 3u);
    EXPECT_EQ(db->changes[0].values, (std::vector<Value>{Value::int32(110), Value::text("Chai"), Value::null(), Value::null()}));
    EXPECT_EQ(db->changes[2].values[1], Value::text("Tofu"));

    db->changes.clear();
    EXPECT_EQ(run("INSERT INTO Products SELECT * FROM Products"), 4);  // the rows were read before any was added
    EXPECT_EQ(db->changes[1].values, (std::vector<Value>{Value::int32(11), Value::text("Chang"), money(10), Value::boolean(true)}));

    db->changes.clear();
    EXPECT_EQ(run("INSERT INTO Customers (CustomerID, CompanyName) SELECT CustomerID, CompanyName FROM Customers "
                  "WHERE City = 'london' UNION SELECT 'NIEUW', 'Nieuw' FROM Products WHERE ProductID = 10"),
              3);

    const DbError unknown = failure("INSERT INTO Products SELECT ProductName & '!' FROM Products");
    EXPECT_NE(unknown.description().find("'Expr1000'"), std::string::npos) << unknown.description();
}

TEST_F(ActionStatements, InsertRefusesWrongCountsAndNames)
{
    EXPECT_NE(failure("INSERT INTO Products VALUES (1, 'x')").description().find("aantal"), std::string::npos);
    EXPECT_NE(failure("INSERT INTO Products (ProductID) VALUES (1, 2)").description().find("aantal"), std::string::npos);
    EXPECT_NE(failure("INSERT INTO Products (Nope) VALUES (1)").description().find("'Nope'"), std::string::npos);
    EXPECT_NE(failure("INSERT INTO Products (ProductID, productid) VALUES (1, 2)").description().find("meer dan eens"),
              std::string::npos);
    const DbError missing = failure("INSERT INTO Productz VALUES (1)");
    EXPECT_EQ(missing.number(), errc::notFound);
    EXPECT_NE(missing.description().find("'Productz'"), std::string::npos);
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

    const DbError ambiguous = failure("UPDATE Products INNER JOIN [Order Details] ON Products.ProductID = "
                                      "[Order Details].ProductID SET UnitPrice = 0");
    EXPECT_NE(ambiguous.description().find("meer dan één tabel"), std::string::npos) << ambiguous.description();
    const DbError two = failure("UPDATE Products INNER JOIN [Order Details] ON Products.ProductID = "
                                "[Order Details].ProductID SET ProductName = 'x', Quantity = 1");
    EXPECT_NE(two.description().find("één tabel"), std::string::npos) << two.description();
    EXPECT_NE(failure("UPDATE Products SET UnitPrice = Max(UnitPrice)").description().find("statistische functie"),
              std::string::npos);
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

    db->changes.clear();
    EXPECT_EQ(run("DELETE * FROM Customers WHERE 1 = 0"), 0);
    EXPECT_EQ(run("DELETE DISTINCTROW Customers.CompanyName FROM Customers"), 4);

    EXPECT_NE(failure("DELETE FROM Orders INNER JOIN Customers ON Orders.CustomerID = Customers.CustomerID")
                  .description()
                  .find("uit welke tabel"),
              std::string::npos);
    EXPECT_NE(failure("DELETE Products.* FROM Orders").description().find("'Products'"), std::string::npos);
}

TEST_F(ActionStatements, SelectIntoMakesATableTypedFromTheQuery)
{
    EXPECT_EQ(run("SELECT ProductName, UnitPrice, Discontinued, ProductID * 2 AS Twice, Null AS Leeg, "
                  "ProductName & '' AS Tekst INTO Kopie FROM Products WHERE ProductID <> 11"),
              3);
    ASSERT_EQ(db->created.size(), 1u);
    const jet::TableDef& made = db->created[0];
    EXPECT_EQ(made.name, "Kopie");
    ASSERT_EQ(made.columns.size(), 6u);
    EXPECT_EQ(made.columns[0].type, jet::ColumnType::Text);
    EXPECT_EQ(made.columns[0].size, 255);
    EXPECT_EQ(made.columns[1].type, jet::ColumnType::Currency);
    EXPECT_EQ(made.columns[2].type, jet::ColumnType::Boolean);
    EXPECT_EQ(made.columns[3].type, jet::ColumnType::Long);
    EXPECT_EQ(made.columns[4].type, jet::ColumnType::Text);
    ASSERT_EQ(db->changes.size(), 3u);
    EXPECT_EQ(db->changes[2].values, (std::vector<Value>{Value::text("Tofu"), money(10), Value::boolean(false),
                                                         Value::int32(26), Value::null(), Value::text("Tofu")}));

    EXPECT_NE(failure("SELECT * INTO Products FROM Products").description().find("bestaat al"), std::string::npos);
    EXPECT_NE(failure("SELECT o.OrderID, d.OrderID INTO Dubbel FROM Orders AS o INNER JOIN [Order Details] AS d "
                      "ON o.OrderID = d.OrderID")
                  .description()
                  .find("'OrderID'"),
              std::string::npos);
}

TEST_F(ActionStatements, ParametersAreAskedForAndConverted)
{
    const sql::Statement st =
        sql::parseStatement("PARAMETERS [Nieuwe prijs] Currency; UPDATE Products SET UnitPrice = [Nieuwe prijs] "
                            "WHERE ProductID = [Welk product]");
    const auto parameters = sql::statementParameters(*db, st);
    ASSERT_EQ(parameters.size(), 2u);
    EXPECT_EQ(parameters[0].name, "Nieuwe prijs");
    EXPECT_EQ(parameters[0].adoType, ado::adtype::Currency);
    EXPECT_EQ(parameters[1].name, "Welk product");
    EXPECT_EQ(parameters[1].adoType, ado::adtype::Integer);

    EXPECT_EQ(sql::runModification(*db, st, {{"Nieuwe prijs", "2.55"}, {"Welk product", "13"}}), 1);
    EXPECT_EQ(db->changes[0].values[2], money(2.55));

    const auto inserted = sql::parseStatement("INSERT INTO Customers (CustomerID, City) VALUES ([Code], [Plaats])");
    ASSERT_EQ(sql::statementParameters(*db, inserted).size(), 2u);
    EXPECT_EQ(db->begun, 1);  // finding parameters changes nothing
    EXPECT_EQ(failure("DELETE FROM Orders WHERE OrderID = [Nummer]").number(), errc::noValue);
    EXPECT_EQ(db->rolledBack, 1);
}

TEST_F(ActionStatements, ValuesConvertToTheColumnTypeOrTheStatementFails)
{
    EXPECT_EQ(run("UPDATE Orders SET Freight = '12.345', OrderDate = '12/31/2003', CustomerID = 42 WHERE OrderID = 1"), 1);
    EXPECT_EQ(db->changes[0].values,
              (std::vector<Value>{Value::int32(1), Value::text("42"), Value::dateTime(37986), Value::currency(123450)}));

    const DbError e = failure("UPDATE Orders SET Freight = 'veel' WHERE OrderID > 1");
    EXPECT_EQ(e.number(), errc::typeMismatch);
    EXPECT_NE(e.description().find("'Freight'"), std::string::npos) << e.description();
    EXPECT_EQ(db->rolledBack, 1);

    db->editTable("Customers").columns[0].size = 5;
    const DbError tooLong = failure("INSERT INTO Customers (CustomerID) VALUES ('ABCDEF')");
    EXPECT_NE(tooLong.description().find("'CustomerID'"), std::string::npos) << tooLong.description();
    EXPECT_EQ(db->rolledBack, 2);
}

TEST_F(ActionStatements, AFailingWriteRollsTheStatementBack)
{
    db->failAtInsert = 2;
    EXPECT_EQ(failure("INSERT INTO Products SELECT * FROM Products").number(), errc::integrity);
    EXPECT_EQ(db->begun, 1);
    EXPECT_EQ(db->rolledBack, 1);
}

TEST_F(ActionStatements, ColumnsLeftOutGetTheirDefaults)
{
    jet::TableDef& products = db->editTable("Products");
    products.columns[0].autoNumber = true;
    products.columns[1].defaultValue = "\"Nieuw\"";
    products.columns[2].defaultValue = "=1+1.5";
    products.columns[3].defaultValue = "No";
    EXPECT_EQ(run("INSERT INTO Products (ProductName) VALUES ('Ikura')"), 1);
    EXPECT_EQ(db->changes[0].values, (std::vector<Value>{Value::null(), Value::text("Ikura"), money(2.5), Value::boolean(false)}));

    EXPECT_NE(failure("UPDATE Products SET ProductID = 1").description().find("AutoNummering"), std::string::npos);

    products.columns[2].defaultValue = "=Onbekend";
    const DbError e = failure("INSERT INTO Products (ProductName) VALUES ('Ikura')");
    EXPECT_NE(e.description().find("'UnitPrice'"), std::string::npos) << e.description();
    EXPECT_NE(e.description().find("'Onbekend'"), std::string::npos) << e.description();
}

TEST(ActionStatementSyntax, MistakesAreNamedWithTheirPosition)
{
    auto message = [](const std::string& text) {
        try {
            sql::parseStatement(text);
        } catch (const DbError& e) {
            EXPECT_EQ(e.number(), errc::syntax);
            return e.description();
        }
        ADD_FAILURE() << "geen fout voor: " << text;
        return std::string();
    };
    EXPECT_NE(message("UPDATE Products UnitPrice = 1").find("'SET'"), std::string::npos);
    EXPECT_NE(message("INSERT Products VALUES (1)").find("'INTO'"), std::string::npos);
    EXPECT_NE(message("INSERT INTO Products VALUES 1").find("'('"), std::string::npos);
    EXPECT_NE(message("INSERT INTO Products (a) WHERE").find("'VALUES' of 'SELECT'"), std::string::npos);
    EXPECT_NE(message("DELETE FROM Products WHERE").find("onvolledig"), std::string::npos);
    EXPECT_NE(message("DELETE a.*, b.* FROM a, b").find("'b'"), std::string::npos);
    EXPECT_NE(message("SELECT 1 FROM a UNION SELECT 2 INTO b FROM c").find("INTO"), std::string::npos);
    EXPECT_NE(message("UPDATE Products SET UnitPrice = 1 ORDER BY 1").find("positie"), std::string::npos);
}

}  // namespace
}  // namespace querimo
