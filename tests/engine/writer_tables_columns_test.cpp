#include <gtest/gtest.h>

#include <set>

#include "engine/writer_file_pages.h"
#include "sql/ColumnValue.h"
#include "support/Csv.h"
#include "support/Process.h"
#include "writer_rows_support.h"

using namespace querimo;
using namespace querimo::test;

namespace {

// Table1: nine Text(50) columns, no indexes, two rows.
class Tables : public ::testing::TestWithParam<jet::Version> {
protected:
    void SetUp() override { path = makeTextTable(dir, GetParam()); }

    std::vector<CsvRow> exported(const std::string& table)
    {
        const ProcessResult result = runProcess({"mdb-export", path, table});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return parseCsv(result.out);
    }

    ScratchDir dir;
    std::string path;
};

// An appended column: old rows read Null in it, new rows keep their value, mdbtools sees the column.
TEST_P(Tables, AddedColumnsHoldNewValuesAndNullInOldRows)
{
    const Rows before = readRows(*openFile(path), "Table1");
    runStatement(path, [&](jet::Database& db) {
        db.addColumn("Table1", column("Aantal", jet::ColumnType::Long));
        db.addColumn("Table1", column("Opmerking", jet::ColumnType::Text, 20));
        const jet::TableDef& t = db.table("Table1");
        std::vector<Value> row(t.columns.size(), Value::null());
        row[0] = Value::text("nieuw");
        row[9] = Value::int32(42);
        row[10] = Value::text("twintig tekens max");
        db.insertRow(t, row);
    });
    auto db = openFile(path);
    const jet::TableDef& t = db->table("Table1");
    ASSERT_EQ(t.columns.size(), 11u);
    EXPECT_EQ(t.columns[9].name, "Aantal");
    EXPECT_EQ(t.columns[9].type, jet::ColumnType::Long);
    EXPECT_TRUE(t.columns[9].fixed);
    EXPECT_EQ(t.columns[10].size, 20);
    EXPECT_GT(t.columns[9].number, t.columns[8].number);
    const Rows after = readRows(*db, "Table1");
    ASSERT_EQ(after.size(), before.size() + 1);
    for (std::size_t r = 0; r < before.size(); ++r) {
        EXPECT_TRUE(after[r][9].isNull());
        EXPECT_TRUE(after[r][10].isNull());
        EXPECT_EQ(after[r][0].bytes, before[r][0].bytes);
    }
    EXPECT_EQ(after.back()[9].integer, 42);
    EXPECT_EQ(after.back()[10].bytes, "twintig tekens max");

    const auto csv = exported("Table1");
    ASSERT_EQ(csv.size(), after.size() + 1);
    EXPECT_EQ(csv[0].back(), "Opmerking");
    EXPECT_EQ(csv.back()[9], "42");
    expectConsistentTable(path, GetParam(), "Table1", after.size());
}

// Dropping a column rewrites the rows without it; a changed size keeps the values.
TEST_P(Tables, DroppedAndWidenedColumnsKeepTheOtherValues)
{
    const Rows before = readRows(*openFile(path), "Table1");
    runStatement(path, [&](jet::Database& db) { db.dropColumn("Table1", "data3"); });
    runStatement(path, [&](jet::Database& db) { db.alterColumn("Table1", column("data4", jet::ColumnType::Text, 120), sql::columnValue); });
    auto db = openFile(path);
    const jet::TableDef& t = db->table("Table1");
    ASSERT_EQ(t.columns.size(), 8u);
    EXPECT_EQ(t.column("data3"), nullptr);
    EXPECT_EQ(t.column("data4")->size, 120);
    const Rows after = readRows(*db, "Table1");
    ASSERT_EQ(sortedRows(after).size(), before.size());
    std::vector<std::string> expected, got;
    for (const auto& row : before) expected.push_back(row[0].bytes + "|" + row[2].bytes + "|" + row[8].bytes);
    for (const auto& row : after) got.push_back(row[0].bytes + "|" + row[1].bytes + "|" + row[7].bytes);
    std::sort(expected.begin(), expected.end());
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, expected);
    const auto csv = exported("Table1");
    ASSERT_FALSE(csv.empty());
    EXPECT_EQ(csv[0].size(), 8u);
    expectConsistentTable(path, GetParam(), "Table1", after.size());
}

