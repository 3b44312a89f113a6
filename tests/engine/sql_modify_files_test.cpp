// Action statements on copies of Access-made files (Jet 4 and Jet 3), read back by our engine after reopening
// and by mdbtools; refused statements leave the file byte for byte as it was.
#include <gtest/gtest.h>

#include <cmath>

#include "ado/Command.h"
#include "ado/Connection.h"
#include "core/Error.h"
#include "jet_test_files.h"
#include "support/Csv.h"
#include "support/Process.h"

namespace querimo {
namespace {

class ActionStatementsOnFiles : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        QUERIMO_REQUIRE_CORPUS();
        path = scratch.copyOf(GetParam());
        reopen();
    }

    void reopen()
    {
        connection = std::make_unique<ado::Connection>();
        connection->Provider = "Microsoft.Jet.OLEDB.4.0";
        connection->GetProperties()("Data Source") = path;
        connection->Open();
    }

    long execute(const std::string& text, const std::vector<std::optional<std::string>>& parameters = {})
    {
        ado::Command command;
        command.ActiveConnection = connection.get();
        command.SetCommandText(text);
        EXPECT_EQ(command.GetParameters().Count(), parameters.size()) << text;
        for (std::size_t i = 0; i < parameters.size() && i < command.GetParameters().Count(); ++i)
            command.GetParameters().Item(i).Value = parameters[i];
        long affected = -1;
        const auto rs = command.Execute(&affected);
        EXPECT_NE(rs->State(), ado::ObjectState::Open);
        return affected;
    }

    std::vector<std::vector<Value>> query(const std::string& text)
    {
        ado::Command command;
        command.ActiveConnection = connection.get();
        command.SetCommandText(text);
        long affected = 0;
        const auto rs = command.Execute(&affected);
        std::vector<std::vector<Value>> rows(rs->RecordCount());
        for (std::size_t r = 0; r < rows.size(); ++r)
            for (std::size_t c = 0; c < rs->fieldInfo().size(); ++c) rows[r].push_back(rs->valueAt(r, c));
        return rows;
    }

    std::vector<test::CsvRow> exported(const std::string& table)
    {
        const test::ProcessResult result = test::runProcess({"mdb-export", path, table});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return test::parseCsv(result.out);
    }

    // The statement fails with this error number, and the file keeps every byte.
    void refused(const std::string& text, std::int32_t number, const std::string& named)
    {
        const std::string before = test::readBytes(path);
        try {
            execute(text);
            ADD_FAILURE() << "geen fout voor: " << text;
        } catch (const DbError& e) {
            EXPECT_EQ(e.number(), number) << e.description();
            EXPECT_NE(e.description().find(named), std::string::npos) << e.description();
        }
        EXPECT_EQ(test::readBytes(path), before) << text;
    }

    test::ScratchDir scratch;
    std::string path;
    std::unique_ptr<ado::Connection> connection;
};

using Northwind = ActionStatementsOnFiles;

TEST_P(Northwind, InsertUpdateDeleteLandAndReadBack)
{
    EXPECT_EQ(execute("INSERT INTO Shippers (CompanyName, Phone) VALUES ('Snelle Jelle', '(503) 555-0000')"), 1);
    const std::string chosen = " WHERE ProductID BETWEEN 9 AND 19";
    const double before = query("SELECT Sum(UnitPrice) FROM Products" + chosen)[0][0].integer / 10000.0;
    EXPECT_EQ(execute("UPDATE Products SET UnitPrice = UnitPrice * 2" + chosen), 11);
    EXPECT_EQ(execute("DELETE FROM [Order Details] WHERE OrderID = 10248"), 3);
    EXPECT_EQ(execute("DELETE FROM [Order Details] WHERE OrderID = 10248"), 0);
    EXPECT_EQ(execute("INSERT INTO Shippers (CompanyName) SELECT TOP 2 ProductName FROM [Current Product List] "
                      "ORDER BY ProductName"),
              2);

    reopen();
    const auto shippers = query("SELECT ShipperID, CompanyName, Phone FROM Shippers ORDER BY ShipperID");
    ASSERT_EQ(shippers.size(), 6u);
    EXPECT_EQ(shippers[3], (std::vector<Value>{Value::int32(4), Value::text("Snelle Jelle"), Value::text("(503) 555-0000")}));
    EXPECT_EQ(shippers[4][1], Value::text("Aniseed Syrup"));
    const double after = query("SELECT Sum(UnitPrice) FROM Products" + chosen)[0][0].integer / 10000.0;
    EXPECT_NEAR(after, 2 * before, 0.001);
    EXPECT_EQ(query("SELECT Count(*) FROM [Order Details] WHERE OrderID = 10248")[0][0], Value::int32(0));

    const auto csv = exported("Shippers");
    ASSERT_EQ(csv.size(), 7u);
    EXPECT_EQ(csv[4], (test::CsvRow{"4", "Snelle Jelle", "(503) 555-0000"}));
    EXPECT_EQ(exported("Order Details").size(), 2155u - 3 + 1);
}

