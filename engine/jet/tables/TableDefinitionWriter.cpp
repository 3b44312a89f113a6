#include "jet/tables/TableDefinitionWriter.h"

#include <algorithm>

#include "core/Error.h"
#include "core/Text.h"
#include "jet/pages/ByteView.h"
#include "jet/rows/RowEncoder.h"

namespace querimo::jet {
namespace {

constexpr std::uint8_t tableDefinitionPage = 0x02;
constexpr std::size_t pageHeaderSize = 8;
constexpr std::uint32_t jet4Marker = 0x0659;  // Jet 4 repeats it in the header, columns and logical indexes
constexpr std::uint32_t jet4RealIndexMarker = 0x0783;
constexpr std::uint8_t userTable = 0x4E;
constexpr std::uint8_t systemTable = 0x53;
constexpr std::size_t realIndexColumnSlots = 10;
constexpr std::uint8_t ascendingOrder = 0x01;
constexpr std::uint8_t descendingOrder = 0x00;
constexpr std::uint8_t primaryKeyKind = 0x01;
constexpr std::uint8_t foreignKeyKind = 0x02;
constexpr std::uint8_t compressedUnicodeFlag = 0x01;
constexpr std::uint16_t endOfLongValueMaps = 0xFFFF;

// Little-endian bytes written at a position of a growing buffer.
class Bytes {
public:
    std::vector<std::uint8_t> data;

