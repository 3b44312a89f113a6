// Data definition on copies of real Access files, read back by our engine after reopening and by mdbtools.
#include <gtest/gtest.h>

#include <algorithm>

#include "ado/Command.h"
#include "ado/Connection.h"
#include "core/Error.h"
#include "jet/Database.h"
#include "jet_test_files.h"
#include "sql/Definition.h"
#include "support/Process.h"

namespace querimo {
namespace {


class DefinitionOnFile : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        QUERIMO_REQUIRE_CORPUS();
        path = scratch.copyOf(GetParam());
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
            EXPECT_THROW(sql::runDefinition(*db, "CREATE TABLE Fout (Nr LONG, Exact DECIMAL(12, 3))"), DbError);
        }
        sql::runDefinition(*db, std::string("CREATE TABLE [Alle typen] (Nr COUNTER CONSTRAINT pk PRIMARY KEY, Tekst TEXT(40) "
                                     "NOT NULL, Lang MEMO, Klein BYTE, Kort SHORT, Getal LONG, Enkel SINGLE, Dubbel DOUBLE, "
                                     "Geld CURRENCY, Datum DATETIME, JaNee YESNO, Id GUID, Object OLEOBJECT, Bytes BINARY(16)") +
                             (jet3 ? ")" : ", Exact DECIMAL(12, 3))"));
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
        sql::runDefinition(*db, "CREATE UNIQUE INDEX Dubbel ON Table1 (E DESC, A)");
    }
    {
        auto db = open();
        const jet::TableDef& t = db->table("Table1");
        const auto made = std::find_if(t.indexes.begin(), t.indexes.end(),
                                       [](const jet::IndexDef& i) { return i.name == "Dubbel"; });
        ASSERT_NE(made, t.indexes.end());
        EXPECT_TRUE(made->unique);
        ASSERT_EQ(made->columns.size(), 2u);
        EXPECT_FALSE(made->columns[0].ascending);
        EXPECT_EQ(made->columns[1].columnNumber, t.column("A")->number);
        EXPECT_NE(mdb({"mdb-schema", "--indexes", "-T", "Table1", path, "mysql"}).find("Dubbel"), std::string::npos);
        sql::runDefinition(*db, "DROP INDEX Dubbel ON Table1");
        sql::runDefinition(*db, "DROP TABLE Table1");
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
        sql::runDefinition(*db, "CREATE TABLE Genummerd (Nr COUNTER(100, 1), Naam TEXT(10))");
        insert(*db, "een");
        insert(*db, "twee");
        sql::runDefinition(*db, "ALTER TABLE Genummerd ALTER COLUMN Nr COUNTER(500, 1)");
        insert(*db, "drie");
    }
    EXPECT_EQ(mdb({"mdb-export", path, "Genummerd"}), "Nr,Naam\n100,\"een\"\n101,\"twee\"\n500,\"drie\"\n");
}

TEST_P(DefinitionOnFile, ReferencesMakeARelationshipThatKeepsItsTables)
{
    {
        auto db = open();
        sql::runDefinition(*db, "CREATE TABLE Klant (Nr LONG CONSTRAINT pk PRIMARY KEY, Naam TEXT(30))");
        sql::runDefinition(*db, "CREATE TABLE Bestelling (Id COUNTER PRIMARY KEY, Klant LONG REFERENCES Klant)");
    }
    const std::string relations = mdb({"mdb-export", path, "MSysRelationships"});
    EXPECT_NE(relations.find("\"KlantBestelling\""), std::string::npos) << relations;
    EXPECT_NE(relations.find("\"Bestelling\",\"Klant\",\"Klant\",\"Nr\""), std::string::npos) << relations;
    const std::string before = test::readBytes(path);
    {
        auto db = open();
        try {
            sql::runDefinition(*db, "DROP TABLE Klant");
            ADD_FAILURE() << "een tabel in een relatie is verwijderd";
        } catch (const DbError& e) {
            EXPECT_EQ(e.description(), "De tabel 'Klant' kan niet worden verwijderd: hij maakt deel uit van een relatie "
                                       "met 'Bestelling' (op positie 12).");
        }
    }
    EXPECT_EQ(test::readBytes(path), before);
}

TEST_P(DefinitionOnFile, ViewRunsByNameAndMdbtoolsListsIt)
{
    {
        auto db = open();
        sql::runDefinition(*db, "CREATE VIEW [Grote getallen] AS SELECT A, E FROM Table1 WHERE E > 0 ORDER BY A");
    }
    ado::Connection connection;
    connection.Provider = "Microsoft.Jet.OLEDB.4.0";
    connection.GetProperties()("Data Source") = path;
    connection.Open();
    ado::Command command;
    command.ActiveConnection = &connection;
    command.SetCommandText("SELECT * FROM [Grote getallen]");
    const auto rs = command.Execute(nullptr);
    EXPECT_EQ(rs->GetFields().Count(), 2u);
    connection.Close();
    EXPECT_NE(mdb({"mdb-queries", "-L", "-1", path}).find("Grote getallen"), std::string::npos);
    EXPECT_NE(mdb({"mdb-queries", path, "Grote getallen"}).find("WHERE E > 0"), std::string::npos);
}

TEST_P(DefinitionOnFile, DatabasePasswordNeedsAnExclusiveOpenAndHoldsAfterReopening)
{
    {
        auto shared = open();
        EXPECT_THROW(sql::runDefinition(*shared, "ALTER DATABASE PASSWORD geheim NULL"), DbError);
    }
    {
        auto db = open(true);
        sql::runDefinition(*db, "ALTER DATABASE PASSWORD geheim NULL");
    }
    EXPECT_THROW(open(), DbError);
    auto db = open(true, "geheim");
    sql::runDefinition(*db, "ALTER DATABASE PASSWORD Null [geheim]");
    db.reset();
    EXPECT_NO_THROW(open());
}

INSTANTIATE_TEST_SUITE_P(Jet4AndJet3, DefinitionOnFile, ::testing::Values("testV2000.mdb", "testV1997.mdb"));

}  // namespace
}  // namespace querimo