TEST_P(Northwind, SelectIntoMakesATableOthersCanRead)
{
    EXPECT_EQ(execute("SELECT ShipperID AS Nummer, CompanyName, #1/2/2003# AS Dag, 2.5 AS Getal, True AS Waar, "
                      "s.Phone & '' AS Telefoon INTO Kopie FROM Shippers AS s WHERE ShipperID < 3"),
              2);
    reopen();
    EXPECT_EQ(query("SELECT * FROM Kopie ORDER BY Nummer")[1],
              (std::vector<Value>{Value::int32(2), Value::text("United Package"), Value::dateTime(37623), Value::dbl(2.5),
                                  Value::boolean(true), Value::text("(503) 555-3199")}));
    const auto csv = exported("Kopie");
    ASSERT_EQ(csv.size(), 3u);
    EXPECT_EQ(csv[0], (test::CsvRow{"Nummer", "CompanyName", "Dag", "Getal", "Waar", "Telefoon"}));
    EXPECT_EQ(csv[1][1], "Speedy Express");
    // A column taken over keeps its field size; a computed one gets the largest.
    const test::ProcessResult schema = test::runProcess({"mdb-schema", "-T", "Kopie", path});
    EXPECT_NE(schema.out.find("[CompanyName]\t\t\tText (40)"), std::string::npos) << schema.out;
    EXPECT_NE(schema.out.find("[Telefoon]\t\t\tText (255)"), std::string::npos) << schema.out;
    refused("SELECT * INTO Kopie FROM Shippers", errc::fail, "'Kopie'");
}

TEST_P(Northwind, ParametersOfActionStatements)
{
    EXPECT_EQ(execute("PARAMETERS [Nieuw nummer] Text (24); UPDATE Shippers SET Phone = [Nieuw nummer] "
                      "WHERE ShipperID = [Welke vervoerder]",
                      {"(31) 20 555 0101", "2"}),
              1);
    reopen();
    EXPECT_EQ(query("SELECT Phone FROM Shippers WHERE ShipperID = 2")[0][0], Value::text("(31) 20 555 0101"));
}

TEST_P(Northwind, RefusedStatementsLeaveTheFileAsItWas)
{
    refused("UPDATE Products SET UnitPrice = 'duur' WHERE ProductID > 70", errc::typeMismatch, "'UnitPrice'");
    refused("INSERT INTO Shippers (CompanyName) VALUES ('" + std::string(41, 'x') + "')", errc::integrity, "'CompanyName'");
    refused("INSERT INTO Shippers (Nergens) VALUES (1)", errc::notFound, "'Nergens'");
    refused("INSERT INTO [Current Product List] (ProductName) VALUES ('x')", errc::fail, "'Current Product List'");
    // A character outside Windows-1252 has no known index code: a key with it is refused, not guessed.
    refused("UPDATE Products SET ProductName = ProductName & 'ğ' WHERE CategoryID = 1", errc::fail, "'ProductName'");
}