    void at(std::size_t pos, std::uint64_t value, int size)
    {
        if (data.size() < pos + static_cast<std::size_t>(size)) data.resize(pos + static_cast<std::size_t>(size));
        for (int i = 0; i < size; ++i, value >>= 8)
            data[pos + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value & 0xFF);
    }
    void add(std::uint64_t value, int size) { at(data.size(), value, size); }
    void add(const std::string& bytes) { data.insert(data.end(), bytes.begin(), bytes.end()); }
};

void addName(Bytes& out, const Format& format, const std::string& name)
{
    const std::string stored = encodeJetText(name, format.version, false, name);
    if (stored.size() > (format.jet4() ? 0xFFFFu : 0xFFu))
        throw DbError(errc::fail, "De naam '" + name + "' is te lang.");
    out.add(stored.size(), static_cast<int>(format.nameLengthSize));
    out.add(stored);
}

void addHeader(Bytes& out, const Format& format, const TableLayout& table)
{
    out.add(tableDefinitionPage, 1);
    out.add(0x01, 1);
    out.add(0, 2);  // free space (Jet 4) or 'VC' (Jet 3): set per page
    out.add(0, 4);  // next page: set per page
    out.add(0, 4);  // length: set at the end
    if (format.jet4()) out.add(jet4Marker, 4);
    out.at(format.tdefRowCount, table.def.rowCount, 4);
    out.add(table.nextAutoNumber, 4);
    if (format.jet4()) out.data.insert(out.data.end(), table.jet4HeaderExtra.begin(), table.jet4HeaderExtra.end());
    out.at(format.tdefTableType, table.system ? systemTable : userTable, 1);
    out.add(static_cast<std::uint16_t>(table.maxColumns), 2);
    out.add(static_cast<std::uint16_t>(table.variableColumns), 2);
    out.add(table.def.columns.size(), 2);
    out.add(table.def.indexes.size(), 4);
    out.add(table.realIndexes.size(), 4);
    out.add(table.usedPagesMap, 4);
    out.add(table.freeSpaceMap, 4);
    for (const RealIndexLayout& real : table.realIndexes) {
        out.add(real.headerWord, 4);
        out.add(real.entryCount, 4);
        if (format.jet4()) out.add(0, 4);
    }
}

void addColumn(Bytes& out, const Format& format, const ColumnDef& column, const ColumnStorage& storage)
{
    const std::size_t start = out.data.size();
    out.at(start + format.columnEntrySize - 1, 0, 1);
    out.at(start + format.colType, storage.typeCode != 0 ? storage.typeCode : static_cast<std::uint8_t>(column.type),
           1);
    out.at(start + format.colNumber, static_cast<std::uint16_t>(column.number), 2);
    out.at(start + format.colVariableIndex, static_cast<std::uint16_t>(storage.variableIndex), 2);
    out.at(start + format.colDisplayIndex, static_cast<std::uint16_t>(storage.displayIndex), 2);
    if (column.type == ColumnType::Decimal) {
        out.at(start + format.colPrecision, static_cast<std::uint8_t>(column.precision), 1);
        out.at(start + format.colScale, static_cast<std::uint8_t>(column.scale), 1);
    } else {
        out.at(start + format.colSortOrder, storage.sortOrder, 2);
    }
    if (format.jet4()) out.at(start + format.colSortOrder + 2, storage.sortOrderTail, 2);
    if (format.colCodePage != 0) out.at(start + format.colCodePage, storage.codePage, 2);
    if (format.colJet3Word != 0) out.at(start + format.colJet3Word, storage.jet3Word, 2);
    if (format.jet4()) out.at(start + 1, jet4Marker, 4);
    if (format.colExtraFlags != 0)
        out.at(start + format.colExtraFlags,
               static_cast<std::uint8_t>((storage.extraFlags & ~compressedUnicodeFlag)
                                         | (storage.compressedUnicode ? compressedUnicodeFlag : 0)),
               1);
    out.at(start + format.colFlags, storage.flags, 1);
    out.at(start + format.colFixedOffset, static_cast<std::uint16_t>(storage.fixedOffset), 2);
    out.at(start + format.colLength, static_cast<std::uint16_t>(storage.length), 2);
}

void addRealIndex(Bytes& out, const Format& format, const RealIndexLayout& real)
{
    const std::size_t start = out.data.size();
    out.at(start + format.realIndexDefSize - 1, 0, 1);
    if (format.jet4()) out.at(start, jet4RealIndexMarker, 4);
    if (real.columns.size() > realIndexColumnSlots)
        throw DbError(errc::fail, "Een index kan hoogstens 10 kolommen hebben.");
    std::size_t pos = start + format.realIndexDefColumns;
    for (std::size_t k = 0; k < realIndexColumnSlots; ++k, pos += 3) {
        if (k < real.columns.size()) {
            out.at(pos, static_cast<std::uint16_t>(real.columns[k].columnNumber), 2);
            out.at(pos + 2, real.columns[k].ascending ? ascendingOrder : descendingOrder, 1);
        } else {
            out.at(pos, 0xFFFF, 2);
            out.at(pos + 2, real.slotOrders[k], 1);
        }
    }
    out.at(pos, real.usedPagesMap, 4);
    out.at(pos + 4, real.firstPage, 4);
    if (format.jet4()) out.at(pos + 8, real.jet4Leftover, 4);
    out.at(start + format.realIndexDefFlags, real.flags, 1);
}

void addLogicalIndex(Bytes& out, const Format& format, const IndexDef& index, const LogicalIndexLayout& logical,
                     int real)
{
    if (format.jet4()) out.add(jet4Marker, 4);
    out.add(logical.number, 4);
    out.add(static_cast<std::uint32_t>(real), 4);
    out.add(logical.relatedKind, 1);
    out.add(logical.relatedIndex, 4);
    out.add(logical.relatedTable, 4);
    out.add(logical.updateAction, 1);
    out.add(logical.deleteAction, 1);
    out.add(index.primaryKey ? primaryKeyKind : index.foreignKey ? foreignKeyKind : 0, 1);
    if (format.jet4()) out.add(0, 4);
}

// Access keeps the logical index entries in the order of their names, letter case aside.
std::vector<std::size_t> logicalIndexOrder(const std::vector<IndexDef>& indexes)
{
    std::vector<std::size_t> order(indexes.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return text::toLower(indexes[a].name) < text::toLower(indexes[b].name);
    });
    return order;
}

}  // namespace

