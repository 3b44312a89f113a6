#pragma once
// Shared by the row writer tests: the structures a table's rows live in, read straight from the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "jet/DataPage.h"
#include "jet/Format.h"
#include "jet/PageFile.h"
#include "jet/TableDefinition.h"
#include "jet/UsageMap.h"
#include "jet_test_files.h"

namespace querimo::test {

using Rows = std::vector<std::vector<Value>>;

inline constexpr std::uint32_t globalUsageMap = 1u << 8;  // row 0 of page 1: the pages that are free

struct RowsCase {
    const char* file;
    jet::Version version;
};

// Table1 of these files: nine Text(50) columns, no indexes.
inline const RowsCase textTables[] = {{"overflowTestV2000.mdb", jet::Version::Jet4}, {"overflowTestV1997.mdb", jet::Version::Jet3}};

inline std::string versionName(const ::testing::TestParamInfo<RowsCase>& info)
{
    return info.param.version == jet::Version::Jet4 ? "Jet4" : "Jet3";
}

// Checks what Access relies on for a table: the row count in the definition, every data page of the table
// in its owned-pages map, and every data page's free-space field equal to the room between row table and rows.
inline void expectConsistentTable(const std::string& path, jet::Version version, const std::string& table, std::size_t rows)
{
    std::uint32_t definitionPage = 0;
    {
        jet::OpenOptions options;
        options.path = path;
        definitionPage = jet::Database::open(options)->table(table).definitionPage;
    }
    const jet::Format& format = jet::Format::of(version);
    jet::PageFile file(path, false);
    file.configure(format.pageSize, 0);
    const jet::TableLayout layout = jet::readTableDefinition(file, format, definitionPage, table);
    EXPECT_EQ(layout.def.rowCount, rows) << table;
    const std::vector<std::uint32_t> owned = jet::usageMapPages(file, format, layout.usedPagesMap);
    const std::vector<std::uint32_t> free = jet::usageMapPages(file, format, globalUsageMap);
    const std::set<std::uint32_t> freeSet(free.begin(), free.end());
    const std::set<std::uint32_t> ownedSet(owned.begin(), owned.end());
    for (std::uint32_t number = 0; number < file.pageCount(); ++number) {
        const jet::PageRef holder = file.page(number);
        const jet::ByteView page(holder->data(), holder->size());
        if (page.u8(0) != jet::dataPageType)
            continue;
        EXPECT_FALSE(freeSet.count(number)) << "gegevenspagina " << number << " staat als vrij in de globale gebruikskaart";
        const int count = jet::dataRowCount(page, format);
        const std::size_t rowsBegin = count == 0 ? page.size() : (page.u16(format.dataRowTableOffset + 2 * (count - 1)) & 0x1FFF);
        EXPECT_EQ(page.u16(2), rowsBegin - format.dataRowTableOffset - 2 * count) << "vrije ruimte op pagina " << number;
        if (page.u32(format.dataOwnerOffset) == definitionPage) {
            EXPECT_TRUE(ownedSet.count(number)) << "pagina " << number << " ontbreekt in de gebruikskaart";
        }
    }
}

// Rows in a comparable order: a scan returns them in page order, which is the file's business.
inline std::vector<std::string> sortedRows(const Rows& rows)
{
    std::vector<std::string> out;
    for (const auto& row : rows) {
        std::string line;
        for (const Value& v : row)
            line += std::to_string(static_cast<int>(v.kind)) + ":" + std::to_string(v.integer) + ":" + std::to_string(v.real) + ":" +
                    v.bytes + "|";
        out.push_back(line);
    }
    std::sort(out.begin(), out.end());
    return out;
}

inline std::unique_ptr<jet::Database> openFile(const std::string& path, bool exclusive = false)
{
    jet::OpenOptions options;
    options.path = path;
    options.exclusive = exclusive;
    return jet::Database::open(options);
}

}  // namespace querimo::test