// A new index holds one entry per row in key order, survives reopening and goes again with its pages.
TEST_P(Tables, CreatedIndexHoldsEveryRowInKeyOrder)
{
    jet::IndexDef index;
    index.name = "OpData1";
    index.columns = {{0, true}};
    runStatement(path, [&](jet::Database& db) {
        for (int n = 0; n < 150; ++n) {
            std::vector<Value> row(9, Value::null());
            row[0] = Value::text("sleutel " + std::to_string((n * 37) % 150));
            db.insertRow(db.table("Table1"), row);
        }
    });
    const std::size_t rows = readRows(*openFile(path), "Table1").size();
    runStatement(path, [&](jet::Database& db) { db.createIndex("Table1", index); });
    {
        auto db = openFile(path);
        const jet::TableDef& t = db->table("Table1");
        ASSERT_EQ(t.indexes.size(), 1u);
        EXPECT_EQ(t.indexes[0].name, "OpData1");
        EXPECT_FALSE(t.indexes[0].unique);
        writertest::FilePages file(path);
        const jet::TableLayout layout = file.table(t.definitionPage, "Table1");
        ASSERT_EQ(layout.realIndexes.size(), 1u);
        const auto chains = file.leafChains(layout);
        ASSERT_EQ(chains.size(), 1u);
        ASSERT_EQ(chains[0].entries.size(), rows);
        for (std::size_t i = 1; i < chains[0].entries.size(); ++i)
            EXPECT_LE(chains[0].entries[i - 1].entry.key, chains[0].entries[i].entry.key);
        EXPECT_EQ(exported("Table1").size(), rows + 1);
    }
    const auto schema = runProcess({"mdb-schema", "--indexes", path, "postgres"});
    EXPECT_NE(schema.out.find("opdata1"), std::string::npos) << schema.out;

    runStatement(path, [&](jet::Database& db) { db.dropIndex("Table1", "opdata1"); });
    auto db = openFile(path);
    EXPECT_TRUE(db->table("Table1").indexes.empty());
    writertest::FilePages file(path);
    EXPECT_TRUE(file.leafChains(file.table(db->table("Table1").definitionPage, "Table1")).empty());
    EXPECT_EQ(readRows(*db, "Table1").size(), rows);
}

// Indexes made and dropped in turn keep distinct numbers; one with the columns and rules of another shares
// its real index, and dropping one of the two leaves the other whole.
TEST_P(Tables, IndexesShareRealIndexesAndKeepDistinctNumbers)
{
    const auto index = [](const std::string& name, int columnNumber, bool ascending) {
        jet::IndexDef def;
        def.name = name;
        def.columns = {{columnNumber, ascending}};
        return def;
    };
    runStatement(path, [&](jet::Database& db) {
        db.createIndex("Table1", index("Eerste", 0, true));
        db.createIndex("Table1", index("Tweede", 2, false));
    });
    runStatement(path, [&](jet::Database& db) { db.dropIndex("Table1", "Eerste"); });
    runStatement(path, [&](jet::Database& db) {
        db.createIndex("Table1", index("Derde", 3, true));
        db.createIndex("Table1", index("ZelfdeAlsTweede", 2, false));
    });
    auto db = openFile(path);
    const jet::TableDef& t = db->table("Table1");
    std::vector<std::string> names;
    for (const jet::IndexDef& i : t.indexes) names.push_back(i.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Tweede", "Derde", "ZelfdeAlsTweede"}));
    writertest::FilePages file(path);
    const jet::TableLayout layout = file.table(t.definitionPage, "Table1");
    ASSERT_EQ(layout.realIndexes.size(), 2u);
    EXPECT_EQ(layout.realIndexOf[0], layout.realIndexOf[2]);
    std::set<std::uint32_t> numbers;
    for (const jet::LogicalIndexLayout& logical : layout.logicalIndexes) numbers.insert(logical.number);
    EXPECT_EQ(numbers.size(), 3u);
    EXPECT_EQ(file.leafChains(layout).size(), 2u);

    runStatement(path, [](jet::Database& writer) { writer.dropIndex("Table1", "Tweede"); });
    auto again = openFile(path);
    ASSERT_EQ(again->table("Table1").indexes.size(), 2u);
    writertest::FilePages reread(path);
    EXPECT_EQ(reread.table(t.definitionPage, "Table1").realIndexes.size(), 2u);
    const auto schema = runProcess({"mdb-schema", "--indexes", path, "postgres"});
    EXPECT_NE(schema.out.find("zelfdealstweede"), std::string::npos) << schema.out;
}

INSTANTIATE_TEST_SUITE_P(Versions, Tables, ::testing::ValuesIn(bothVersions), versionName);

}  // namespace
