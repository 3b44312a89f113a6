// Reads through an index: the rows of a key range in index order.
#include "core/Error.h"
#include "jet/JetDatabase.h"
#include "jet/rows/IndexScanner.h"
#include "jet/tables/IndexKey.h"
#include "jet/tables/IndexRange.h"

namespace querimo::jet {
namespace {

bool keyable(ColumnType type)
{
    return type != ColumnType::Decimal && type != ColumnType::OleObject;
}

bool wholeNumber(ColumnType type)
{
    return type == ColumnType::Byte || type == ColumnType::Integer || type == ColumnType::Long
           || type == ColumnType::BigInt || type == ColumnType::Currency;
}

// The column count of a unique index whose columns all hold whole numbers (a value there has one key), else 0.
std::size_t uniqueWholeNumberKey(const TableDef& table, std::size_t index)
{
    const IndexDef& def = table.indexes[index];
    if (!def.unique) return 0;
    for (const IndexColumn& column : def.columns) {
        const ColumnDef* found = table.columnByNumber(column.columnNumber);
        if (!found || !wholeNumber(found->type)) return 0;
    }
    return def.columns.size();
}

TextOrder orderOf(Version version, Collation collation)
{
    switch (collation) {
    case Collation::General: return version == Version::Jet3 ? TextOrder::General97 : TextOrder::General;
    case Collation::General2010: return TextOrder::General2010;
    case Collation::Unknown: break;
    }
    return TextOrder::Unknown;
}

}  // namespace

const RealIndexLayout& JetDatabase::realIndex(const TableLayout& table, std::size_t index)
{
    if (index >= table.def.indexes.size() || index >= table.realIndexOf.size())
        throw DbError(errc::fail,
                      "De tabel '" + table.def.name + "' heeft geen index met nummer " + std::to_string(index + 1));
    const auto real = static_cast<std::size_t>(table.realIndexOf[index]);
    if (real >= table.realIndexes.size()) corrupt("een index van de tabel '" + table.def.name + "' ontbreekt");
    return table.realIndexes[real];
}

// The index's columns as its keys encode them; nullopt when a column has no key (the index cannot be sought).
std::optional<std::vector<KeyColumn>> JetDatabase::keyColumns(const TableLayout& table, std::size_t index)
{
    const RealIndexLayout& layout = realIndex(table, index);
    std::vector<KeyColumn> columns;
    for (const IndexColumn& indexColumn : layout.columns) {
        const ColumnDef* column = table.def.columnByNumber(indexColumn.columnNumber);
        if (!column) corrupt("een index van de tabel '" + table.def.name + "' noemt een kolom die niet bestaat");
        const auto position = static_cast<std::size_t>(column - table.def.columns.data());
        if (!keyable(column->type) || table.storage.at(position).typeCode != 0) return std::nullopt;
        // Columns the range gives no value for are never encoded, so their sort order does not matter here.
        columns.push_back(keyColumn(version(), table, position, indexColumn.ascending));
    }
    return columns;
}

std::optional<IndexWalk> JetDatabase::indexWalk(const TableLayout& table, std::size_t index, const KeyRange& range)
{
    const std::optional<std::vector<KeyColumn>> columns = keyColumns(table, index);
    if (!columns) return std::nullopt;
    return indexWalk(table, index, *columns, range);
}

std::optional<IndexWalk> JetDatabase::indexWalk(const TableLayout& table, std::size_t index,
                                                const std::vector<KeyColumn>& columns, const KeyRange& range)
{
    std::optional<KeyBounds> bounds = keyBounds(version(), columns, range);
    if (!bounds) return std::nullopt;
    return IndexWalk(file_, version(), indexPages_, realIndex(table, index).firstPage, table.def.definitionPage,
                     std::move(*bounds));
}

std::unique_ptr<TableScan> JetDatabase::seek(const TableDef& table, std::size_t index, const KeyRange& range,
                                             const std::vector<std::size_t>& columns)
{
    const TableLayout& full = layoutOf(table);
    std::optional<std::vector<KeyColumn>> keyed;
    std::optional<IndexWalk> walk = [&]() -> std::optional<IndexWalk> {
        try {
            keyed = keyColumns(full, index);
            if (!keyed) return std::nullopt;
            return indexWalk(full, index, *keyed, range);
        } catch (const CorruptFile& e) {
            throw damagedFile(file_.path(), e);
        }
    }();
    if (!walk) return nullptr;
    // The columns are taken once for all the ranges a join seeks again.
    IndexScanner::BoundsOf boundsOf = [version = version(), columns = std::move(*keyed)](const KeyRange& again,
                                                                                        KeyBounds& into) {
        return keyBounds(version, columns, again, into);
    };
    const std::size_t uniqueKey = uniqueWholeNumberKey(full.def, index);
    if (columns.empty())
        return std::make_unique<IndexScanner>(file_, *format_, full, std::move(*walk), stopSignal(),
                                              std::move(boundsOf), uniqueKey, &range);
    return columnsOnly(
        table, columns,
        [&](const TableLayout& reduced) -> std::unique_ptr<TableScan> {
            return std::make_unique<IndexScanner>(file_, *format_, reduced, std::move(*walk), stopSignal(),
                                                  std::move(boundsOf), uniqueKey, &range);
        },
        true);
}

TextOrder JetDatabase::textOrder() const
{
    // The file's own order, as new columns take it.
    ColumnStorage storage;
    storage.sortOrder = static_cast<std::uint16_t>(static_cast<std::uint32_t>(header_.sortOrder) & 0xFFFF);
    useFileSortOrder(storage);
    return orderOf(version(), collationOf(version(), storage));
}

TextOrder JetDatabase::textOrder(const TableDef& table, std::size_t column)
{
    const TableLayout& layout = layoutOf(table);
    if (column >= layout.def.columns.size() || column >= layout.storage.size()) return TextOrder::Unknown;
    return orderOf(version(), collationOf(version(), layout.storage[column]));
}

std::optional<double> JetDatabase::shareOf(const TableDef& table, std::size_t index, const KeyRange& range)
{
    try {
        std::optional<IndexWalk> walk = indexWalk(layoutOf(table), index, range);
        if (walk) return walk->share();
    } catch (const CorruptFile&) {
        // A damaged index shows when it is read; the planner does without the estimate.
    } catch (const DbError&) {
        // So does a page that cannot be read.
    }
    return std::nullopt;
}

}  // namespace querimo::jet
