#include "jet/catalog/Catalog.h"

#include <optional>

#include "core/Text.h"
#include "jet/pages/Corruption.h"

namespace querimo::jet {
namespace {

enum ObjectType : std::int64_t {
    tableType = 1,
    containerType = 3,
    linkedOdbcType = 4,
    queryType = 5,
    linkedTableType = 6
};
constexpr std::uint32_t systemFlags = 0x80000002;

std::int64_t number(const Value& v)
{
    return v.isNull() ? 0 : v.integer;
}

std::string textOf(const Value& v)
{
    return v.kind == Value::Kind::Text ? v.bytes : std::string();
}

bool isSystemName(const std::string& name)
{
    return name.size() >= 4 && text::equalsIgnoreCase(name.substr(0, 4), "MSys");
}

}  // namespace

const std::vector<std::string>& catalogColumns()
{
    static const std::vector<std::string> names{"Id", "ParentId", "Name", "Type", "Flags", "Database", "ForeignName"};
    return names;
}

std::vector<CatalogEntry> readCatalog(const TableDef& msysObjects, TableScan& scan)
{
    // Position of each needed column in a scanned row.
    const auto position = [&](const char* name) -> std::optional<std::size_t> {
        const ColumnDef* column = msysObjects.column(name);
        if (!column) return std::nullopt;
        return static_cast<std::size_t>(column - msysObjects.columns.data());
    };
    const auto id = position("Id"), parent = position("ParentId"), name = position("Name"), type = position("Type"),
               flags = position("Flags"), database = position("Database"), foreign = position("ForeignName");
    if (!id || !parent || !name || !type || !flags) corrupt("de systeemcatalogus (MSysObjects) mist kolommen");

    struct Row {
        CatalogEntry entry;
        std::int64_t type;
        std::int64_t parent;
    };
    std::vector<Row> rows;
    std::optional<std::int64_t> tablesContainer;
    std::vector<Value> values;
    while (scan.next(values)) {
        Row row;
        row.entry.id = static_cast<std::int32_t>(number(values[*id]));
        row.entry.name = textOf(values[*name]);
        row.entry.flags = static_cast<std::uint32_t>(number(values[*flags]));
        row.type = number(values[*type]);
        row.parent = number(values[*parent]);
        if (database) row.entry.linkedDatabase = textOf(values[*database]);
        if (foreign) row.entry.foreignName = textOf(values[*foreign]);
        if (row.type == containerType && text::equalsIgnoreCase(row.entry.name, "Tables"))
            tablesContainer = row.entry.id;
        rows.push_back(std::move(row));
    }

    std::vector<CatalogEntry> entries;
    for (Row& row : rows) {
        switch (row.type) {
        case tableType:
            if (tablesContainer && row.parent != *tablesContainer) continue;
            row.entry.kind = (row.entry.flags & systemFlags) || isSystemName(row.entry.name) ? ObjectKind::SystemTable
                                                                                             : ObjectKind::Table;
            break;
        case linkedOdbcType:
        case linkedTableType:
            row.entry.kind = ObjectKind::LinkedTable;
            row.entry.odbcLink = row.type == linkedOdbcType;
            break;
        case queryType: row.entry.kind = ObjectKind::Query; break;
        default: continue;
        }
        entries.push_back(std::move(row.entry));
    }
    return entries;
}

}  // namespace querimo::jet
