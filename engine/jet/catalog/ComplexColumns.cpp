#include <algorithm>

#include "core/Error.h"
#include "core/Text.h"
#include "jet/Database.h"

namespace querimo::jet {
namespace {

[[noreturn]] void unreadable(const ColumnDef& column, const std::string& why)
{
    throw DbError(errc::fail, "De waarden van het veld '" + column.name + "' kunnen niet worden gelezen: " + why);
}

std::int64_t number(const Value& value)
{
    return value.kind == Value::Kind::Long || value.kind == Value::Kind::Integer ? value.integer : -1;
}

// A catalog id's table: catalog ids of tables are their definition page in the low 24 bits.
const CatalogEntry* tableById(const Database& database, std::int64_t id)
{
    for (const CatalogEntry& entry : database.catalog())
        if ((entry.kind == ObjectKind::Table || entry.kind == ObjectKind::SystemTable) && entry.id == id) return &entry;
    return nullptr;
}

std::size_t count(const TableDef& table, ColumnType type)
{
    return static_cast<std::size_t>(std::count_if(table.columns.begin(), table.columns.end(),
                                                  [type](const ColumnDef& c) { return c.type == type; }));
}

// The type table's columns tell the kinds apart: one plain value, a file's fields, or text with its date.
ComplexKind kindOf(const TableDef& type)
{
    if (type.columns.size() == 1 && type.columns[0].type != ColumnType::Memo
        && type.columns[0].type != ColumnType::OleObject && type.columns[0].type != ColumnType::Complex)
        return ComplexKind::MultiValue;
    if (count(type, ColumnType::OleObject) >= 1 && count(type, ColumnType::Text) >= 2
        && count(type, ColumnType::Memo) >= 1 && count(type, ColumnType::DateTime) >= 1
        && count(type, ColumnType::Long) >= 1)
        return ComplexKind::Attachment;
    if (count(type, ColumnType::Memo) >= 1 && count(type, ColumnType::DateTime) >= 1)
        return ComplexKind::VersionHistory;
    return ComplexKind::Unknown;
}

}  // namespace

ComplexColumn Database::complexColumn(const TableDef& table, const ColumnDef& column)
{
    if (column.type != ColumnType::Complex) unreadable(column, "het is geen veld met bijlagen of meerdere waarden");
    const CatalogEntry* complexColumns = findEntry("MSysComplexColumns");
    if (!complexColumns) unreadable(column, "de systeemtabel MSysComplexColumns ontbreekt");
    const TableDef& catalogTable = this->table(complexColumns->name);
    const ColumnDef* idColumn = catalogTable.column("ComplexID");
    const ColumnDef* flatColumn = catalogTable.column("FlatTableID");
    const ColumnDef* typeColumn = catalogTable.column("ComplexTypeObjectID");
    if (!idColumn || !flatColumn || !typeColumn)
        unreadable(column, "MSysComplexColumns heeft niet de verwachte velden");
    const auto position = [&](const ColumnDef* c) { return static_cast<std::size_t>(c - catalogTable.columns.data()); };

    std::int64_t flatId = -1, typeId = -1;
    auto scan = this->scan(catalogTable);
    for (std::vector<Value> row; scan->next(row);)
        if (number(row[position(idColumn)]) == column.complexId) {
            flatId = number(row[position(flatColumn)]);
            typeId = number(row[position(typeColumn)]);
            break;
        }
    scan.reset();
    const CatalogEntry* flatEntry = tableById(*this, flatId);
    const CatalogEntry* typeEntry = tableById(*this, typeId);
    if (!flatEntry || !typeEntry) unreadable(column, "de verborgen tabel met de waarden ontbreekt");

    const TableDef& flat = this->table(flatEntry->name);
    const TableDef& type = this->table(typeEntry->name);
    ComplexColumn out;
    out.kind = kindOf(type);
    out.flatTable = flat.name;
    for (const ColumnDef& c : flat.columns) {
        if (type.column(c.name))
            out.valueColumns.push_back(c.name);
        else if (c.type == ColumnType::Long && !c.autoNumber)
            out.valueIdColumn = c.name;  // the other one, an AutoNumber, numbers the flat rows themselves
    }
    if (out.valueIdColumn.empty() || out.valueColumns.empty())
        unreadable(column, "de verborgen tabel '" + flat.name + "' heeft niet de verwachte velden");
    (void)table;
    return out;
}

bool Database::hiddenColumn(const TableDef& table, const ColumnDef& column)
{
    if (column.type != ColumnType::Complex) return false;
    try {
        return complexColumn(table, column).kind == ComplexKind::VersionHistory;
    } catch (const DbError&) {
        return false;  // shown, so that reading it names what is wrong
    }
}

}  // namespace querimo::jet
