// What CREATE, ALTER and DROP ask of the database: the calls, in one statement, rolled back on failure, and
// the Access rules checked before anything changes.
#include <gtest/gtest.h>

#include <memory>

#include "core/Error.h"
#include "core/Text.h"
#include "jet/Database.h"
#include "sql/Definition.h"
#include "sql/QueryText.h"

namespace querimo {
namespace {

// Tables and queries in memory; every write call is written down, and changes the tables as the engine would.
class RecordingDatabase : public jet::Database {
public:
    std::vector<std::string> calls;
    std::vector<jet::QueryRow> lastQuery;
    bool failIndexes = false;
    std::vector<std::pair<std::string, std::string>> relationships;  // szObject, szReferencedObject

    jet::Version version() const override { return jet::Version::Jet4; }
    const std::string& path() const override { return path_; }
    const std::vector<jet::CatalogEntry>& catalog() const override { return catalog_; }
    const jet::TableDef& table(std::string_view name) override { return find(name); }
    std::unique_ptr<jet::TableScan> scan(const jet::TableDef& table) override
    {
        return std::make_unique<Scan>(text::equalsIgnoreCase(table.name, "MSysRelationships") ? relationships
                                                                                              : decltype(relationships){});
    }
    std::vector<jet::QueryRow> queryRows(std::int32_t) override { return {}; }
    void beginRead() override {}
    void endRead() override {}
    void beginStatement() override { calls.push_back("begin"); }
    void commitStatement() override { calls.push_back("commit"); }
    void rollbackStatement() override { calls.push_back("rollback"); }
    jet::RowId insertRow(const jet::TableDef&, std::vector<Value>) override { return 0; }
    void updateRow(const jet::TableDef&, jet::RowId, std::vector<Value>) override {}
    void deleteRow(const jet::TableDef&, jet::RowId) override {}

    void createTable(const jet::TableDef& def) override
    {
        std::string call = "createTable " + def.name;
        for (const jet::ColumnDef& c : def.columns) call += " " + c.name + ":" + std::to_string(int(c.type));
        calls.push_back(call);
        addTable(def, jet::ObjectKind::Table);
    }
    void dropTable(std::string_view name) override { calls.push_back("dropTable " + std::string(name)); }
    void setNextAutoNumber(std::string_view table, std::uint32_t next) override
    {
        calls.push_back("nextAutoNumber " + std::string(table) + " " + std::to_string(next));
    }
    void addColumn(std::string_view table, const jet::ColumnDef& column) override
    {
        calls.push_back("addColumn " + std::string(table) + " " + column.name);
        jet::TableDef& t = find(table);
        jet::ColumnDef c = column;
        c.number = static_cast<int>(t.columns.size());
        t.columns.push_back(c);
    }
    void dropColumn(std::string_view table, std::string_view column) override
    {
        calls.push_back("dropColumn " + std::string(table) + " " + std::string(column));
    }
    void alterColumn(std::string_view table, const jet::ColumnDef& column, const jet::ColumnConversion&) override
    {
        calls.push_back("alterColumn " + std::string(table) + " " + column.name + ":" + std::to_string(int(column.type)));
    }
    void createIndex(std::string_view table, const jet::IndexDef& index) override
    {
        if (failIndexes) throw DbError(errc::integrity, "dubbele waarden");
        calls.push_back("createIndex " + std::string(table) + " " + describe(index));
        find(table).indexes.push_back(index);
    }
    void dropIndex(std::string_view table, std::string_view index) override
    {
        calls.push_back("dropIndex " + std::string(table) + " " + std::string(index));
    }
    void createRelationship(std::string_view table, const jet::IndexDef& foreignKey, std::string_view referenced,
                            const std::vector<std::string>& columns) override
    {
        std::string call = "createRelationship " + std::string(table) + " " + describe(foreignKey) + " -> " +
                           std::string(referenced);
        for (const std::string& c : columns) call += " " + c;
        calls.push_back(call);
        find(table).indexes.push_back(foreignKey);
    }
    void createQuery(const std::string& name, const std::vector<jet::QueryRow>& rows) override
    {
        calls.push_back("createQuery " + name);
        lastQuery = rows;
    }
    void dropQuery(std::string_view name) override { calls.push_back("dropQuery " + std::string(name)); }
    void changeDatabasePassword(const std::string& newPassword, const std::string& oldPassword) override
    {
        calls.push_back("password '" + newPassword + "' '" + oldPassword + "'");
    }

    void addTable(const jet::TableDef& def, jet::ObjectKind kind)
    {
        auto t = std::make_unique<jet::TableDef>(def);
        for (std::size_t i = 0; i < t->columns.size(); ++i) t->columns[i].number = static_cast<int>(i) + 10;
        catalog_.push_back({def.name, kind, static_cast<std::int32_t>(catalog_.size() + 1), 0, {}, {}});
        tables_.push_back(std::move(t));
    }
    void addQuery(const std::string& name) { catalog_.push_back({name, jet::ObjectKind::Query, 99, 0, {}, {}}); }

private:
    class Scan : public jet::TableScan {
    public:
        explicit Scan(std::vector<std::pair<std::string, std::string>> rows) : rows_(std::move(rows)) {}
        bool next(std::vector<Value>& row) override
        {
            if (at_ >= rows_.size()) return false;
            row = {Value::text(rows_[at_].first), Value::text(rows_[at_].second)};
            ++at_;
            return true;
        }
        jet::RowId rowId() const override { return static_cast<jet::RowId>(at_); }

