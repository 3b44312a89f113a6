#include "jet/catalog/CatalogRows.h"

#include <ctime>
#include <limits>
#include <optional>

#include "core/DateTime.h"
#include "core/Error.h"
#include "core/Text.h"
#include "jet/pages/Corruption.h"

namespace querimo::jet {
namespace {

// The owner Access gives user objects in a new file, when the catalog names none.
const std::string defaultOwner("\xA6\x33", 2);

// First id of the objects that live only in the catalog (queries, relationships, containers of Access).
constexpr std::int32_t firstObjectId = std::numeric_limits<std::int32_t>::min();

std::optional<std::size_t> positionOf(const TableDef& table, const char* name)
{
    const ColumnDef* column = table.column(name);
    if (!column) return std::nullopt;
    return static_cast<std::size_t>(column - table.columns.data());
}

std::int64_t number(const Value& v)
{
    return v.isNull() ? 0 : v.integer;
}

std::int32_t takeObjectId(CatalogContext& context)
{
    if (context.nextObjectId >= 0)
        throw DbError(errc::fail, "De systeemcatalogus (MSysObjects) heeft geen vrij objectnummer meer.");
    return context.nextObjectId++;
}

}  // namespace

std::size_t columnPosition(const TableDef& systemTable, const char* column)
{
    const auto position = positionOf(systemTable, column);
    if (!position) corrupt("de systeemtabel " + systemTable.name + " mist de kolom " + column);
    return *position;
}

CatalogContext readCatalogContext(const TableDef& msysObjects, TableScan& scan)
{
    const std::size_t id = columnPosition(msysObjects, "Id"), name = columnPosition(msysObjects, "Name"),
                      type = columnPosition(msysObjects, "Type");
    const auto owner = positionOf(msysObjects, "Owner");

    CatalogContext context;
    std::optional<std::int32_t> highestObjectId;
    std::vector<Value> row;
    while (scan.next(row)) {
        const auto rowId = static_cast<std::int32_t>(number(row[id]));
        const std::int64_t rowType = number(row[type]);
        const std::string rowName = row[name].kind == Value::Kind::Text ? row[name].bytes : std::string();
        if (rowId < 0 && (!highestObjectId || rowId > *highestObjectId)) highestObjectId = rowId;
        if (rowType == static_cast<std::int64_t>(CatalogType::Container)) {
            if (text::equalsIgnoreCase(rowName, "Tables"))
                context.tablesContainer = rowId;
            else if (text::equalsIgnoreCase(rowName, "Relationships"))
                context.relationshipsContainer = rowId;
        } else if (rowType == static_cast<std::int64_t>(CatalogType::Database) && owner
                   && row[*owner].kind == Value::Kind::Binary) {
            context.owner = row[*owner].bytes;
        }
    }
    if (context.tablesContainer == 0) corrupt("de systeemcatalogus (MSysObjects) mist de container Tables");
    context.nextObjectId = highestObjectId ? *highestObjectId + 1 : firstObjectId;
    if (context.owner.empty()) context.owner = defaultOwner;
    return context;
}

CatalogObject tableObject(const CatalogContext& context, const std::string& name, std::uint32_t definitionPage)
{
    return {static_cast<std::int32_t>(definitionPage & 0x00FFFFFF), context.tablesContainer, name, CatalogType::Table,
            0};
}

CatalogObject queryObject(CatalogContext& context, const std::string& name, QueryKind kind)
{
    return {takeObjectId(context), context.tablesContainer, name, CatalogType::Query, static_cast<std::uint32_t>(kind)};
}

CatalogObject relationshipObject(CatalogContext& context, const std::string& name)
{
    if (context.relationshipsContainer == 0)
        throw DbError(errc::fail, "De systeemcatalogus (MSysObjects) mist de container Relationships.");
    return {takeObjectId(context), context.relationshipsContainer, name, CatalogType::Relationship, 0};
}

std::vector<Value> catalogRow(const TableDef& msysObjects, const CatalogObject& object, const std::string& owner,
                              double now)
{
    std::vector<Value> row(msysObjects.columns.size());
    const auto set = [&](const char* column, Value value) {
        if (const auto position = positionOf(msysObjects, column)) row[*position] = std::move(value);
    };
    row[columnPosition(msysObjects, "Id")] = Value::int32(object.id);
    row[columnPosition(msysObjects, "ParentId")] = Value::int32(object.parentId);
    row[columnPosition(msysObjects, "Name")] = Value::text(object.name);
    row[columnPosition(msysObjects, "Type")] = Value::int16(static_cast<std::int16_t>(object.type));
    row[columnPosition(msysObjects, "Flags")] = Value::int32(static_cast<std::int32_t>(object.flags));
    set("DateCreate", Value::dateTime(now));
    set("DateUpdate", Value::dateTime(now));
    set("Owner", Value::binary(owner));
    return row;
}

QueryKind queryKindOf(const std::vector<QueryRow>& rows)
{
    constexpr int typeAttribute = 1;
    // MSysQueries numbers the kinds 1 to 9; MSysObjects keeps them as flags.
    static const QueryKind kinds[] = {QueryKind::Select,         QueryKind::MakeTable,   QueryKind::Append,
                                      QueryKind::Update,         QueryKind::Delete,      QueryKind::Crosstab,
                                      QueryKind::DataDefinition, QueryKind::PassThrough, QueryKind::Union};
    for (const QueryRow& row : rows)
        if (row.attribute == typeAttribute && row.flag >= 1 && row.flag <= 9) return kinds[row.flag - 1];
    return QueryKind::Select;
}

std::vector<Value> queryTableRow(const TableDef& msysQueries, const QueryRow& row)
{
    // Access leaves Flag empty on the rows of tables (5), the WHERE clause (8) and the end mark (255).
    const bool flagEmpty = row.flag == 0 && (row.attribute == 5 || row.attribute == 8 || row.attribute == 255);
    const auto text = [](const std::string& s) { return s.empty() ? Value::null() : Value::text(s); };
    std::string order;  // stored as bytes, most significant first
    for (int shift = 24; row.order != 0 && shift >= 0; shift -= 8)
        order += static_cast<char>((static_cast<std::uint32_t>(row.order) >> shift) & 0xFF);

    std::vector<Value> values(msysQueries.columns.size());
    values[columnPosition(msysQueries, "ObjectId")] = Value::int32(row.objectId);
    values[columnPosition(msysQueries, "Attribute")] = Value::byte(static_cast<std::uint8_t>(row.attribute));
    values[columnPosition(msysQueries, "Order")] = order.empty() ? Value::null() : Value::binary(order);
    values[columnPosition(msysQueries, "Name1")] = text(row.name1);
    values[columnPosition(msysQueries, "Name2")] = text(row.name2);
    values[columnPosition(msysQueries, "Expression")] = text(row.expression);
    values[columnPosition(msysQueries, "Flag")] =
        flagEmpty ? Value::null() : Value::int16(static_cast<std::int16_t>(row.flag));
    return values;
}

std::uint32_t relationshipFlags(const ReferentialActions& actions)
{
    return (actions.cascadeUpdates ? 0x100u : 0u) | (actions.cascadeDeletes ? 0x1000u : 0u)
           | (actions.cascadeNull ? 0x2000u : 0u);
}

std::vector<Value> relationshipTableRow(const TableDef& msysRelationships, const RelationshipColumn& pair)
{
    std::vector<Value> values(msysRelationships.columns.size());
    values[columnPosition(msysRelationships, "szRelationship")] = Value::text(pair.relationship);
    values[columnPosition(msysRelationships, "grbit")] = Value::int32(static_cast<std::int32_t>(pair.flags));
    values[columnPosition(msysRelationships, "ccolumn")] = Value::int32(pair.columnCount);
    values[columnPosition(msysRelationships, "icolumn")] = Value::int32(pair.column);
    values[columnPosition(msysRelationships, "szObject")] = Value::text(pair.table);
    values[columnPosition(msysRelationships, "szColumn")] = Value::text(pair.columnName);
    values[columnPosition(msysRelationships, "szReferencedObject")] = Value::text(pair.referencedTable);
    values[columnPosition(msysRelationships, "szReferencedColumn")] = Value::text(pair.referencedColumn);
    return values;
}

std::vector<Value> accessRightRow(const TableDef& msysAces, const AccessRight& right)
{
    std::vector<Value> row(msysAces.columns.size());
    row[columnPosition(msysAces, "ObjectId")] = Value::int32(right.object);
    row[columnPosition(msysAces, "SID")] = Value::binary(right.sid);
    row[columnPosition(msysAces, "ACM")] = Value::int32(right.mask);
    row[columnPosition(msysAces, "FInheritable")] = Value::boolean(right.inheritable);
    return row;
}

AccessRight accessRightOf(const TableDef& msysAces, const std::vector<Value>& row)
{
    AccessRight right;
    right.object = static_cast<std::int32_t>(row[columnPosition(msysAces, "ObjectId")].integer);
    right.sid = row[columnPosition(msysAces, "SID")].bytes;
    right.mask = static_cast<std::int32_t>(row[columnPosition(msysAces, "ACM")].integer);
    right.inheritable = row[columnPosition(msysAces, "FInheritable")].integer != 0;
    return right;
}

std::vector<AccessRight> inheritedRights(const std::vector<AccessRight>& containerRights, const CatalogObject& object,
                                         const std::string& owner)
{
    constexpr std::int32_t usersOnContainer = 983294;  // what the Users group may do in a container
    std::vector<AccessRight> rights;
    bool ownerHasRight = false;
    for (const AccessRight& right : containerRights) {
        if (right.object != object.parentId || !right.inheritable || right.mask == usersOnContainer) continue;
        rights.push_back({object.id, right.sid, right.mask, false});
        ownerHasRight = ownerHasRight || right.sid == owner;
    }
    if (!ownerHasRight) rights.push_back({object.id, owner, usersOnContainer, false});
    return rights;
}

double accessNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return datetime::serialDay(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday)
           + (t.tm_hour * 3600 + t.tm_min * 60 + t.tm_sec) / 86400.0;
}

}  // namespace querimo::jet