std::vector<std::uint8_t> encodeTableDefinition(const Format& format, const TableLayout& table)
{
    const TableDef& def = table.def;
    if (table.storage.size() != def.columns.size() || table.realIndexOf.size() != def.indexes.size()
        || table.logicalIndexes.size() != def.indexes.size())
        throw DbError(errc::fail, "De definitie van de tabel '" + def.name + "' is onvolledig.");

    Bytes out;
    addHeader(out, format, table);
    for (std::size_t i = 0; i < def.columns.size(); ++i) addColumn(out, format, def.columns[i], table.storage[i]);
    for (const ColumnDef& column : def.columns) addName(out, format, column.name);
    for (const RealIndexLayout& real : table.realIndexes) addRealIndex(out, format, real);
    for (std::size_t i : logicalIndexOrder(def.indexes)) {
        const int real = table.realIndexOf[i];
        if (real < 0 || static_cast<std::size_t>(real) >= table.realIndexes.size())
            throw DbError(errc::fail, "De index '" + def.indexes[i].name + "' heeft geen indexdefinitie.");
        addLogicalIndex(out, format, def.indexes[i], table.logicalIndexes[i], real);
    }
    for (std::size_t i : logicalIndexOrder(def.indexes)) addName(out, format, def.indexes[i].name);
    for (const LongValueMaps& maps : table.longValueMaps) {
        out.add(static_cast<std::uint16_t>(maps.columnNumber), 2);
        out.add(maps.usedPagesMap, 4);
        out.add(maps.freeSpaceMap, 4);
    }
    out.add(endOfLongValueMaps, 2);
    out.at(8, out.data.size(), 4);
    return std::move(out.data);
}

std::size_t definitionPageCount(const Format& format, std::size_t length)
{
    if (length <= format.pageSize) return 1;
    const std::size_t perPage = format.pageSize - pageHeaderSize;
    return 1 + (length - format.pageSize + perPage - 1) / perPage;
}

std::vector<PageBytes> definitionPages(const Format& format, const std::vector<std::uint8_t>& definition,
                                       const std::vector<std::uint32_t>& numbers)
{
    if (numbers.size() != definitionPageCount(format, definition.size()))
        throw DbError(errc::fail, "Het aantal pagina's voor een tabeldefinitie klopt niet.");
    std::vector<PageBytes> pages;
    std::size_t from = 0;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        PageBytes page(format.pageSize, 0);
        const std::size_t header = i == 0 ? 0 : pageHeaderSize;
        const std::size_t take = std::min(format.pageSize - header, definition.size() - from);
        std::copy_n(definition.begin() + static_cast<std::ptrdiff_t>(from), take,
                    page.begin() + static_cast<std::ptrdiff_t>(header));
        from += take;
        page[0] = tableDefinitionPage;
        page[1] = 0x01;
        const std::size_t used = header + take;
        // Jet 4 keeps the free space (less eight) where Jet 3 has 'VC'.
        const std::size_t free = used + pageHeaderSize >= format.pageSize ? 0 : format.pageSize - used - pageHeaderSize;
        const std::uint16_t third = format.jet4() ? static_cast<std::uint16_t>(free) : 0x4356;
        page[2] = static_cast<std::uint8_t>(third & 0xFF);
        page[3] = static_cast<std::uint8_t>(third >> 8);
        const std::uint32_t next = i + 1 < numbers.size() ? numbers[i + 1] : 0;
        for (int b = 0; b < 4; ++b) page[4 + static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(next >> (8 * b));
        pages.push_back(std::move(page));
    }
    return pages;
}

}  // namespace querimo::jet

namespace querimo::jet {

std::vector<std::uint32_t> definitionPageChain(PageFile& file, std::uint32_t first)
{
    std::vector<std::uint32_t> chain;
    for (std::uint32_t number = first; number != 0;) {
        if (std::find(chain.begin(), chain.end(), number) != chain.end() || number >= file.pageCount())
            corrupt("de tabeldefinitie op pagina " + std::to_string(first) + " verwijst naar een onmogelijke pagina");
        chain.push_back(number);
        const PageRef page = file.page(number);
        number = ByteView(page->data(), page->size()).u32(4);
    }
    return chain;
}

}  // namespace querimo::jet
