// Action statements on the sample database in Jet 4 and Jet 3, read back by our engine after reopening and by
// mdbtools; refused statements leave the file byte for byte as it was.
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

class ActionStatementsOnFiles : public ::testing::TestWithParam<jet::Version> {
protected:
    void SetUp() override
    {
        path = scratch.sample(GetParam());
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
        const DbError e = test::errorFrom([&] { execute(text); }, text);
        EXPECT_EQ(e.number(), number) << e.description();
        EXPECT_NE(e.description().find(named), std::string::npos) << e.description();
        EXPECT_TRUE(test::readBytes(path) == before) << text;
    }

    test::ScratchDir scratch;
    std::string path;
    std::unique_ptr<ado::Connection> connection;
};

TEST_P(ActionStatementsOnFiles, InsertUpdateDeleteLandAndReadBack)
{
    EXPECT_EQ(execute("INSERT INTO Artikel (ArtikelNr, Omschrijving, Prijs) VALUES (2000, 'Nietmachine', 12.5)"), 1);
    const std::string chosen = " WHERE ArtikelNr BETWEEN 1010 AND 1019";
    EXPECT_EQ(execute("UPDATE Artikel SET Prijs = Prijs * 2" + chosen), 10);
    EXPECT_EQ(execute("DELETE FROM Bestelregel WHERE BestelNr = 24118"), 3);
    EXPECT_EQ(execute("DELETE FROM Bestelregel WHERE BestelNr = 24118"), 0);
    EXPECT_EQ(execute("INSERT INTO Artikel (ArtikelNr, Omschrijving, Prijs) SELECT TOP 2 KlantNr + 3000, Naam, 1 "
                      "FROM [Omzet per klant] ORDER BY Naam"),
              2);

    reopen();
    const auto added =
        query("SELECT ArtikelNr, Omschrijving, Prijs FROM Artikel WHERE ArtikelNr >= 2000 ORDER BY ArtikelNr");
    ASSERT_EQ(added.size(), 3u);
    EXPECT_EQ(added[0], (std::vector<Value>{Value::int32(2000), Value::text("Nietmachine"), Value::currency(125000)}));
    EXPECT_EQ(added[1][1], Value::text("Architectenbureau De Boer"));
    EXPECT_EQ(query("SELECT Sum(Prijs) FROM Artikel" + chosen)[0][0], Value::currency(2 * 3886300));
    EXPECT_EQ(query("SELECT Count(*) FROM Bestelregel WHERE BestelNr = 24118")[0][0], Value::int32(0));

    const auto csv = exported("Artikel");
    ASSERT_EQ(csv.size(), 1u + 33);
    EXPECT_EQ(csv[31][0], "2000");
    EXPECT_EQ(csv[31][1], "Nietmachine");
    EXPECT_EQ(exported("Bestelregel").size(), 1u + 284 - 3);
}

TEST_P(ActionStatementsOnFiles, EveryColumnTypeWrittenAndReadBack)
{
    execute("CREATE TABLE Soorten (A TEXT(10), B TEXT(20), C BYTE, D SHORT, E LONG, F DOUBLE, G DATETIME, "
            "H CURRENCY, I YESNO)");
    EXPECT_EQ(
        execute("INSERT INTO Soorten VALUES ('a', 'hijklmnop', 2, -3, 70000, 0.5, #12/31/1999 23:59:59#, 1, False)"),
        1);
    EXPECT_EQ(execute("INSERT INTO Soorten VALUES ('x', 'yz', '7', 2.5, 3, '4.5', #1/2/2003#, 5.25, True)"), 1);
    EXPECT_EQ(execute("UPDATE Soorten SET C = C + 1, B = B & '!' WHERE A <> 'x'"), 1);
    reopen();
    const auto rows = query("SELECT * FROM Soorten ORDER BY A");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][1], Value::text("hijklmnop!"));
    EXPECT_EQ(rows[0][2], Value::byte(3));
    EXPECT_EQ(rows[1], (std::vector<Value>{Value::text("x"), Value::text("yz"), Value::byte(7), Value::int16(2),
                                           Value::int32(3), Value::dbl(4.5), Value::dateTime(37623),
                                           Value::currency(52500), Value::boolean(true)}));
    const auto csv = exported("Soorten");
    ASSERT_EQ(csv.size(), 3u);
    EXPECT_EQ(csv[2][0], "x");
    EXPECT_EQ(csv[2][7], "5.2500");
}

