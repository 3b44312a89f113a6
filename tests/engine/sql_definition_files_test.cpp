// Data definition on files our writer makes in both versions, read back by our engine after reopening and by mdbtools.
#include <gtest/gtest.h>

#include <algorithm>

#include "jet_test_files.h"
#include "sql/Execution.h"
#include "sql/Parser.h"
#include "sql/Sql.h"
#include "support/Process.h"

namespace querimo {
namespace {

class DefinitionOnFile : public ::testing::TestWithParam<jet::Version> {
protected:
    void SetUp() override
    {
        path = scratch.database(
            GetParam(), {"CREATE TABLE Table1 (A TEXT(50), B TEXT(50), C BYTE, D SHORT, E LONG, "
                         "F DOUBLE, G DATETIME, H CURRENCY, I YESNO)",
                         "INSERT INTO Table1 VALUES ('abcdefg', 'hijklmnop', 2, 222, 333333333, "
                         "444.555, #9/21/1974#, 3.5, True)",
                         "INSERT INTO Table1 VALUES ('a', 'b', 0, 0, 0, 0, #12/12/1981#, 0, False)",
                         "INSERT INTO Table1 (A, C) VALUES ('c', 2)",
                         "CREATE TABLE Klant (KlantNr LONG CONSTRAINT PrimaryKey PRIMARY KEY, Naam LONG)",
                         "CREATE TABLE Los (a LONG, b LONG)", "CREATE VIEW [Bestaande query] AS SELECT a FROM Los"});
    }
    std::unique_ptr<jet::Database> open(bool exclusive = false, const std::string& password = {})
    {
        jet::OpenOptions options;
        options.path = path;
        options.exclusive = exclusive;
        options.databasePassword = password;
        return jet::Database::open(options);
    }
    std::string mdb(const std::vector<std::string>& argv)
    {
        const test::ProcessResult r = test::runProcess(argv);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return r.out;
    }
    static bool listed(const jet::Database& db, const std::string& name)
    {
        for (const jet::CatalogEntry& e : db.catalog())
            if (e.name == name) return true;
        return false;
    }