    private:
        std::vector<std::pair<std::string, std::string>> rows_;
        std::size_t at_ = 0;
    };

    std::string describe(const jet::IndexDef& index)
    {
        std::string out = index.name + "(";
        for (const jet::IndexColumn& c : index.columns) out += std::to_string(c.columnNumber) + (c.ascending ? "" : "-") + ",";
        out += ")";
        if (index.primaryKey) out += " pk";
        if (index.unique) out += " unique";
        if (index.required) out += " required";
        if (index.ignoreNulls) out += " ignorenulls";
        if (index.foreignKey) out += " fk";
        return out;
    }
    jet::TableDef& find(std::string_view name)
    {
        for (auto& t : tables_)
            if (text::equalsIgnoreCase(t->name, name)) return *t;
        throw DbError(errc::notFound, "geen tabel " + std::string(name));
    }

    std::string path_ = "opname.mdb";
    std::vector<jet::CatalogEntry> catalog_;
    std::vector<std::unique_ptr<jet::TableDef>> tables_;
};

jet::TableDef tableOf(const std::string& name, const std::vector<std::string>& columns)
{
    jet::TableDef t;
    t.name = name;
    for (const std::string& c : columns) {
        jet::ColumnDef d;
        d.name = c;
        d.type = jet::ColumnType::Long;
        t.columns.push_back(d);
    }
    return t;
}

class DefinitionRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        jet::TableDef klant = tableOf("Klant", {"KlantNr", "Naam"});
        klant.indexes.push_back({"PrimaryKey", {{10, true}}, true, false, true, true, false});
        db.addTable(klant, jet::ObjectKind::Table);
        db.addTable(tableOf("Los", {"a", "b"}), jet::ObjectKind::Table);
        db.addTable(tableOf("MSysRelationships", {"szObject", "szReferencedObject"}), jet::ObjectKind::SystemTable);
        db.addQuery("Bestaande query");
    }
    std::string failure(const std::string& text)
    {
        try {
            sql::runDefinition(db, text);
        } catch (const DbError& e) {
            return e.description();
        }
        return "geen fout";
    }
    std::vector<std::string>& calls() { return db.calls; }
    RecordingDatabase db;
};

using Calls = std::vector<std::string>;

TEST_F(DefinitionRun, CreateTableWithConstraintsIsOneStatement)
{
    sql::runDefinition(db, "CREATE TABLE Bestelling (Nr COUNTER PRIMARY KEY, Klant LONG REFERENCES Klant, "
                           "Code TEXT(5) UNIQUE, Eigen LONG REFERENCES Bestelling (Nr), "
                           "CONSTRAINT uk UNIQUE (Klant, Code))");
    EXPECT_EQ(calls(), (Calls{"begin", "createTable Bestelling Nr:4 Klant:4 Code:10 Eigen:4",
                              "createIndex Bestelling PrimaryKey(10,) pk unique required",
                              "createRelationship Bestelling KlantBestelling(11,) fk -> Klant KlantNr",
                              "createIndex Bestelling Code(12,) unique",
                              "createRelationship Bestelling BestellingBestelling(13,) fk -> Bestelling Nr",
                              "createIndex Bestelling uk(11,12,) unique", "commit"}));
}

TEST_F(DefinitionRun, IndexesColumnsAndConstraintsOnExistingTables)
{
    sql::runDefinition(db, "CREATE UNIQUE INDEX Naamindex ON Los (b DESC, a) WITH DISALLOW NULL");
    sql::runDefinition(db, "ALTER TABLE Los ADD COLUMN c TEXT(10) UNIQUE");
    sql::runDefinition(db, "ALTER TABLE Los ADD CONSTRAINT uc UNIQUE (a, c)");
    sql::runDefinition(db, "ALTER TABLE los ALTER COLUMN A DOUBLE");
    sql::runDefinition(db, "DROP INDEX naamindex ON Los");
    sql::runDefinition(db, "ALTER TABLE Los DROP CONSTRAINT UC");
    sql::runDefinition(db, "CREATE INDEX p ON Klant (Naam) WITH IGNORE NULL");
    EXPECT_EQ(calls(), (Calls{"begin", "createIndex Los Naamindex(11-,10,) unique required", "commit",
                              "begin", "addColumn Los c", "createIndex Los c(2,) unique", "commit",
                              "begin", "createIndex Los uc(10,2,) unique", "commit",
                              "begin", "alterColumn Los a:7", "commit",
                              "begin", "dropIndex Los Naamindex", "commit",
                              "begin", "dropIndex Los uc", "commit",
                              "begin", "createIndex Klant p(11,) ignorenulls", "commit"}));
}

