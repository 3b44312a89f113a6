#include "jet/tables/TableDefinition.h"

#include <algorithm>
#include <unordered_set>

#include "core/Text.h"
#include "jet/format/TableDefinitionLayout.h"
#include "jet/pages/ByteView.h"
#include "jet/rows/JetText.h"

namespace querimo::jet {
namespace {

constexpr std::uint32_t maxColumns = 4096;
constexpr std::uint32_t maxIndexes = 1024;

// The definition as one run of bytes: the first page whole, later pages without their header.
std::vector<std::uint8_t> definitionBytes(PageFile& file, std::uint32_t first)
{
    std::vector<std::uint8_t> bytes;
    std::unordered_set<std::uint32_t> seen;
    for (std::uint32_t number = first; number != 0;) {
        if (!seen.insert(number).second)
            corrupt("de tabeldefinitie op pagina " + std::to_string(first) + " verwijst in een kring naar zichzelf");
        const PageRef page = file.page(number);
        const ByteView view(page->data(), page->size());
        if (view.u8(0) != tableDefinitionPageType)
            corrupt("pagina " + std::to_string(number) + " is geen tabeldefinitie");
        bytes.insert(bytes.end(), page->begin() + (bytes.empty() ? 0 : definitionPageHeaderSize), page->end());
        number = view.u32(4);
    }
    return bytes;
}

class Reader {
public:
    Reader(ByteView bytes, const Format& format) : bytes_(bytes), format_(format) {}

    std::string name(std::size_t& pos) const
    {
        const std::size_t length = format_.jet4() ? bytes_.u16(pos) : bytes_.u8(pos);
        pos += format_.nameLengthSize;
        std::string text = decodeJetText(bytes_.sub(pos, length), format_.version);
        pos += length;
        return text;
    }

    // Types beyond the documented ones (system tables of later Access versions use some) read as raw bytes.
    static ColumnType columnType(std::uint8_t code)
    {
        switch (code) {
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
        case 9:
        case 10:
        case 11:
        case 12:
        case 15:
        case 16:
        case 18:
        case 19:
        case 20: return static_cast<ColumnType>(code);
        default: return ColumnType::Binary;
        }
    }

