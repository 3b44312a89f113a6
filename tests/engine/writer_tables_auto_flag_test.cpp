// The AutoNumber bit of a column's flags counts only where Access lets it: on a Long Integer (and the
// generated-GUID bit on a Replication ID). Access leaves it set on other columns of some files, a Jet 3
// Northwind's Currency Freight among them.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <sstream>

#include "engine/writer_rows_support.h"
#include "jet/format/TableDefinitionLayout.h"
#include "jet/tables/TableDefinitionWriter.h"
#include "sql/Sql.h"
#include "support/Process.h"

namespace querimo::test {
namespace {

// Sets the AutoNumber bits in the stored flags of these columns, as Access left them.
void setAutoNumberBits(const std::string& path, const std::string& table, const std::vector<std::string>& columns)
{
    writertest::FilePages pages(path);
    jet::TableLayout layout = pages.table(table);
    for (const std::string& name : columns) {
        const jet::ColumnDef* column = layout.def.column(name);
        ASSERT_NE(column, nullptr) << name;
        layout.storage[static_cast<std::size_t>(column - layout.def.columns.data())].flags |=
            jet::columnAutoLongFlag | jet::columnAutoGuidFlag;
    }
    const auto chain = jet::definitionPageChain(pages.pages(), layout.def.definitionPage);
    const auto bytes = jet::definitionPages(pages.format(), jet::encodeTableDefinition(pages.format(), layout), chain);
    for (std::size_t i = 0; i < chain.size(); ++i) {
        pages.pages().change(chain[i]) = bytes[i];
        pages.pages().writeBack(chain[i]);
    }
    pages.pages().sync();
}

class AutoNumberBit : public ::testing::TestWithParam<jet::Version> {};

TEST_P(AutoNumberBit, CountsOnlyOnLongAndReplicationId)
{
    ScratchDir dir;
    const std::string path =
        makeDatabase(newPath(dir, "orders.mdb"), GetParam(),
                     {"CREATE TABLE Orders (OrderID COUNTER PRIMARY KEY, Freight CURRENCY, Code TEXT(10), Nr LONG)",
                      "INSERT INTO Orders (Freight, Code, Nr) VALUES (32.38, 'a', 7)"})
            .string();
    setAutoNumberBits(path, "Orders", {"Freight", "Code"});

    auto db = openFile(path);
    const jet::TableDef& orders = db->table("Orders");
    EXPECT_TRUE(orders.column("OrderID")->autoNumber);
    EXPECT_FALSE(orders.column("Freight")->autoNumber);
    EXPECT_FALSE(orders.column("Code")->autoNumber);
    EXPECT_FALSE(orders.column("Nr")->autoNumber);

    EXPECT_EQ(sql::run(*db, "UPDATE Orders SET Freight = Freight + 1, Code = 'b' WHERE OrderID = 1").recordsAffected,
              1);
    // Null stays Null in such a column: no number is handed out.
    EXPECT_EQ(sql::run(*db, "INSERT INTO Orders (Freight, Code) VALUES (Null, Null)").recordsAffected, 1);
    db = openFile(path);
    const auto rows = rowsById(*db, "Orders");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.begin()->second[1], Value::currency(333800));
    EXPECT_EQ(rows.begin()->second[2], Value::text("b"));
    EXPECT_TRUE(rows.rbegin()->second[1].isNull());
    EXPECT_TRUE(rows.rbegin()->second[2].isNull());
    EXPECT_EQ(rows.rbegin()->second[0], Value::int32(2));

    // The bits stay as Access left them: the writer keeps the stored flags.
    writertest::FilePages pages(path);
    const jet::TableLayout layout = pages.table("Orders");
    EXPECT_NE(layout.storage[1].flags & jet::columnAutoLongFlag, 0);
}

INSTANTIATE_TEST_SUITE_P(Versions, AutoNumberBit, ::testing::ValuesIn(bothVersions), versionName);

// "table.column", lower case, of the columns mdbtools shows as counting up (SERIAL in its PostgreSQL schema).
std::set<std::string> serialColumns(const std::filesystem::path& file)
{
    const ProcessResult schema = runProcess({"mdb-schema", file.string(), "postgres"});
    EXPECT_EQ(schema.exitCode, 0) << schema.err;
    std::set<std::string> out;
    std::string table;
    std::istringstream lines(schema.out);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t open = line.find('"'), close = line.find('"', open + 1);
        if (close == std::string::npos) continue;
        const std::string quoted = line.substr(open + 1, close - open - 1);
        if (line.rfind("CREATE TABLE", 0) == 0)
            table = quoted;
        else if (line.find("SERIAL") != std::string::npos)
            out.insert(table + "." + quoted);
    }
    return out;
}

std::string lower(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Every column of the Access-made files: the Long Integers we count up are the ones mdbtools does.
TEST(AutoNumberBit, TheCorpusCountsUpWhereMdbtoolsDoes)
{
    QUERIMO_REQUIRE_CORPUS();
    for (const std::filesystem::path& file : corpusFiles()) {
        SCOPED_TRACE(file.filename().string());
        auto db = openFile(file.string());
        std::set<std::string> counting;
        for (const jet::CatalogEntry& entry : db->catalog()) {
            if (entry.kind != jet::ObjectKind::Table) continue;
            for (const jet::ColumnDef& column : db->table(entry.name).columns)
                if (column.autoNumber && column.type == jet::ColumnType::Long)
                    counting.insert(lower(entry.name + "." + column.name));
        }
        EXPECT_EQ(counting, serialColumns(file));
    }
}

}  // namespace
}  // namespace querimo::test