TEST_P(ActionStatementsOnFiles, SelectIntoMakesATableOthersCanRead)
{
    EXPECT_EQ(execute("SELECT KlantNr AS Nummer, Naam, #1/2/2003# AS Dag, 2.5 AS Getal, True AS Waar, "
                      "k.Plaats & '' AS Woonplaats INTO Kopie FROM Klant AS k WHERE KlantNr < 3"),
              2);
    reopen();
    EXPECT_EQ(query("SELECT * FROM Kopie ORDER BY Nummer")[1],
              (std::vector<Value>{Value::int32(2), Value::text("Jansen Installatietechniek"), Value::dateTime(37623),
                                  Value::dbl(2.5), Value::boolean(true), Value::text("Rotterdam")}));
    const auto csv = exported("Kopie");
    ASSERT_EQ(csv.size(), 3u);
    EXPECT_EQ(csv[0], (test::CsvRow{"Nummer", "Naam", "Dag", "Getal", "Waar", "Woonplaats"}));
    EXPECT_EQ(csv[1][1], "Bakkerij De Gouden Korst");
    // A column taken over keeps its field size; a computed one gets the largest.
    const test::ProcessResult schema = test::runProcess({"mdb-schema", "-T", "Kopie", path});
    EXPECT_NE(schema.out.find("[Naam]\t\t\tText (60)"), std::string::npos) << schema.out;
    EXPECT_NE(schema.out.find("[Woonplaats]\t\t\tText (255)"), std::string::npos) << schema.out;
    refused("SELECT * INTO Kopie FROM Klant", errc::fail, "'Kopie'");
}

TEST_P(ActionStatementsOnFiles, ParametersOfActionStatements)
{
    EXPECT_EQ(execute("PARAMETERS [Nieuw nummer] Text (20); UPDATE Klant SET Telefoon = [Nieuw nummer] "
                      "WHERE KlantNr = [Welke klant]",
                      {"020 555 0101", "2"}),
              1);
    reopen();
    EXPECT_EQ(query("SELECT Telefoon FROM Klant WHERE KlantNr = 2")[0][0], Value::text("020 555 0101"));
}

TEST_P(ActionStatementsOnFiles, RefusedStatementsLeaveTheFileAsItWas)
{
    const std::string join = " INNER JOIN Bestelregel ON Artikel.ArtikelNr = Bestelregel.ArtikelNr";
    const struct {
        std::string text;
        std::int32_t number;
        const char* says;
    } refusals[] = {
        {"UPDATE Artikel SET Prijs = 'duur' WHERE ArtikelNr > 1020", errc::typeMismatch, "'Prijs'"},
        {"INSERT INTO Klant (Naam) VALUES ('" + std::string(61, 'x') + "')", errc::integrity, "'Naam'"},
        {"INSERT INTO Klant (Nergens) VALUES (1)", errc::notFound, "'Nergens'"},
        {"INSERT INTO Artikelz VALUES (1)", errc::notFound, "'Artikelz'"},
        {"INSERT INTO [Omzet per klant] (Naam) VALUES ('x')", errc::fail, "'Omzet per klant'"},
        {"INSERT INTO Artikel (ArtikelNr, Omschrijving, Prijs) VALUES (1001, 'dubbel', 1)", errc::integrity,
         "pkArtikel"},
        // The third row collides: the two before it go too.
        {"INSERT INTO Artikel (ArtikelNr, Omschrijving, Prijs) SELECT IIf(ArtikelNr < 1003, ArtikelNr + 1000, 1001), "
         "Omschrijving, Prijs FROM Artikel ORDER BY ArtikelNr",
         errc::integrity, "pkArtikel"},
        {"INSERT INTO Artikel VALUES (1, 'x')", errc::syntax, "aantal"},
        {"INSERT INTO Artikel (ArtikelNr) VALUES (1, 2)", errc::syntax, "aantal"},
        {"INSERT INTO Artikel (ArtikelNr, artikelnr) VALUES (1, 2)", errc::syntax, "meer dan eens"},
        {"INSERT INTO Artikel SELECT Omschrijving & '!' FROM Artikel", errc::notFound, "'Expr1000'"},
        {"UPDATE Artikel" + join + " SET ArtikelNr = 0", errc::syntax, "meer dan één tabel"},
        {"UPDATE Artikel" + join + " SET Omschrijving = 'x', Aantal = 1", errc::fail, "één tabel"},
        {"UPDATE Artikel SET Prijs = Max(Prijs)", errc::syntax, "statistische functie"},
        {"UPDATE Klant SET KlantNr = 1", errc::fail, "AutoNummering"},
        {"DELETE FROM Bestelling INNER JOIN Klant ON Bestelling.KlantNr = Klant.KlantNr", errc::syntax,
         "uit welke tabel"},
        {"DELETE Artikel.* FROM Bestelling", errc::syntax, "'Artikel'"},
        {"SELECT b.BestelNr, r.BestelNr INTO Dubbel FROM Bestelling AS b INNER JOIN Bestelregel AS r "
         "ON b.BestelNr = r.BestelNr",
         errc::syntax, "'BestelNr'"},
    };
    for (const auto& r : refusals) refused(r.text, r.number, r.says);
    // A character outside the code page (Jet 3) is refused; Jet 4 indexes every character.
    if (GetParam() == jet::Version::Jet4)
        EXPECT_EQ(execute("UPDATE Klant SET Plaats = Plaats & 'ğ' WHERE KlantNr = 1"), 1);
    else
        refused("UPDATE Klant SET Plaats = Plaats & 'ğ' WHERE KlantNr = 1", errc::typeMismatch, "Access 97");
}

