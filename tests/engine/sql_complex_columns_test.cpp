// Attachments, multi-valued fields and version history of an Access 2007 file: what they read as (checked
// against the hidden tables as mdbtools exports them), their fields in SQL, and the writes that touch them, on a
// copy of the file.
#include <gtest/gtest.h>

#include <map>

#include "ado/Connection.h"
#include "core/Error.h"
#include "core/ValueText.h"
#include "engine/writer_rows_cascade_support.h"
#include "sql/AttachmentData.h"
#include "sql/DataTypes.h"
#include "sql/Sql.h"
#include "support/Corpus.h"

namespace querimo {
namespace {

constexpr const char* complexFile = "complexDataTestV2007.accdb";
constexpr const char* multiValueTable = "f_FCC66D28D650455480D923D1BD446BA6_multi-value-data";
constexpr const char* attachmentTable = "f_3B07F994AD0A4B56A3A1E13B3A1D3B70_attach-data";
constexpr const char* historyTable = "f_0BFE159C44334BFB968A820EA89C2D7E_VersionHistory_F5F8918F-0A3F-";
constexpr const char* historyColumn = "VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880";

using Table = std::vector<std::vector<std::string>>;

Table select(jet::Database& db, const std::string& text)
{
    const sql::StatementResult result = sql::run(db, text);
    Table out(result.rows->rowCount());
    for (std::size_t r = 0; r < out.size(); ++r)
        for (std::size_t c = 0; c < result.columns.size(); ++c) {
            const Value v = result.rows->value(r, c);
            out[r].push_back(v.isNull() ? "<null>" : exportText(v));
        }
    return out;
}

// What mdbtools shows for a hidden table: its rows' `shown` field joined by `separator` per value id.
std::map<std::string, std::string> joinedByValueId(const std::string& path, const std::string& table,
                                                   std::size_t idField, std::size_t shownField,
                                                   const std::string& separator)
{
    std::map<std::string, std::string> out;
    const test::ProcessResult result = test::runProcess({"mdb-export", "-b", "hex", path, table});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::vector<test::CsvRow> rows = test::parseCsv(result.out);
    rows.erase(rows.begin());
    for (const test::CsvRow& row : rows) {
        std::string& joined = out[row.at(idField)];
        joined += (joined.empty() ? "" : separator) + row.at(shownField);
    }
    return out;
}

class ComplexColumns : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (test::corpusFile(complexFile).empty()) return;
        path = scratch.write(complexFile, test::readBytes(test::corpusFile(complexFile)));
    }

    test::ScratchDir scratch;
    std::string path;
};

TEST_F(ComplexColumns, ReadAsTheirValuesAsMdbtoolsShowsTheHiddenTables)
{
    QUERIMO_REQUIRE_CORPUS_FILE(complexFile);
    // mdbtools shows the owning rows' value ids; the hidden tables hold the values under those ids.
    const auto values = joinedByValueId(path, multiValueTable, 0, 2, ", ");
    const auto files = joinedByValueId(path, attachmentTable, 0, 3, "; ");
    const std::vector<test::CsvRow> owners = test::exported(path, "Table1");
    ASSERT_EQ(owners.size(), 4u);

    auto db = test::openFile(path);
    const Table rows = select(*db, "SELECT * FROM Table1 ORDER BY id");
    ASSERT_EQ(rows.size(), owners.size());
    const auto shown = [](const std::map<std::string, std::string>& byId, const std::string& id) {
        const auto found = byId.find(id);
        return found == byId.end() ? std::string("<null>") : found->second;
    };
    for (std::size_t r = 0; r < rows.size(); ++r) {
        SCOPED_TRACE(owners[r].at(0));
        EXPECT_EQ(rows[r][0], owners[r].at(0));
        EXPECT_EQ(rows[r][3], shown(values, owners[r].at(4)));
        EXPECT_EQ(rows[r][4], shown(files, owners[r].at(5)));
    }
    // Spelled out once, so that the comparison above cannot pass on two empty sides.
    EXPECT_EQ(rows[1], (std::vector<std::string>{"row2", "row2-memo", "row2-memo", "value1, value4",
                                                 "test_data.txt; test_data2.txt"}));
    EXPECT_EQ(rows[2][2], "row3-memo-again");  // the append-only memo: its latest text
    EXPECT_EQ(rows[0][3], "<null>");           // no values at all

    // Its version history stays out of sight, as in Access.
    const jet::TableDef& table = db->table("Table1");
    for (const jet::ColumnDef& c : table.columns)
        EXPECT_EQ(db->hiddenColumn(table, c), c.name == historyColumn) << c.name;
    ado::Connection connection;
    connection.Provider = "Microsoft.Jet.OLEDB.4.0";
    connection.GetProperties()("Data Source") = path;
    connection.Open();
    std::vector<std::string> listed;
    const auto columns =
        connection.OpenSchema(ado::adSchemaColumns, {std::nullopt, std::nullopt, std::string("Table1")});
    for (std::size_t r = 0; r < columns->RecordCount(); ++r) listed.push_back(exportText(columns->valueAt(r, 3)));
    EXPECT_EQ(listed,
              (std::vector<std::string>{"id", "memo-data", "append-memo-data", "multi-value-data", "attach-data"}));

    const sql::StatementResult typed = sql::run(*db, "SELECT [attach-data] FROM Table1");
    EXPECT_EQ(typed.columns[0].type, sql::DataType::LongVarWChar);
    EXPECT_EQ(std::string(sql::accessType(jet::ColumnType::Complex).dutchName), "Meerdere waarden");
}

