#include "jet/catalog/NewDatabase.h"

#include <algorithm>
#include <tuple>

#include "core/Error.h"
#include "jet/catalog/NewDatabaseRows.h"
#include "jet/catalog/SystemTables.h"
#include "jet/format/Format.h"
#include "jet/format/UsageMapLayout.h"
#include "jet/pages/HeaderWriter.h"
#include "jet/rows/DataPage.h"
#include "jet/rows/RowEncoder.h"
#include "jet/tables/IndexKey.h"
#include "jet/tables/IndexPages.h"
#include "jet/tables/TableDefinitionWriter.h"

namespace querimo::jet {
namespace {

constexpr std::uint32_t globalMapPage = 1;
constexpr std::uint32_t firstDefinitionPage = 2;

[[noreturn]] void doesNotFit(const std::string& what)
{
    throw DbError(errc::fail, "Een nieuwe database kan niet gemaakt worden: " + what + " past niet op één pagina.");
}

// An inline usage map starting at page 0 that marks `pages`.
std::vector<std::uint8_t> inlineMapRow(const Format& format, const std::vector<std::uint32_t>& pages)
{
    // Access gives each inline map the same size: what fits of a Jet 4 row, or of a Jet 3 row.
    const std::size_t bitmapBytes = format.jet4() ? 64 : 128;
    std::vector<std::uint8_t> row(5 + bitmapBytes, 0);
    row[0] = inlineUsageMap;
    for (std::uint32_t page : pages) {
        if (page / 8 >= bitmapBytes) doesNotFit("de eerste gebruikskaart");
        row[5 + page / 8] |= static_cast<std::uint8_t>(1u << (page % 8));
    }
    return row;
}

// A data page holding `rows` in order, packed from the end of the page as Access packs them.
template <typename Row>
PageBytes dataPageWith(const Format& format, std::uint32_t owner, const std::vector<Row>& rows)
{
    PageBytes page(format.pageSize, 0);
    page[0] = dataPageType;
    page[1] = 0x01;
    const auto put = [&](std::size_t at, std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            page[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    put(format.dataOwnerOffset, owner, 4);
    put(format.dataRowCountOffset, static_cast<std::uint32_t>(rows.size()), 2);
    std::size_t end = format.pageSize;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (end < format.dataRowTableOffset + 2 * rows.size() + rows[i].size()) doesNotFit("een systeemtabel");
        const std::size_t start = end - rows[i].size();
        std::copy(rows[i].begin(), rows[i].end(), page.begin() + static_cast<std::ptrdiff_t>(start));
        put(format.dataRowTableOffset + 2 * i, static_cast<std::uint32_t>(start), 2);
        end = start;
    }
    put(2, static_cast<std::uint32_t>(end - format.dataRowTableOffset - 2 * rows.size()), 2);
    return page;
}

// The leaf page of an index over `rows`, which lie on `dataPage` in order.
std::vector<std::uint8_t> indexLeaf(Version version, const TableLayout& table, const RealIndexLayout& real,
                                    const std::vector<std::vector<Value>>& rows, std::uint32_t dataPage)
{
    IndexPage leaf;
    leaf.type = leafIndexPageType;
    leaf.definitionPage = table.def.definitionPage;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        std::vector<KeyColumn> columns;
        std::vector<Value> values;
        for (const IndexColumn& key : real.columns) {
            const ColumnDef* column = table.def.columnByNumber(key.columnNumber);
            columns.push_back(
                keyColumn(version, table, static_cast<std::size_t>(column - table.def.columns.data()), key.ascending));
            values.push_back(rows[r][static_cast<std::size_t>(column - table.def.columns.data())]);
        }
        const IndexKey key = encodeIndexKey(version, columns, values);
        if (!key.encodable()) doesNotFit("een indexsleutel");
        leaf.entries.push_back(IndexEntry{key.bytes, dataPage, static_cast<std::uint8_t>(r), 0});
    }
    std::sort(leaf.entries.begin(), leaf.entries.end(), [](const IndexEntry& a, const IndexEntry& b) {
        return std::tie(a.key, a.dataRow) < std::tie(b.key, b.dataRow);
    });
    return buildIndexPage(leaf, version);
}

}  // namespace

std::vector<PageBytes> newDatabasePages(Version version, double created, int aceVersion)
{
    const Format& format = Format::of(version);
    std::vector<TableLayout> tables = systemTableLayouts(version, aceVersion);
    for (std::size_t t = 0; t < tables.size(); ++t)
        tables[t].def.definitionPage = firstDefinitionPage + static_cast<std::uint32_t>(t);
    const std::vector<std::vector<std::vector<Value>>> rows = newDatabaseRows(tables, created);

    // Pages in the order Access uses: definitions, usage maps, index roots, then the rows.
    std::size_t mapCount = 0;
    for (const TableLayout& table : tables) mapCount += 2 + 2 * table.longValueMaps.size() + table.realIndexes.size();
    const std::size_t mapSize = inlineMapRow(format, {}).size();
    const std::size_t mapsPerPage = (format.pageSize - format.dataRowTableOffset) / (mapSize + 2);
    const std::uint32_t firstMapPage = firstDefinitionPage + static_cast<std::uint32_t>(tables.size());
    const auto mapPages = static_cast<std::uint32_t>((mapCount + mapsPerPage - 1) / mapsPerPage);
    std::uint32_t nextPage = firstMapPage + mapPages;
    for (TableLayout& table : tables)
        for (RealIndexLayout& real : table.realIndexes) real.firstPage = nextPage++;
    std::vector<std::uint32_t> dataPages(tables.size(), 0);
    for (std::size_t t = 0; t < tables.size(); ++t)
        if (!rows[t].empty()) dataPages[t] = nextPage++;
    const std::uint32_t pageCount = nextPage;

    std::vector<std::vector<std::vector<std::uint8_t>>> mapRows(mapPages);
    std::size_t maps = 0;
    const auto newMap = [&](std::vector<std::uint32_t> pages) {
        const std::size_t page = maps / mapsPerPage, row = maps % mapsPerPage;
        ++maps;
        mapRows[page].push_back(inlineMapRow(format, pages));
        return (firstMapPage + static_cast<std::uint32_t>(page)) << 8 | static_cast<std::uint32_t>(row);
    };
    std::vector<PageBytes> pages(pageCount);
    for (std::size_t t = 0; t < tables.size(); ++t) {
        TableLayout& table = tables[t];
        const std::vector<std::uint32_t> owned =
            dataPages[t] ? std::vector<std::uint32_t>{dataPages[t]} : std::vector<std::uint32_t>{};
        table.def.rowCount = static_cast<std::uint32_t>(rows[t].size());
        table.usedPagesMap = newMap(owned);
        table.freeSpaceMap = newMap(owned);
        for (LongValueMaps& lv : table.longValueMaps) {
            lv.usedPagesMap = newMap({});
            lv.freeSpaceMap = newMap({});
        }
        for (RealIndexLayout& real : table.realIndexes) {
            real.usedPagesMap = newMap({real.firstPage});
            real.entryCount = table.def.rowCount;
            pages[real.firstPage] = indexLeaf(version, table, real, rows[t], dataPages[t]);
        }
        if (dataPages[t]) {
            const RowEncoder encoder(format, table);
            std::vector<std::string> stored;
            for (const std::vector<Value>& row : rows[t]) stored.push_back(encoder.encode(row));
            pages[dataPages[t]] = dataPageWith(format, table.def.definitionPage, stored);
        }
        pages[table.def.definitionPage] =
            definitionPages(format, encodeTableDefinition(format, table), {table.def.definitionPage}).front();
    }
    for (std::uint32_t i = 0; i < mapPages; ++i) pages[firstMapPage + i] = dataPageWith(format, 0, mapRows[i]);

    pages[0] = newHeaderPage(version, created, aceVersion);
    std::vector<std::uint32_t> unused;  // the global map marks the pages not yet in use
    for (std::uint32_t page = pageCount; page < (mapSize - 5) * 8; ++page) unused.push_back(page);
    pages[globalMapPage] =
        dataPageWith(format, globalMapPage, std::vector{inlineMapRow(format, unused), inlineMapRow(format, {})});
    return pages;
}

}  // namespace querimo::jet
