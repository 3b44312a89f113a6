#pragma once
// Shared by the writer tests: files our writer makes, statements on them, and the structures a table's rows
// live in, read straight from the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/writer_file_pages.h"
#include "jet/format/Format.h"
#include "jet/pages/PageFile.h"
#include "jet/pages/UsageMap.h"
#include "jet/rows/DataPage.h"
#include "jet/tables/TableDefinition.h"
#include "jet_test_files.h"
#include "support/MadeDatabase.h"

namespace querimo::test {

using Rows = std::vector<std::vector<Value>>;

inline constexpr std::uint32_t globalUsageMap = 1u << 8;  // row 0 of page 1: the pages that are free

inline const jet::Version bothVersions[] = {jet::Version::Jet4, jet::Version::Jet3};

inline std::string versionName(const ::testing::TestParamInfo<jet::Version>& info)
{
    return info.param == jet::Version::Jet4 ? "Jet4" : "Jet3";
}

// A path in dir for a file still to be made.
inline std::string newPath(const ScratchDir& dir, const std::string& name)
{
    return (dir.path() / name).string();
}

// Table1 as Access's overflow tests have it: nine Text(50) columns (data1, data3 ... data10), no indexes,
// two rows.
inline std::string makeTextTable(const ScratchDir& dir, jet::Version version)
{
    std::string columns;
    for (int c : {1, 3, 4, 5, 6, 7, 8, 9, 10})
        columns += std::string(columns.empty() ? "" : ", ") + "data" + std::to_string(c) + " TEXT(50)";
    return makeDatabase(newPath(dir, "tekst.mdb"), version,
                        {"CREATE TABLE Table1 (" + columns + ")", "INSERT INTO Table1 (data1) VALUES ('row1col1')",
                         "INSERT INTO Table1 (data1, data3) VALUES ('row2col1', 'row2col3')"})
        .string();
}

// A row of Table1 (makeTextTable): the first column as given, the others Null or text of that length.
inline std::vector<Value> table1Row(const std::string& first, std::size_t length = 10)
{
    std::vector<Value> row{Value::text(first)};
    for (int c = 1; c < 9; ++c)
        row.push_back(c % 4 == 0 ? Value::null() : Value::text(std::string(length, static_cast<char>('a' + c))));
    return row;
}

// A test of Table1 (makeTextTable) in a file of its own, once per version.
class OnTextTable : public ::testing::TestWithParam<jet::Version> {
protected:
    ScratchDir dir;
    const std::string path = makeTextTable(dir, GetParam());
};

// Checks what Access relies on for a table: the row count in the definition, every data page of the table
// in its owned-pages map, and every data page's free-space field equal to the room between row table and rows.
inline void expectConsistentTable(const std::string& path, jet::Version version, const std::string& table,
                                  std::size_t rows)
{
    writertest::FilePages pages(path);
    const jet::Format& format = jet::Format::of(version);
    jet::PageFile& file = pages.pages();
    const jet::TableLayout layout = pages.table(table);
    const std::uint32_t definitionPage = layout.def.definitionPage;
    EXPECT_EQ(layout.def.rowCount, rows) << table;
    const std::vector<std::uint32_t> owned = jet::usageMapPages(file, format, layout.usedPagesMap);
    const std::vector<std::uint32_t> free = jet::usageMapPages(file, format, globalUsageMap);
    const std::set<std::uint32_t> freeSet(free.begin(), free.end());
    const std::set<std::uint32_t> ownedSet(owned.begin(), owned.end());
    for (std::uint32_t number = 0; number < file.pageCount(); ++number) {
        const jet::PageRef holder = file.page(number);
        const jet::ByteView page(holder->data(), holder->size());
        if (page.u8(0) != jet::dataPageType) continue;
        EXPECT_FALSE(freeSet.count(number))
            << "gegevenspagina " << number << " staat als vrij in de globale gebruikskaart";
        const int count = jet::dataRowCount(page, format);
        const std::size_t rowsBegin =
            count == 0 ? page.size() : (page.u16(format.dataRowTableOffset + 2 * (count - 1)) & 0x1FFF);
        EXPECT_EQ(page.u16(2), rowsBegin - format.dataRowTableOffset - 2 * count)
            << "vrije ruimte op pagina " << number;
        if (page.u32(format.dataOwnerOffset) == definitionPage) {
            EXPECT_TRUE(ownedSet.count(number)) << "pagina " << number << " ontbreekt in de gebruikskaart";
        }
    }
}

// The table's rows by row id.
inline std::map<jet::RowId, std::vector<Value>> rowsById(jet::Database& db, const std::string& table)
{
    std::map<jet::RowId, std::vector<Value>> rows;
    const auto scan = db.scan(db.table(table));
    for (std::vector<Value> row; scan->next(row);) rows[scan->rowId()] = row;
    return rows;
}

// Rows in a comparable order: a scan returns them in page order, which is the file's business.
inline std::vector<std::string> sortedRows(const Rows& rows)
{
    std::vector<std::string> out;
    for (const auto& row : rows) {
        std::string line;
        for (const Value& v : row)
            line += std::to_string(static_cast<int>(v.kind)) + ":" + std::to_string(v.integer) + ":"
                    + std::to_string(v.real) + ":" + v.bytes + "|";
        out.push_back(line);
    }
    std::sort(out.begin(), out.end());
    return out;
}

inline std::unique_ptr<jet::Database> openFile(const std::string& path, bool exclusive = false,
                                               const std::string& password = "")
{
    jet::OpenOptions options;
    options.path = path;
    options.exclusive = exclusive;
    options.databasePassword = password;
    return jet::Database::open(options);
}

inline jet::ColumnDef column(const std::string& name, jet::ColumnType type, int size = 0)
{
    jet::ColumnDef c;
    c.name = name;
    c.type = type;
    c.size = size;
    return c;
}

// Work as one statement: committed when it ends, rolled back and its error rethrown when it throws.
template <typename Work>
void inStatement(jet::Database& db, Work work)
{
    db.beginStatement();
    try {
        work();
        db.commitStatement();
    } catch (...) {
        db.rollbackStatement();
        throw;
    }
}

// One statement on a fresh open of the file.
template <typename Work>
void runStatement(const std::string& path, Work work)
{
    auto db = openFile(path);
    inStatement(*db, [&] { work(*db); });
}

}  // namespace querimo::test