TEST_F(ComplexColumns, FieldsOfTheValuesGiveOneRowPerValue)
{
    QUERIMO_REQUIRE_CORPUS_FILE(complexFile);
    auto db = test::openFile(path);
    EXPECT_EQ(select(*db, "SELECT T.id, T.[attach-data].FileName, T.[attach-data].FileType, "
                          "T.[attach-data].FileData FROM Table1 AS T WHERE T.id >= 'row2' ORDER BY T.id, 2"),
              (Table{{"row2", "test_data.txt", "txt",
                      "7468697320697320736F6D652074657374206461746120666F72206174746163686D656E742E"},
                     {"row2", "test_data2.txt", "txt",
                      "7468697320697320736F6D65206D6F72652074657374206461746120666F72206174746163686D656E742E"},
                     {"row3", "<null>", "<null>", "<null>"},
                     {"row4", "test_data2.txt", "txt",
                      "7468697320697320736F6D65206D6F72652074657374206461746120666F72206174746163686D656E742E"}}));
    const sql::StatementResult named = sql::run(*db, "SELECT [multi-value-data].Value FROM Table1");
    EXPECT_EQ(named.columns[0].name, "multi-value-data.Value");
    EXPECT_EQ(select(*db, "SELECT id, [multi-value-data].Value FROM Table1 WHERE [multi-value-data].Value "
                          "IN ('value2', 'value4') ORDER BY 1, 2"),
              (Table{{"row2", "value4"}, {"row3", "value2"}, {"row3", "value4"}}));
    EXPECT_EQ(select(*db, "SELECT Count(*) FROM Table1 WHERE id = 'row3' AND [multi-value-data].Value > ''"),
              (Table{{"4"}}));
    const DbError e = test::errorFrom([&] { sql::run(*db, "SELECT T.[attach-data].Inhoud FROM Table1 AS T"); });
    EXPECT_NE(e.description().find("geen deel 'Inhoud'"), std::string::npos) << e.description();
}

TEST_F(ComplexColumns, WritesThatWouldSetThemAreRefusedAndOtherFieldsStillChange)
{
    QUERIMO_REQUIRE_CORPUS_FILE(complexFile);
    test::expectRefused(path, "UPDATE Table1 SET [attach-data] = 'x.txt' WHERE id = 'row1'",
                        {"attach-data", "bijlagen"});
    test::expectRefused(path, "UPDATE Table1 SET [multi-value-data] = Null", {"multi-value-data"});
    test::expectRefused(path, "INSERT INTO Table1 (id) VALUES ('row5')", {"Table1", "toegevoegd"});
    // Data definition that would leave the hidden values behind.
    test::expectRefused(path, "DROP TABLE Table1", {"Table1", "verborgen"});
    test::expectRefused(path, "ALTER TABLE Table1 DROP COLUMN [multi-value-data]", {"multi-value-data", "verwijderd"});
    test::expectRefused(path, "ALTER TABLE Table1 ALTER COLUMN [attach-data] TEXT(50)", {"attach-data", "gewijzigd"});

    EXPECT_EQ(
        test::affected(path, "UPDATE Table1 SET [memo-data] = 'anders' WHERE [multi-value-data].Value = 'value2'"), 1);
    const std::vector<test::CsvRow> owners = test::exported(path, "Table1");
    EXPECT_EQ(owners.at(2).at(2), "anders");
    EXPECT_EQ(owners.at(2).at(5), "3");  // its value ids kept
    test::expectIndexesMatchRows(path, "Table1");
}