TEST_P(ActionStatementsOnFiles, EnforcedRelationshipsHoldBothWays)
{
    refused("INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum) VALUES (1, 999, #1/1/2025#)", errc::integrity,
            "'Klant'");
    refused("UPDATE Bestelling SET KlantNr = 999 WHERE KlantNr = 1", errc::integrity, "'Klant'");
    refused("DELETE FROM Klant WHERE KlantNr = 1", errc::integrity, "'Bestelling'");

    EXPECT_EQ(execute("INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum) VALUES (1, 5, #1/1/2025#)"), 1);
    EXPECT_EQ(execute("UPDATE Klant SET Plaats = 'Berlijn' WHERE KlantNr = 1"), 1);  // key left alone
    EXPECT_EQ(execute("DELETE FROM Klant WHERE KlantNr = 38"), 1);                   // nobody refers to it
}

TEST_P(ActionStatementsOnFiles, CommandLineReportsTheRecordsAffected)
{
    ASSERT_FALSE(test::querimoSqlPath().empty()) << "QUERIMO_SQL (het pad van querimo-sql) is niet gezet";
    connection.reset();  // the command line opens the file itself
    auto run = [&](const std::string& statement) {
        const test::ProcessResult result = test::runProcess({test::querimoSqlPath(), path, statement});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return result.out;
    };
    EXPECT_EQ(run("UPDATE Klant SET Telefoon = Telefoon WHERE KlantNr <= 2"), "2 records gewijzigd\n");
    EXPECT_EQ(run("INSERT INTO Artikel (ArtikelNr, Omschrijving, Prijs) VALUES (2001, 'Map', 2)"),
              "1 record toegevoegd\n");
    EXPECT_EQ(run("DELETE FROM Artikel WHERE ArtikelNr = 99"), "0 records verwijderd\n");
}

INSTANTIATE_TEST_SUITE_P(Versions, ActionStatementsOnFiles, ::testing::Values(jet::Version::Jet4, jet::Version::Jet3),
                         [](const auto& param) { return param.param == jet::Version::Jet4 ? "Jet4" : "Jet3"; });

// Northwind holds keys Access wrote with characters we cannot encode yet: rows whose key does not change
// must still be updatable.
TEST(ActionStatementsOnNorthwind, AnUpdateLeavingAKeyAloneNeedsNoNewKey)
{
    QUERIMO_REQUIRE_CORPUS_FILE("northwind-jet4.mdb");
    test::ScratchDir scratch;
    ado::Connection connection;
    connection.Provider = "Microsoft.Jet.OLEDB.4.0";
    connection.GetProperties()("Data Source") = scratch.copyOf("northwind-jet4.mdb");
    connection.Open();
    ado::Command command;
    command.ActiveConnection = &connection;
    command.SetCommandText("UPDATE Products SET UnitPrice = UnitPrice * 2 WHERE ProductName = 'Côte de Blaye'");
    long affected = 0;
    command.Execute(&affected);
    EXPECT_EQ(affected, 1);
}

}  // namespace
}  // namespace querimo
