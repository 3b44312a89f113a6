// querimo-sql --dump sqlite: a new SQLite file whose tables hold the rows --export shows, with keys, unique
// indexes and relationships enforced, AutoNumber keys that continue, and an existing file left alone.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "cli/DumpSql.h"
#include "core/ValueText.h"
#include "dump_support.h"

namespace querimo::test {
namespace {

class SqliteFile {
public:
    explicit SqliteFile(const std::string& path)
    {
        EXPECT_EQ(sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK) << path;
        run("PRAGMA foreign_keys = ON");
    }
    ~SqliteFile() { sqlite3_close(db_); }

    // The SQLite message, empty when the statement succeeds.
    std::string run(const std::string& sql)
    {
        char* message = nullptr;
        sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message);
        const std::string text = message ? message : "";
        sqlite3_free(message);
        return text;
    }

    // The first field of the first row as text; empty when there is none.
    std::string scalar(const std::string& sql)
    {
        sqlite3_stmt* statement = nullptr;
        std::string text;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK
            && sqlite3_step(statement) == SQLITE_ROW)
            text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
        return text;
    }

    // A table's rows in --export's TAB form, sorted.
    std::vector<std::string> rows(const jet::TableDef& table)
    {
        sqlite3_stmt* statement = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db_, ("SELECT * FROM " + cli::quoteIdentifier(table.name)).c_str(), -1, &statement,
                                     nullptr),
                  SQLITE_OK)
            << sqlite3_errmsg(db_);
        std::string text;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (std::size_t i = 0; i < table.columns.size(); ++i) {
                if (i) text += '\t';
                for (char c : exportText(valueOf(statement, static_cast<int>(i), table.columns[i].type))) {
                    switch (c) {
                    case '\\': text += "\\\\"; break;
                    case '\t': text += "\\t"; break;
                    case '\n': text += "\\n"; break;
                    case '\r': text += "\\r"; break;
                    default: text += c;
                    }
                }
            }
            text += '\n';
        }
        sqlite3_finalize(statement);
        return sortedLines(text);
    }

private:
    static Value valueOf(sqlite3_stmt* statement, int i, jet::ColumnType type)
    {
        if (sqlite3_column_type(statement, i) == SQLITE_NULL) return Value::null();
        const auto bytes = [&] {
            const char* data = static_cast<const char*>(sqlite3_column_blob(statement, i));
            return std::string(data ? data : "", static_cast<std::size_t>(sqlite3_column_bytes(statement, i)));
        };
        using T = jet::ColumnType;
        switch (type) {
        case T::Boolean: return Value::boolean(sqlite3_column_int64(statement, i) != 0);
        case T::Byte:
        case T::Integer:
        case T::Long: return Value::int32(static_cast<std::int32_t>(sqlite3_column_int64(statement, i)));
        case T::Single: return Value::single(static_cast<float>(sqlite3_column_double(statement, i)));
        case T::Double: return Value::dbl(sqlite3_column_double(statement, i));
        case T::Binary:
        case T::OleObject: return Value::binary(bytes());
        case T::DateTime: {
            std::string date = bytes();
            if (date.size() == 19 && date.compare(10, 9, " 00:00:00") == 0) date.resize(10);
            return Value::text(date);
        }
        default: return Value::text(bytes());  // currency and decimals as their exact text, GUIDs, text
        }
    }

    sqlite3* db_ = nullptr;
};

class DumpSqlite : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(querimoSqlPath().empty()) << "QUERIMO_SQL (het pad van querimo-sql) is niet gezet";
    }

    std::string dumped(const std::string& database)
    {
        const std::string out = (scratch.path() / ("dump" + std::to_string(++dumps) + ".sqlite")).string();
        const ProcessResult dump = runProcess({querimoSqlPath(), database, "--dump", "sqlite", out});
        EXPECT_EQ(dump.exitCode, 0) << dump.err;
        return out;
    }

    void loadsWhole(const std::string& database)
    {
        SCOPED_TRACE(database);
        SqliteFile file(dumped(database));
        for (const jet::TableDef& table : userTables(database)) {
            SCOPED_TRACE(table.name);
            EXPECT_EQ(file.rows(table), exportedRows(database, table.name));
        }
    }

    ScratchDir scratch;
    int dumps = 0;
};

TEST_F(DumpSqlite, SampleAndEdgeValuesArriveWhole)
{
    loadsWhole(scratch.sample(jet::Version::Jet4));
    loadsWhole(scratch.sample(jet::Version::Jet3));
    loadsWhole(edgeValuesDatabase(scratch));
}

TEST_F(DumpSqlite, CorpusFilesArriveWhole)
{
    for (const std::string& name : dumpedCorpusFiles()) {
        QUERIMO_REQUIRE_CORPUS_FILE(name);
        loadsWhole(scratch.copyOf(name));
    }
}

TEST_F(DumpSqlite, KeysRelationshipsAndNumberingHold)
{
    SqliteFile file(dumped(scratch.sample(jet::Version::Jet4)));
    EXPECT_NE(file.run("INSERT INTO Artikel SELECT * FROM Artikel LIMIT 1").find("UNIQUE"), std::string::npos);
    EXPECT_NE(file.run("INSERT INTO Bestelling (BestelNr, KlantNr, Besteldatum) VALUES (99999, 99999, '2020-01-01')")
                  .find("FOREIGN KEY"),
              std::string::npos);
    EXPECT_NE(file.run("INSERT INTO Artikel (ArtikelNr, Prijs) VALUES (99999, 1)").find("NOT NULL"), std::string::npos);
    EXPECT_EQ(file.run("INSERT INTO Klant (Naam) VALUES ('Nieuw')"), "");
    EXPECT_EQ(file.scalar("SELECT KlantNr FROM Klant WHERE Naam = 'Nieuw'"), "41");  // customers 1 to 40 before
}

TEST_F(DumpSqlite, RefusesAnExistingFileAndWrongArguments)
{
    const std::string database = scratch.sample(jet::Version::Jet4);
    const std::string existing = scratch.write("bestaat.sqlite", "van iemand anders");
    const ProcessResult refused = runProcess({querimoSqlPath(), database, "--dump", "sqlite", existing});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("bestaat al"), std::string::npos) << refused.err;
    EXPECT_EQ(readBytes(existing), "van iemand anders");
    EXPECT_EQ(runProcess({querimoSqlPath(), database, "--dump", "sqlite"}).exitCode, 2);
    EXPECT_EQ(runProcess({querimoSqlPath(), database, "--dump", "mysql"}).exitCode, 2);
    const ProcessResult unknown = runProcess({querimoSqlPath(), database, "--dump", "postgresql", "Geen"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("geen tabel 'Geen'"), std::string::npos) << unknown.err;
}

}  // namespace
}  // namespace querimo::test