TEST_F(ComplexColumns, DeleteTakesTheHiddenRowsOfTheDeletedRowsAlong)
{
    QUERIMO_REQUIRE_CORPUS_FILE(complexFile);
    for (const char* table : {"Table1", multiValueTable, attachmentTable, historyTable})
        test::expectIndexesMatchRows(path, table);  // our keys of the value ids are the keys Access wrote

    EXPECT_EQ(test::affected(path, "DELETE FROM Table1 WHERE id IN ('row2', 'row3')"), 2);
    EXPECT_EQ(test::exported(path, "Table1").size(), 2u);
    for (const auto& [table, left] : std::vector<std::pair<std::string, std::size_t>>{
             {multiValueTable, 0}, {attachmentTable, 1}, {historyTable, 1}}) {
        SCOPED_TRACE(table);
        const std::vector<test::CsvRow> rows = test::exported(path, table);
        EXPECT_EQ(rows.size(), left);
        for (const test::CsvRow& row : rows) EXPECT_EQ(row.at(0), "4");
        test::expectIndexesMatchRows(path, table);
    }
    test::expectIndexesMatchRows(path, "Table1");
    auto db = test::openFile(path);
    EXPECT_EQ(select(*db, "SELECT id, [attach-data] FROM Table1 ORDER BY id"),
              (Table{{"row1", "<null>"}, {"row4", "test_data2.txt"}}));
}

// Gives `column` of every row of `table` a number of its own from `first` on, behind the SQL layer's back.
void overwrite(const std::string& path, const std::string& table, const std::string& column, std::int32_t first)
{
    test::runStatement(path, [&](jet::Database& db) {
        const jet::TableDef& def = db.table(table);
        const auto position = static_cast<std::size_t>(def.column(column) - def.columns.data());
        auto rows = test::rowsById(db, table);
        for (auto& [id, row] : rows) {
            row[position] = Value::int32(first++);
            db.updateRow(def, id, row);
        }
    });
}

TEST_F(ComplexColumns, DamagedLinksToTheValuesReadAsNoValuesOrADutchError)
{
    QUERIMO_REQUIRE_CORPUS_FILE(complexFile);
    overwrite(path, "Table1", "multi-value-data", 900);  // ids no value carries
    {
        auto db = test::openFile(path);
        EXPECT_EQ(select(*db, "SELECT [multi-value-data] FROM Table1"),
                  (Table{{"<null>"}, {"<null>"}, {"<null>"}, {"<null>"}}));
        EXPECT_EQ(select(*db, "SELECT [multi-value-data].Value FROM Table1").size(), 4u);
    }
    overwrite(path, "MSysComplexColumns", "FlatTableID", 0x7FFF00);  // a table that is not there
    auto db = test::openFile(path);
    EXPECT_EQ(select(*db, "SELECT id FROM Table1 ORDER BY id").size(), 4u);  // the other fields still read
    for (const char* text : {"SELECT [attach-data] FROM Table1", "SELECT [attach-data].FileName FROM Table1",
                             "DELETE FROM Table1 WHERE id = 'row2'"}) {
        const DbError e = test::errorFrom([&] { sql::run(*db, text); }, text);
        EXPECT_NE(e.description().find("verborgen tabel"), std::string::npos) << e.description();
    }
    EXPECT_EQ(test::exported(path, "Table1").size(), 4u);
}

TEST(AttachmentData, StoredFormsAndDamage)
{
    // Kept as is: kind 0, the content's length, then the content (a header of 8 bytes that counts itself).
    const std::string raw = std::string("\0\0\0\0\x0b\0\0\0\x08\0\0\0\x01\0\0\0abc", 19);
    EXPECT_EQ(sql::attachmentFile(raw), "abc");
    for (const std::string& damaged :
         {std::string("\x01\0\0", 3), std::string("\x01\0\0\0\x0b\0\0\0garbage", 15),
          std::string("\0\0\0\0\xff\0\0\0\x08\0\0\0", 12), std::string("\0\0\0\0\x04\0\0\0\x09\0\0\0", 12),
          std::string("\x07\0\0\0\x00\0\0\0", 8)}) {
        const DbError e = test::errorFrom([&] { sql::attachmentFile(damaged); });
        EXPECT_NE(e.description().find("bijlage"), std::string::npos) << e.description();
    }
}

}  // namespace
}  // namespace querimo