TEST_P(Northwind, EnforcedRelationshipsHoldBothWays)
{
    refused("INSERT INTO Orders (CustomerID, EmployeeID) VALUES ('XXXXX', 1)", errc::integrity, "'Customers'");
    refused("UPDATE [Order Details] SET ProductID = 999 WHERE OrderID = 10248", errc::integrity, "'Products'");
    refused("DELETE FROM Customers WHERE CustomerID = 'ALFKI'", errc::integrity, "'Orders'");
    refused("UPDATE Customers SET CustomerID = 'ALFKJ' WHERE CustomerID = 'ALFKI'", errc::integrity, "'Orders'");

    EXPECT_EQ(execute("INSERT INTO Orders (CustomerID, EmployeeID) VALUES ('ALFKI', 1)"), 1);
    EXPECT_EQ(execute("INSERT INTO Orders (CustomerID, EmployeeID) VALUES (Null, 1)"), 1);  // no key, nothing to check
    EXPECT_EQ(execute("UPDATE Customers SET City = 'Berlijn' WHERE CustomerID = 'ALFKI'"), 1);  // key left alone
    EXPECT_EQ(execute("DELETE FROM Customers WHERE CustomerID = 'PARIS'"), 1);  // nobody refers to it
}

TEST_P(Northwind, AnUpdateLeavingAKeyAloneNeedsNoNewKey)
{
    EXPECT_EQ(execute("UPDATE Products SET UnitPrice = UnitPrice * 2 WHERE ProductName = 'Côte de Blaye'"), 1);
    reopen();
    const auto rows = query("SELECT UnitPrice FROM Products WHERE ProductID = 38");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], Value::currency(5270000));
}

TEST_P(Northwind, CommandLineReportsTheRecordsAffected)
{
    if (test::querimoSqlPath().empty()) GTEST_SKIP() << "QUERIMO_SQL (het pad van querimo-sql) is niet gezet";
    connection.reset();  // the command line opens the file itself
    auto run = [&](const std::string& statement) {
        const test::ProcessResult result = test::runProcess({test::querimoSqlPath(), path, statement});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return result.out;
    };
    EXPECT_EQ(run("UPDATE Shippers SET Phone = Phone WHERE ShipperID <= 2"), "2 records gewijzigd\n");
    EXPECT_EQ(run("INSERT INTO Shippers (CompanyName) VALUES ('Snelle Jelle')"), "1 record toegevoegd\n");
    EXPECT_EQ(run("DELETE FROM Shippers WHERE ShipperID = 99"), "0 records verwijderd\n");
}

INSTANTIATE_TEST_SUITE_P(Jet4, Northwind, ::testing::Values("northwind-jet4.mdb"));

using Jet3File = ActionStatementsOnFiles;

TEST_P(Jet3File, EveryColumnTypeWrittenAndReadBack)
{
    EXPECT_EQ(execute("INSERT INTO Table1 VALUES ('x', 'yz', '7', 2.5, 3, '4.5', #1/2/2003#, 5.25, True)"), 1);
    EXPECT_EQ(execute("UPDATE Table1 SET C = C + 1, B = B & '!' WHERE A <> 'x'"), 2);
    EXPECT_EQ(execute("DELETE FROM Table1 WHERE A = 'a'"), 1);
    reopen();
    const auto rows = query("SELECT * FROM Table1 ORDER BY A");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][1], Value::text("hijklmnop!"));
    EXPECT_EQ(rows[0][2], Value::byte(3));
    EXPECT_EQ(rows[1], (std::vector<Value>{Value::text("x"), Value::text("yz"), Value::byte(7), Value::int16(2),
                                           Value::int32(3), Value::dbl(4.5), Value::dateTime(37623),
                                           Value::currency(52500), Value::boolean(true)}));
    const auto csv = exported("Table1");
    ASSERT_EQ(csv.size(), 3u);
    EXPECT_EQ(csv[2][0], "x");
    EXPECT_EQ(csv[2][7], "5.2500");
}

INSTANTIATE_TEST_SUITE_P(Jet3, Jet3File, ::testing::Values("testV1997.mdb"));

}  // namespace
}  // namespace querimo
