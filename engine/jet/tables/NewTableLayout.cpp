#include "jet/tables/NewTableLayout.h"

#include <algorithm>

#include "core/Error.h"
#include "core/Text.h"
#include "jet/format/TableDefinitionLayout.h"

namespace querimo::jet {
namespace {

constexpr int defaultTextSize = 255;
constexpr int maxTextSize = 255;
constexpr int maxBinarySize = 510;
constexpr int maxDecimalPrecision = 28;
constexpr std::size_t maxColumnCount = 255;

bool isVariable(ColumnType type)
{
    return type == ColumnType::Text || type == ColumnType::Memo || type == ColumnType::OleObject
           || type == ColumnType::Binary;
}

// Bytes a fixed column takes in the row (Yes/No lives in the null mask).
int fixedBytes(ColumnType type)
{
    switch (type) {
    case ColumnType::Boolean: return 0;
    case ColumnType::Byte: return 1;
    case ColumnType::Integer: return 2;
    case ColumnType::Long:
    case ColumnType::Single: return 4;
    case ColumnType::Currency:
    case ColumnType::BigInt:
    case ColumnType::Double:
    case ColumnType::DateTime: return 8;
    case ColumnType::Guid: return 16;
    case ColumnType::Decimal: return 17;
    case ColumnType::DateTimeExtended: return static_cast<int>(extendedDateSize);
    default: return 0;
    }
}

// The length a column entry stores.
int storedLength(const Format& format, const ColumnDef& column)
{
    switch (column.type) {
    case ColumnType::Boolean: return 1;
    case ColumnType::Text: return format.jet4() ? 2 * column.size : column.size;
    case ColumnType::Binary: return column.size;
    case ColumnType::Memo:
    case ColumnType::OleObject: return 0;
    default: return fixedBytes(column.type);
    }
}

[[noreturn]] void refuse(const ColumnDef& column, const std::string& why)
{
    throw DbError(errc::fail, "De kolom '" + column.name + "' kan niet gemaakt worden: " + why + ".");
}

// Where the next column goes: after the fixed bytes and variable entries already taken.
struct Cursor {
    int number = 0;
    int fixedOffset = 0;
    int variableIndex = 0;
};

Cursor cursorAfter(const TableLayout& table)
{
    Cursor next;
    for (std::size_t i = 0; i < table.def.columns.size(); ++i) {
        const ColumnDef& column = table.def.columns[i];
        const ColumnStorage& storage = table.storage[i];
        next.number = std::max(next.number, column.number + 1);
        if (column.fixed)
            next.fixedOffset = std::max(next.fixedOffset, storage.fixedOffset + fixedBytes(column.type));
        else
            next.variableIndex = std::max(next.variableIndex, storage.variableIndex + 1);
    }
    next.number = std::max(next.number, table.maxColumns);
    return next;
}

}  // namespace

void checkObjectName(const std::string& what, const std::string& name)
{
    std::size_t characters = 0;
    for (std::size_t pos = 0; pos < name.size(); ++characters) text::decodeUtf8(name, pos);
    if (characters == 0 || characters > 64)
        throw DbError(errc::fail, "De naam '" + name + "' voor een " + what + " moet 1 tot 64 tekens lang zijn.");
    if (name.front() == ' ')
        throw DbError(errc::fail, "De naam '" + name + "' voor een " + what + " mag niet met een spatie beginnen.");
    for (unsigned char c : name)
        if (c < 0x20 || c == '.' || c == '!' || c == '`' || c == '[' || c == ']')
            throw DbError(errc::fail,
                          "De naam '" + name + "' voor een " + what + " mag geen . ! ` [ ] of stuurtekens bevatten.");
}

void completeColumn(const Format& format, ColumnDef& column)
{
    checkObjectName("kolom", column.name);
    switch (column.type) {
    case ColumnType::Text:
        if (column.size == 0) column.size = defaultTextSize;
        if (column.size < 0 || column.size > maxTextSize) refuse(column, "een tekstveld is 1 tot 255 tekens lang");
        break;
    case ColumnType::Binary:
        if (column.size == 0) column.size = defaultTextSize;
        if (column.size < 0 || column.size > maxBinarySize) refuse(column, "een binair veld is 1 tot 510 bytes lang");
        break;
    case ColumnType::BigInt:
    case ColumnType::DateTimeExtended:
        if (!format.jet4()) refuse(column, "een Jet 3-database kent dit type niet");
        break;
    case ColumnType::Decimal:
        if (!format.jet4()) refuse(column, "een Jet 3-database kent geen Decimal-velden");
        if (column.precision == 0) column.precision = 18;
        if (column.precision < 1 || column.precision > maxDecimalPrecision || column.scale < 0
            || column.scale > column.precision)
            refuse(column, "de precisie is 1 tot 28 en de schaal hoogstens de precisie");
        break;
    default: break;
    }
    if (column.autoNumber && column.type != ColumnType::Long && column.type != ColumnType::Guid)
        refuse(column, "alleen Long- en GUID-velden kunnen automatisch genummerd worden");
    column.fixed = !isVariable(column.type);
    column.size = column.type == ColumnType::Text || column.type == ColumnType::Binary ? column.size
                  : isLongValue(column.type)                                           ? 0
                                                                                       : storedLength(format, column);
}

namespace {

// The storage of a completed column placed at the cursor, which moves past it.
ColumnStorage placeColumn(const Format& format, const ColumnDef& column, Cursor& at)
{
    ColumnStorage storage;
    storage.length = storedLength(format, column);
    storage.flags = columnUpdatableFlag;
    storage.variableIndex = at.variableIndex;  // for a fixed column: the variable columns before it, as Access notes
    if (column.fixed) {
        storage.flags |= columnFixedLengthFlag;
        storage.fixedOffset = column.type == ColumnType::Boolean ? 0 : at.fixedOffset;
        at.fixedOffset += fixedBytes(column.type);
    } else {
        ++at.variableIndex;
    }
    if (column.autoNumber) storage.flags |= column.type == ColumnType::Guid ? columnAutoGuidFlag : columnAutoLongFlag;
    storage.compressedUnicode = format.jet4() && column.type == ColumnType::Text;
    storage.jet3Word = format.jet4() ? 0 : 1;
    storage.displayIndex = column.number;
    return storage;
}

}  // namespace

void appendColumn(const Format& format, TableLayout& table, ColumnDef column)
{
    for (const ColumnDef& existing : table.def.columns)
        if (text::equalsIgnoreCase(existing.name, column.name))
            throw DbError(errc::fail, "De tabel '" + table.def.name + "' heeft al een kolom '" + existing.name + "'.");
    if (table.def.columns.size() >= maxColumnCount)
        throw DbError(errc::fail, "De tabel '" + table.def.name + "' kan niet meer dan 255 kolommen hebben.");
    completeColumn(format, column);
    Cursor next = cursorAfter(table);
    column.number = next.number;
    column.ordinal = static_cast<int>(table.def.columns.size()) + 1;
    const ColumnStorage storage = placeColumn(format, column, next);
    if (!column.fixed) ++table.variableColumns;
    table.maxColumns = column.number + 1;
    table.def.columns.push_back(std::move(column));
    table.storage.push_back(storage);
}

void replaceColumn(const Format& format, TableLayout& table, std::size_t position, ColumnDef column)
{
    completeColumn(format, column);
    column.number = table.def.columns[position].number;
    column.ordinal = table.def.columns[position].ordinal;
    Cursor next = cursorAfter(table);
    const ColumnStorage storage = placeColumn(format, column, next);
    if (!column.fixed) table.variableColumns = std::max(table.variableColumns, storage.variableIndex + 1);
    table.def.columns[position] = std::move(column);
    table.storage[position] = storage;
}

void removeColumn(TableLayout& table, std::size_t position)
{
    table.def.columns.erase(table.def.columns.begin() + static_cast<std::ptrdiff_t>(position));
    table.storage.erase(table.storage.begin() + static_cast<std::ptrdiff_t>(position));
    for (std::size_t i = 0; i < table.def.columns.size(); ++i) table.def.columns[i].ordinal = static_cast<int>(i) + 1;
}

TableLayout newTableLayout(const Format& format, const TableDef& def)
{
    TableLayout table;
    table.def.name = def.name;
    for (const ColumnDef& column : def.columns) appendColumn(format, table, column);
    return table;
}

}  // namespace querimo::jet