TEST_F(DefinitionRun, ViewsTablesAndPassword)
{
    sql::runDefinition(db, "CREATE VIEW Namen (Wie) AS SELECT Naam FROM Klant ORDER BY Naam");
    EXPECT_EQ(sql::rebuildQueryText(db.lastQuery), "SELECT Naam AS Wie\nFROM Klant\nORDER BY Naam");
    sql::runDefinition(db, "DROP VIEW [bestaande query]");
    sql::runDefinition(db, "DROP TABLE los");
    sql::runDefinition(db, "ALTER TABLE Los DROP COLUMN b");
    sql::runDefinition(db, "ALTER DATABASE PASSWORD geheim NULL");
    EXPECT_EQ(calls(), (Calls{"begin", "createQuery Namen", "commit", "begin", "dropQuery bestaande query", "commit",
                              "begin", "dropTable Los", "commit", "begin", "dropColumn Los b", "commit", "begin",
                              "password 'geheim' ''", "commit"}));
}

TEST_F(DefinitionRun, AccessRulesRefuseBeforeAnythingChanges)
{
    EXPECT_EQ(failure("CREATE TABLE klant (x LONG)"), "Er bestaat al een tabel met de naam 'klant' (op positie 14).");
    EXPECT_EQ(failure("CREATE VIEW [Bestaande Query] AS SELECT 1"),
              "Er bestaat al een query met de naam 'Bestaande Query' (op positie 13).");
    EXPECT_EQ(failure("DROP TABLE Weg"), "De tabel 'Weg' bestaat niet (op positie 12).");
    EXPECT_EQ(failure("DROP TABLE [Bestaande query]"), "De tabel 'Bestaande query' bestaat niet (op positie 12).");
    EXPECT_EQ(failure("DROP VIEW Klant"), "De view 'Klant' bestaat niet (op positie 11).");
    EXPECT_EQ(failure("DROP TABLE MSysRelationships"),
              "De systeemtabel 'MSysRelationships' kan niet worden gewijzigd (op positie 12).");
    EXPECT_EQ(failure("DROP INDEX x ON Klant"), "De index 'x' bestaat niet in de tabel 'Klant' (op positie 12).");
    EXPECT_EQ(failure("ALTER TABLE Klant DROP KlantNr"),
              "De kolom 'KlantNr' kan niet worden verwijderd: hij hoort bij de index 'PrimaryKey' (op positie 24).");
    EXPECT_EQ(failure("ALTER TABLE Klant ADD Naam TEXT"), "De kolom 'Naam' bestaat al in de tabel 'Klant' (op positie 23).");
    EXPECT_EQ(failure("CREATE INDEX i ON Klant (Adres)"), "De kolom 'Adres' bestaat niet in de tabel 'Klant' (op positie 26).");
    EXPECT_EQ(failure("CREATE INDEX PrimaryKey ON Klant (Naam)"),
              "De index 'PrimaryKey' bestaat al in de tabel 'Klant' (op positie 14).");
    EXPECT_EQ(failure("CREATE INDEX i ON Klant (Naam) WITH PRIMARY"),
              "De tabel 'Klant' heeft al een primaire sleutel (op positie 14).");
    EXPECT_EQ(failure("CREATE TABLE t (a LONG REFERENCES Los)"),
              "De tabel 'Los' heeft geen primaire sleutel om naar te verwijzen (op positie 24).");
    EXPECT_EQ(failure("CREATE TABLE t (a COUNTER(5, 10))"),
              "Een AutoNummering met een andere stapgrootte dan 1 wordt niet ondersteund (op positie 17).");
    EXPECT_EQ(failure("CREATE TABLE t (a COUNTER(0, 1))"),
              "De beginwaarde van een AutoNummering moet 1 of hoger zijn (op positie 17).");
    // Each of these began a statement and rolled it back, or never began one.
    for (const std::string& c : calls()) EXPECT_TRUE(c == "begin" || c == "rollback") << c;

    calls().clear();
    db.relationships = {{"Los", "Klant"}};
    EXPECT_EQ(failure("DROP TABLE Klant"),
              "De tabel 'Klant' kan niet worden verwijderd: hij maakt deel uit van een relatie met 'Los' (op positie 12).");
    EXPECT_EQ(calls(), (Calls{"begin", "rollback"}));
}

TEST_F(DefinitionRun, FailureHalfWayRollsTheStatementBack)
{
    db.failIndexes = true;
    EXPECT_EQ(failure("CREATE TABLE Nieuw (a LONG PRIMARY KEY)"), "dubbele waarden");
    EXPECT_EQ(calls(), (Calls{"begin", "createTable Nieuw a:4", "rollback"}));
    calls().clear();
    EXPECT_EQ(failure("CREATE VIEW v AS SELECT a FROM Los WHERE"),
              "Syntaxisfout: de opdracht is onvolledig op positie 41.");
    EXPECT_TRUE(calls().empty());
    EXPECT_EQ(failure("CREATE VIEW v AS SELECT a INTO b FROM Los"), "Een view kan geen SELECT ... INTO zijn (op positie 18).");
}

}  // namespace
}  // namespace querimo
