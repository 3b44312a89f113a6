#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "engine/writer_file_pages.h"
#include "sql/ColumnValue.h"
#include "support/Csv.h"
#include "support/Process.h"
#include "writer_rows_support.h"

using namespace querimo;
using namespace querimo::test;

namespace {

// Table1: nine Text(50) columns, no indexes, two rows.
class Tables : public OnTextTable {
protected:
    std::vector<CsvRow> exported(const std::string& table)
    {
        const ProcessResult result = runProcess({"mdb-export", path, table});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return parseCsv(result.out);
    }
};

// An appended column: old rows read Null in it, new rows keep their value, mdbtools sees the column.
TEST_P(Tables, AddedColumnsHoldNewValuesAndNullInOldRows)
{
    const Rows before = readRows(*openFile(path), "Table1");
    std::vector<Value> added(11, Value::null());
    added[0] = Value::text("nieuw");
    added[9] = Value::int32(42);
    added[10] = Value::text("twintig tekens max");
    runStatement(path, [&](jet::Database& db) {
        db.addColumn("Table1", column("Aantal", jet::ColumnType::Long));
        db.addColumn("Table1", column("Opmerking", jet::ColumnType::Text, 20));
        db.insertRow(db.table("Table1"), added);
    });
    auto db = openFile(path);
    const jet::TableDef& t = db->table("Table1");
    ASSERT_EQ(t.columns.size(), 11u);
    EXPECT_EQ(
        std::tuple(t.columns[9].name, t.columns[9].type, t.columns[9].fixed, t.columns[10].name, t.columns[10].size),
        std::tuple("Aantal", jet::ColumnType::Long, true, "Opmerking", 20));
    EXPECT_GT(t.columns[9].number, t.columns[8].number);
    Rows expected = before;
    for (auto& row : expected) row.insert(row.end(), {Value::null(), Value::null()});
    expected.push_back(added);
    const Rows after = readRows(*db, "Table1");
    EXPECT_EQ(after, expected);

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
    runStatement(path, [&](jet::Database& db) {
        db.alterColumn("Table1", column("data4", jet::ColumnType::Text, 120), sql::columnValue);
    });
    auto db = openFile(path);
    const jet::TableDef& t = db->table("Table1");
    ASSERT_EQ(t.columns.size(), 8u);
    EXPECT_EQ(t.column("data3"), nullptr);
    EXPECT_EQ(t.column("data4")->size, 120);
    Rows expected = before;
    for (auto& row : expected) row.erase(row.begin() + 1);
    const Rows after = readRows(*db, "Table1");
    EXPECT_EQ(sortedRows(after), sortedRows(expected));
    const auto csv = exported("Table1");
    ASSERT_FALSE(csv.empty());
    EXPECT_EQ(csv[0].size(), 8u);
    expectConsistentTable(path, GetParam(), "Table1", after.size());
}

// A new index holds one entry per row in key order, survives reopening and goes again with its pages.
TEST_P(Tables, CreatedIndexHoldsEveryRowInKeyOrder)
{
    const jet::IndexDef index{.name = "OpData1", .columns = {{0, true}}};
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
        writertest::FilePages file(path);
        const jet::TableLayout layout = file.table("Table1");
        ASSERT_EQ(layout.def.indexes.size(), 1u);
        EXPECT_EQ(std::pair(layout.def.indexes[0].name, layout.def.indexes[0].unique),
                  std::pair(std::string("OpData1"), false));
        ASSERT_EQ(layout.realIndexes.size(), 1u);
        const writertest::IndexWalk walk = file.walk(layout.realIndexes[0].firstPage);
        EXPECT_EQ(walk.problem, "");
        EXPECT_EQ(walk.leaves.size(), rows);
    }
    EXPECT_EQ(exported("Table1").size(), rows + 1);
    const auto schema = runProcess({"mdb-schema", "--indexes", path, "postgres"});
    EXPECT_NE(schema.out.find("opdata1"), std::string::npos) << schema.out;

    runStatement(path, [&](jet::Database& db) { db.dropIndex("Table1", "opdata1"); });
    writertest::FilePages file(path);
    const jet::TableLayout dropped = file.table("Table1");
    EXPECT_TRUE(dropped.def.indexes.empty());
    EXPECT_EQ(file.leafPagesOf(dropped), 0);
    EXPECT_EQ(readRows(*openFile(path), "Table1").size(), rows);
}

// Indexes made and dropped in turn keep distinct numbers; one with the columns and rules of another shares
// its real index, and dropping one of the two leaves the other whole.
TEST_P(Tables, IndexesShareRealIndexesAndKeepDistinctNumbers)
{
    const auto index = [](const std::string& name, int columnNumber, bool ascending) {
        return jet::IndexDef{.name = name, .columns = {{columnNumber, ascending}}};
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
    writertest::FilePages file(path);
    const jet::TableLayout layout = file.table("Table1");
    std::vector<std::string> names;
    for (const jet::IndexDef& i : layout.def.indexes) names.push_back(i.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Tweede", "Derde", "ZelfdeAlsTweede"}));
    ASSERT_EQ(layout.realIndexes.size(), 2u);
    EXPECT_EQ(layout.realIndexOf[0], layout.realIndexOf[2]);
    std::set<std::uint32_t> numbers;
    for (const jet::LogicalIndexLayout& logical : layout.logicalIndexes) numbers.insert(logical.number);
    EXPECT_EQ(numbers.size(), 3u);
    EXPECT_EQ(file.leafPagesOf(layout), 2);

    runStatement(path, [](jet::Database& writer) { writer.dropIndex("Table1", "Tweede"); });
    const jet::TableLayout after = writertest::FilePages(path).table("Table1");
    EXPECT_EQ(after.def.indexes.size(), 2u);
    EXPECT_EQ(after.realIndexes.size(), 2u);
    const auto schema = runProcess({"mdb-schema", "--indexes", path, "postgres"});
    EXPECT_NE(schema.out.find("zelfdealstweede"), std::string::npos) << schema.out;
}

INSTANTIATE_TEST_SUITE_P(Versions, Tables, ::testing::ValuesIn(bothVersions), versionName);

}  // namespace