    test::ScratchDir scratch;
    std::string path;
};

TEST_P(DefinitionOnFile, CreateTableWithEveryTypeReadsBackTheSameWays)
{
    bool jet3 = false;
    {
        auto db = open();
        jet3 = db->version() == jet::Version::Jet3;
        if (jet3) {  // Jet 3 has no Decimal fields; the statement fails whole
            EXPECT_THROW(sql::run(*db, "CREATE TABLE Fout (Nr LONG, Exact DECIMAL(12, 3))"), DbError);
        }
        sql::run(*db,
                 std::string("CREATE TABLE [Alle typen] (Nr COUNTER CONSTRAINT pk PRIMARY KEY, Tekst TEXT(40) "
                             "NOT NULL, Lang MEMO, Klein BYTE, Kort SHORT, Getal LONG, Enkel SINGLE, Dubbel DOUBLE, "
                             "Geld CURRENCY, Datum DATETIME, JaNee YESNO, Id GUID, Object OLEOBJECT, Bytes BINARY(16)")
                     + (jet3 ? ")" : ", Exact DECIMAL(12, 3))"));
    }
    auto db = open();
    EXPECT_FALSE(listed(*db, "Fout"));
    const jet::TableDef& t = db->table("Alle typen");
    ASSERT_EQ(t.columns.size(), jet3 ? 14u : 15u);
    EXPECT_TRUE(t.columns[0].autoNumber);
    EXPECT_EQ(t.columns[1].type, jet::ColumnType::Text);
    EXPECT_EQ(t.columns[1].size, 40);
    if (!jet3) {
        EXPECT_EQ(t.columns[14].type, jet::ColumnType::Decimal);
        EXPECT_EQ(t.columns[14].precision, 12);
        EXPECT_EQ(t.columns[14].scale, 3);
    }
    ASSERT_EQ(t.indexes.size(), 1u);
    EXPECT_EQ(t.indexes[0].name, "pk");
    EXPECT_TRUE(t.indexes[0].primaryKey);

    // mdbtools names each type as Access does.
    const std::string schema = mdb({"mdb-schema", "-T", "Alle typen", path});
    for (const char* expected :
         {"[Nr]\t\t\tLong Integer", "[Tekst]\t\t\tText (40)", "[Lang]\t\t\tMemo/Hyperlink", "[Klein]\t\t\tByte",
          "[Kort]\t\t\tInteger", "[Getal]\t\t\tLong Integer", "[Enkel]\t\t\tSingle", "[Dubbel]\t\t\tDouble",
          "[Geld]\t\t\tCurrency", "[Datum]\t\t\tDateTime", "[JaNee]\t\t\tBoolean", "[Id]\t\t\tReplication ID",
          "[Object]\t\t\tOLE", "[Bytes]\t\t\tBinary"})
        EXPECT_NE(schema.find(expected), std::string::npos) << expected << "\n" << schema;
    if (!jet3) {
        EXPECT_NE(schema.find("[Exact]\t\t\tNumeric (12, 3)"), std::string::npos) << schema;
    }
    EXPECT_NE(mdb({"mdb-schema", "--indexes", "-T", "Alle typen", path, "mysql"}).find("PRIMARY KEY (`Nr`)"),
              std::string::npos);
}

TEST_P(DefinitionOnFile, IndexesComeAndGoAndTablesDrop)
{
    {
        auto db = open();
        sql::run(*db, "CREATE UNIQUE INDEX Dubbel ON Table1 (E DESC, A)");
    }
    {
        auto db = open();
        const jet::TableDef& t = db->table("Table1");
        const auto made =
            std::find_if(t.indexes.begin(), t.indexes.end(), [](const jet::IndexDef& i) { return i.name == "Dubbel"; });
        ASSERT_NE(made, t.indexes.end());
        EXPECT_TRUE(made->unique);
        ASSERT_EQ(made->columns.size(), 2u);
        EXPECT_FALSE(made->columns[0].ascending);
        EXPECT_EQ(made->columns[1].columnNumber, t.column("A")->number);
        EXPECT_NE(mdb({"mdb-schema", "--indexes", "-T", "Table1", path, "mysql"}).find("Dubbel"), std::string::npos);
        sql::run(*db, "DROP INDEX Dubbel ON Table1");
        sql::run(*db, "DROP TABLE Table1");
    }
    auto db = open();
    EXPECT_FALSE(listed(*db, "Table1"));
    EXPECT_EQ(mdb({"mdb-tables", "-1", path}).find("Table1\n"), std::string::npos);
}

TEST_P(DefinitionOnFile, CounterSeedStartsAndResetsTheNumbering)
{
    const auto insert = [&](jet::Database& db, const char* name) {
        db.beginStatement();
        db.insertRow(db.table("Genummerd"), {Value::null(), Value::text(name)});
        db.commitStatement();
    };
    {
        auto db = open();
        sql::run(*db, "CREATE TABLE Genummerd (Nr COUNTER(100, 1), Naam TEXT(10))");
        insert(*db, "een");
        insert(*db, "twee");
        sql::run(*db, "ALTER TABLE Genummerd ALTER COLUMN Nr COUNTER(500, 1)");
        insert(*db, "drie");
    }
    EXPECT_EQ(mdb({"mdb-export", path, "Genummerd"}), "Nr,Naam\n100,\"een\"\n101,\"twee\"\n500,\"drie\"\n");
}

TEST_P(DefinitionOnFile, ReferencesMakeARelationshipThatKeepsItsTables)
{
    {
        auto db = open();
        sql::run(*db, "CREATE TABLE Baas (Nr LONG CONSTRAINT pk PRIMARY KEY, Naam TEXT(30))");
        sql::run(*db, "CREATE TABLE Taak (Id COUNTER PRIMARY KEY, Baas LONG REFERENCES Baas)");
    }
    const std::string relations = mdb({"mdb-export", path, "MSysRelationships"});
    EXPECT_NE(relations.find("\"BaasTaak\""), std::string::npos) << relations;
    EXPECT_NE(relations.find("\"Taak\",\"Baas\",\"Baas\",\"Nr\""), std::string::npos) << relations;
    const std::string before = test::readBytes(path);
    const DbError e = test::errorFrom([&] { sql::run(*open(), "DROP TABLE Baas"); });
    EXPECT_EQ(e.description().rfind(
                  "De tabel 'Baas' kan niet worden verwijderd: hij maakt deel uit van een relatie met 'Taak'", 0),
              0u)
        << e.description();
    EXPECT_TRUE(test::readBytes(path) == before);
}

TEST_P(DefinitionOnFile, ViewRunsByNameAndMdbtoolsListsIt)
{
    {
        auto db = open();
        sql::run(*db, "CREATE VIEW [Grote getallen] AS SELECT A, E FROM Table1 WHERE E > 0 ORDER BY A");
    }
    const auto rows = sql::runQuery(*open(), sql::parseStatement("SELECT * FROM [Grote getallen]"), {});
    EXPECT_EQ(rows.columns.size(), 2u);
    EXPECT_EQ(rows.rows->rowCount(), 1u);
    EXPECT_NE(mdb({"mdb-queries", "-L", "-1", path}).find("Grote getallen"), std::string::npos);
    EXPECT_NE(mdb({"mdb-queries", path, "Grote getallen"}).find("WHERE E > 0"), std::string::npos);
}

TEST_P(DefinitionOnFile, DatabasePasswordNeedsAnExclusiveOpenAndHoldsAfterReopening)
{
    {
        auto shared = open();
        EXPECT_THROW(sql::run(*shared, "ALTER DATABASE PASSWORD geheim NULL"), DbError);
    }
    {
        auto db = open(true);
        sql::run(*db, "ALTER DATABASE PASSWORD geheim NULL");
    }
    EXPECT_THROW(open(), DbError);
    auto db = open(true, "geheim");
    sql::run(*db, "ALTER DATABASE PASSWORD Null [geheim]");
    db.reset();
    EXPECT_NO_THROW(open());
}

TEST_P(DefinitionOnFile, ConstraintsOfCreateTableBecomeIndexesAndRelationships)
{
    {
        auto db = open();
        sql::run(*db,
                 "CREATE TABLE Bestelling (Nr COUNTER PRIMARY KEY, Klant LONG REFERENCES Klant, "
                 "Code TEXT(5) UNIQUE, Eigen LONG REFERENCES Bestelling (Nr), CONSTRAINT uk UNIQUE (Klant, Code))");
        sql::run(*db, "CREATE UNIQUE INDEX Naamindex ON Los (b DESC, a) WITH DISALLOW NULL");
        sql::run(*db, "CREATE VIEW Namen (Wie) AS SELECT Naam FROM Klant ORDER BY Naam");
    }
    auto db = open();
    std::vector<std::string> indexes;
    for (const jet::IndexDef& i : db->table("Bestelling").indexes)
        indexes.push_back(i.name + (i.primaryKey ? " pk" : "") + (i.unique ? " uniek" : "")
                          + (i.foreignKey ? " fk" : "") + " " + std::to_string(i.columns.size()));
    std::sort(indexes.begin(), indexes.end());
    EXPECT_EQ(indexes, (std::vector<std::string>{".rA uniek fk 1", "BestellingBestelling fk 1", "Code uniek 1",
                                                 "KlantBestelling fk 1", "PrimaryKey pk uniek 1", "uk uniek 2"}));
    const jet::IndexDef& naam = db->table("Los").indexes.at(0);
    EXPECT_TRUE(naam.unique);
    EXPECT_TRUE(naam.required);
    EXPECT_FALSE(naam.columns.at(0).ascending);
    sql::Catalog catalog(*db);
    ASSERT_NE(catalog.findQuery("Namen"), nullptr);
    EXPECT_EQ(catalog.findQuery("Namen")->sql, "SELECT Naam AS Wie\nFROM Klant\nORDER BY Naam");
}

// Each refusal names what is wrong and where, and the file keeps every byte.
TEST_P(DefinitionOnFile, AccessRulesRefuseAndLeaveTheFileAsItWas)
{
    const std::pair<const char*, const char*> refusals[] = {
        {"CREATE TABLE klant (x LONG)", "Er bestaat al een tabel met de naam 'klant' (op positie 14)."},
        {"CREATE VIEW [Bestaande Query] AS SELECT 1",
         "Er bestaat al een query met de naam 'Bestaande Query' (op positie 13)."},
        {"DROP TABLE Weg", "De tabel 'Weg' bestaat niet (op positie 12)."},
        {"DROP TABLE [Bestaande query]", "De tabel 'Bestaande query' bestaat niet (op positie 12)."},
        {"DROP VIEW Klant", "De view 'Klant' bestaat niet (op positie 11)."},
        {"DROP TABLE MSysRelationships",
         "De systeemtabel 'MSysRelationships' kan niet worden gewijzigd (op positie 12)."},
        {"DROP INDEX x ON Klant", "De index 'x' bestaat niet in de tabel 'Klant' (op positie 12)."},
        {"ALTER TABLE Klant DROP KlantNr",
         "De kolom 'KlantNr' kan niet worden verwijderd: hij hoort bij de index 'PrimaryKey' (op positie 24)."},
        {"ALTER TABLE Klant ADD Naam TEXT", "De kolom 'Naam' bestaat al in de tabel 'Klant' (op positie 23)."},
        {"CREATE INDEX i ON Klant (Adres)", "De kolom 'Adres' bestaat niet in de tabel 'Klant' (op positie 26)."},
        {"CREATE INDEX PrimaryKey ON Klant (Naam)",
         "De index 'PrimaryKey' bestaat al in de tabel 'Klant' (op positie 14)."},
        {"CREATE INDEX i ON Klant (Naam) WITH PRIMARY",
         "De tabel 'Klant' heeft al een primaire sleutel (op positie 14)."},
        {"CREATE TABLE t (a LONG REFERENCES Los)",
         "De tabel 'Los' heeft geen primaire sleutel om naar te verwijzen (op positie 24)."},
        {"CREATE TABLE t (a COUNTER(5, 10))",
         "Een AutoNummering met een andere stapgrootte dan 1 wordt niet ondersteund (op positie 17)."},
        {"CREATE TABLE t (a COUNTER(0, 1))",
         "De beginwaarde van een AutoNummering moet 1 of hoger zijn (op positie 17)."},
        {"CREATE VIEW v AS SELECT a FROM Los WHERE", "Syntaxisfout: de opdracht is onvolledig op positie 41."},
        {"CREATE VIEW v AS SELECT a INTO b FROM Los", "Een view kan geen SELECT ... INTO zijn (op positie 18)."},
        {"CREATE UNIQUE INDEX u ON Table1 (C)", "'u'"},  // two rows hold 2
    };
    const std::string before = test::readBytes(path);
    {
        auto db = open();
        for (const auto& [statement, message] : refusals) {
            const DbError e = test::errorFrom([&] { sql::run(*db, statement); }, statement);
            EXPECT_NE(e.description().find(message), std::string::npos) << statement << "\n" << e.description();
        }
    }
    EXPECT_TRUE(test::readBytes(path) == before);
}

INSTANTIATE_TEST_SUITE_P(Versions, DefinitionOnFile, ::testing::Values(jet::Version::Jet4, jet::Version::Jet3),
                         [](const auto& param) { return param.param == jet::Version::Jet4 ? "Jet4" : "Jet3"; });

}  // namespace
}  // namespace querimo