    void column(std::size_t at, ColumnDef& def, ColumnStorage& storage) const
    {
        const std::uint8_t code = bytes_.u8(at + format_.colType);
        def.type = columnType(code);
        if (static_cast<std::uint8_t>(def.type) != code) storage.typeCode = code;
        def.number = bytes_.u16(at + format_.colNumber);
        const std::uint8_t flags = bytes_.u8(at + format_.colFlags);
        def.fixed = (flags & columnFixedLengthFlag) != 0;
        // Access leaves the AutoNumber bit set on some columns of other types (a Jet 3 Currency among them) and
        // ignores it there: only a Long counts up, only a Replication ID is generated.
        def.autoNumber = (def.type == ColumnType::Long && (flags & columnAutoLongFlag) != 0)
                         || (def.type == ColumnType::Guid && (flags & columnAutoGuidFlag) != 0);
        storage.length = bytes_.u16(at + format_.colLength);
        storage.fixedOffset = bytes_.u16(at + format_.colFixedOffset);
        storage.variableIndex = bytes_.u16(at + format_.colVariableIndex);
        if (format_.colExtraFlags != 0) {
            const std::uint8_t extra = bytes_.u8(at + format_.colExtraFlags);
            storage.compressedUnicode = (extra & columnCompressedUnicodeFlag) != 0;
            storage.extraFlags = extra;
            def.calculated = (extra & columnCalculatedFlags) != 0;
        }
        storage.flags = flags;
        storage.displayIndex = bytes_.u16(at + format_.colDisplayIndex);
        storage.sortOrder = bytes_.u16(at + format_.colSortOrder);
        if (format_.jet4()) storage.sortOrderTail = bytes_.u16(at + format_.colSortOrder + 2);
        if (format_.colCodePage != 0) storage.codePage = bytes_.u16(at + format_.colCodePage);
        if (format_.colJet3Word != 0) storage.jet3Word = bytes_.u16(at + format_.colJet3Word);
        if (def.type == ColumnType::Complex && format_.jet4()) def.complexId = bytes_.i32(at + format_.colSortOrder);
        if (def.type == ColumnType::Decimal) {
            def.precision = bytes_.u8(at + format_.colPrecision);
            def.scale = bytes_.u8(at + format_.colScale);
        }
        // A calculated column's length counts the bytes wrapped around its result.
        const int length = def.calculated && storage.length >= static_cast<int>(calculatedValueExtra)
                               ? storage.length - static_cast<int>(calculatedValueExtra)
                               : storage.length;
        def.size = (def.type == ColumnType::Text && format_.jet4()) ? length / 2 : length;
        if (isLongValue(def.type)) def.size = 0;
    }

private:
    ByteView bytes_;
    const Format& format_;
};

// A real index entry: ten (column number, order) slots, then the usage map pointer and the root page.
constexpr std::size_t realIndexColumnSlots = 10;
constexpr std::size_t realIndexUsedPagesAfterColumns = 3 * realIndexColumnSlots;
constexpr std::size_t realIndexFirstPageAfterColumns = realIndexUsedPagesAfterColumns + 4;

void readIndexes(const ByteView& bytes, const Format& format, const Reader& reader, std::size_t& pos,
                 std::uint32_t realCount, std::uint32_t logicalCount, TableLayout& layout)
{
    std::vector<RealIndexLayout>& reals = layout.realIndexes;
    reals.resize(realCount);
    for (auto& real : reals) {
        const std::size_t columns = pos + format.realIndexDefColumns;
        for (std::size_t k = 0; k < realIndexColumnSlots; ++k) {
            const std::size_t entry = columns + 3 * k;
            const std::uint16_t number = bytes.u16(entry);
            real.slotOrders[k] = bytes.u8(entry + 2);
            if (number != 0xFFFF) real.columns.push_back(IndexColumn{number, bytes.u8(entry + 2) == 0x01});
        }
        real.usedPagesMap = bytes.u32(columns + realIndexUsedPagesAfterColumns);
        real.firstPage = bytes.u32(columns + realIndexFirstPageAfterColumns);
        real.flags = bytes.u8(pos + format.realIndexDefFlags);
        if (format.jet4()) real.jet4Leftover = bytes.u32(columns + realIndexFirstPageAfterColumns + 4);
        pos += format.realIndexDefSize;
    }

    struct Logical {
        std::uint32_t number = 0;
        int real = 0;
        IndexDef index;
        LogicalIndexLayout stored;
    };
    std::vector<Logical> logical(logicalCount);
    for (Logical& entry : logical) {
        const std::size_t at = pos + format.logicalIndexDefStart;
        entry.number = bytes.u32(at);
        const std::uint32_t real = bytes.u32(at + 4);
        if (real >= reals.size()) corrupt("een index verwijst naar een niet-bestaande indexdefinitie");
        entry.real = static_cast<int>(real);
        entry.stored = LogicalIndexLayout{entry.number,       bytes.u8(at + 8),  bytes.u32(at + 9),
                                          bytes.u32(at + 13), bytes.u8(at + 17), bytes.u8(at + 18)};
        const std::uint8_t kind = bytes.u8(at + 19);
        IndexDef& index = entry.index;
        index.columns = reals[real].columns;
        index.primaryKey = kind == primaryKeyIndexKind;
        index.foreignKey = kind == foreignKeyIndexKind;
        index.unique = index.primaryKey || (reals[real].flags & indexUniqueFlag) != 0;
        index.ignoreNulls = (reals[real].flags & indexIgnoreNullsFlag) != 0;
        index.required = (reals[real].flags & indexRequiredFlag) != 0;
        pos += format.logicalIndexDefSize;
    }
    for (Logical& entry : logical) entry.index.name = reader.name(pos);
    std::stable_sort(logical.begin(), logical.end(),
                     [](const Logical& a, const Logical& b) { return a.number < b.number; });
    for (Logical& entry : logical) {
        layout.def.indexes.push_back(std::move(entry.index));
        layout.realIndexOf.push_back(entry.real);
        layout.logicalIndexes.push_back(entry.stored);
    }
}

// Jet 4 lists the usage maps of long value columns after the index names, up to a column number FFFF.
void readLongValueMaps(const ByteView& bytes, std::size_t pos, TableLayout& layout)
{
    const std::size_t end = std::min<std::size_t>(bytes.u32(8), bytes.size());
    constexpr std::size_t entrySize = 10;
    while (pos + entrySize <= end && bytes.u16(pos) != 0xFFFF && layout.longValueMaps.size() < maxColumns) {
        layout.longValueMaps.push_back(LongValueMaps{bytes.u16(pos), bytes.u32(pos + 2), bytes.u32(pos + 6)});
        pos += entrySize;
    }
}

}  // namespace

TableLayout readTableDefinition(PageFile& file, const Format& format, std::uint32_t page, const std::string& name)
{
    const std::vector<std::uint8_t> raw = definitionBytes(file, page);
    const ByteView bytes(raw.data(), raw.size());
    const Reader reader(bytes, format);

    TableLayout layout;
    layout.def.name = name;
    layout.def.definitionPage = page;
    layout.def.rowCount = bytes.u32(format.tdefRowCount);
    layout.nextAutoNumber = bytes.u32(format.tdefRowCount + 4);
    layout.system = bytes.u8(format.tdefTableType) == 0x53;
    layout.maxColumns = bytes.u16(format.tdefMaxColumns);
    layout.variableColumns = bytes.u16(format.tdefVariableColumns);
    const std::uint32_t columnCount = bytes.u16(format.tdefColumnCount);
    const std::uint32_t logicalCount = bytes.u32(format.tdefLogicalIndexCount);
    const std::uint32_t realCount = bytes.u32(format.tdefRealIndexCount);
    layout.usedPagesMap = bytes.u32(format.tdefUsedPages);
    layout.freeSpaceMap = bytes.u32(format.tdefFreePages);
    if (format.jet4())
        for (std::size_t i = 0; i < layout.jet4HeaderExtra.size(); ++i)
            layout.jet4HeaderExtra[i] = bytes.u8(format.tdefRowCount + 8 + i);
    if (columnCount > maxColumns || logicalCount > maxIndexes || realCount > maxIndexes)
        corrupt("de tabeldefinitie van '" + name + "' heeft onmogelijke aantallen");

    std::size_t pos = format.tdefIndexBlock + realCount * format.realIndexEntrySize;
    const std::size_t columnBlock = pos;
    pos += columnCount * format.columnEntrySize;
    layout.def.columns.resize(columnCount);
    layout.storage.resize(columnCount);
    for (std::uint32_t i = 0; i < columnCount; ++i) {
        ColumnDef& column = layout.def.columns[i];
        reader.column(columnBlock + i * format.columnEntrySize, column, layout.storage[i]);
        column.ordinal = static_cast<int>(i) + 1;
        column.name = reader.name(pos);
    }
    readIndexes(bytes, format, reader, pos, realCount, logicalCount, layout);
    for (std::uint32_t i = 0; i < realCount; ++i) {
        RealIndexLayout& real = layout.realIndexes[i];
        real.headerWord = bytes.u32(format.tdefIndexBlock + i * format.realIndexEntrySize);
        real.entryCount = bytes.u32(format.tdefIndexBlock + i * format.realIndexEntrySize + 4);
    }
    readLongValueMaps(bytes, pos, layout);
    return layout;
}

TableLayout withColumnsOnly(const TableLayout& table, const std::vector<std::string>& names)
{
    TableLayout reduced = table;
    reduced.def.columns.clear();
    reduced.storage.clear();
    for (std::size_t i = 0; i < table.def.columns.size(); ++i) {
        const bool wanted = std::any_of(names.begin(), names.end(), [&](const std::string& n) {
            return text::equalsIgnoreCase(n, table.def.columns[i].name);
        });
        if (wanted) {
            reduced.def.columns.push_back(table.def.columns[i]);
            reduced.storage.push_back(table.storage[i]);
        }
    }
    return reduced;
}

}  // namespace querimo::jet
