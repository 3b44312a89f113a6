#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/Value.h"
#include "jet/Database.h"

namespace querimo::jet {

// MSysObjects Type values of the objects the engine creates.
enum class CatalogType : std::int16_t { Table = 1, Database = 2, Container = 3, Query = 5, Relationship = 8 };

// MSysObjects Flags of a stored query, by what the query does.
enum class QueryKind : std::uint32_t {
    Select = 0,
    Crosstab = 16,
    Delete = 32,
    Update = 48,
    Append = 64,
    MakeTable = 80,
    DataDefinition = 96,
    PassThrough = 112,
    Union = 128
};

// What a new MSysObjects row takes from the rows already there.
struct CatalogContext {
    std::int32_t tablesContainer = 0;         // ParentId of tables and queries
    std::int32_t relationshipsContainer = 0;  // ParentId of relationships
    std::int32_t nextObjectId = 0;            // Id of the next query or relationship
    std::string owner;                        // Owner of user objects: the one the database object has
};

CatalogContext readCatalogContext(const TableDef& msysObjects, TableScan& scan);

// Where a column of a system table sits in its rows; a system table without it is damaged (CorruptFile).
std::size_t columnPosition(const TableDef& systemTable, const char* column);

struct CatalogObject {
    std::int32_t id = 0;
    std::int32_t parentId = 0;
    std::string name;
    CatalogType type = CatalogType::Table;
    std::uint32_t flags = 0;
};

// A table's Id is its definition page, which is how the reader finds it again.
CatalogObject tableObject(const CatalogContext& context, const std::string& name, std::uint32_t definitionPage);
// Queries and relationships take the next free object id (and advance it).
CatalogObject queryObject(CatalogContext& context, const std::string& name, QueryKind kind);
CatalogObject relationshipObject(CatalogContext& context, const std::string& name);

// The MSysObjects row of a new object: one value per column of msysObjects in its ordinal order, created and
// updated at `now` (an Access date), the columns Access leaves empty for such objects Null.
std::vector<Value> catalogRow(const TableDef& msysObjects, const CatalogObject& object, const std::string& owner,
                              double now);

// The kind of a stored query from its MSysQueries rows: what the type row says, a select query when none does.
QueryKind queryKindOf(const std::vector<QueryRow>& rows);

// The MSysQueries row for one QueryRow, one value per column of msysQueries in its ordinal order; empty
// texts and the numbers Access leaves empty are Null.
std::vector<Value> queryTableRow(const TableDef& msysQueries, const QueryRow& row);

// One column pair of a relationship, as a row of MSysRelationships keeps it.
struct RelationshipColumn {
    std::string relationship;
    std::uint32_t flags = 0;  // grbit: relationshipFlags
    int columnCount = 1;
    int column = 0;  // this pair's place, from 0
    std::string table, columnName, referencedTable, referencedColumn;
};

// The grbit of MSysRelationships: 0 enforces integrity without cascading; 0x2 does not enforce it (Access then
// keeps no index entries); 0x100 cascades updates, 0x1000 deletes, 0x2000 sets Null on delete. 0x1 (one to
// one) and 0x1000000, 0x2000000 (left, right join) are for the query designer.
std::uint32_t relationshipFlags(const ReferentialActions& actions);

std::vector<Value> relationshipTableRow(const TableDef& msysRelationships, const RelationshipColumn& pair);

// A row of MSysACEs: what one user or group (by security id) may do with one object.
struct AccessRight {
    std::int32_t object = 0;
    std::string sid;
    std::int32_t mask = 0;
    bool inheritable = false;  // passed on to the objects a container gets
};

std::vector<Value> accessRightRow(const TableDef& msysAces, const AccessRight& right);
AccessRight accessRightOf(const TableDef& msysAces, const std::vector<Value>& row);

// The rights Access gives a new object in a container: each right the container passes on, as the object's
// own, except the Users group's; the owner (who makes it) gets that one when the container passes it nothing.
std::vector<AccessRight> inheritedRights(const std::vector<AccessRight>& containerRights, const CatalogObject& object,
                                         const std::string& owner);

// The local time as an Access date, to the second.
double accessNow();

}  // namespace querimo::jet
