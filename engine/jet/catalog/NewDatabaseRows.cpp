#include "jet/catalog/NewDatabaseRows.h"

#include <string>

#include "jet/catalog/CatalogRows.h"
#include "jet/catalog/SystemTables.h"

namespace querimo::jet {
namespace {

// Ids and flags Access uses in every file.
constexpr std::int32_t rootContainer = 0x0F000000;
constexpr std::int32_t tablesContainer = 0x0F000001;
constexpr std::int32_t databasesContainer = 0x0F000002;
constexpr std::int32_t relationshipsContainer = 0x0F000003;
constexpr std::int32_t databaseObject = 0x10000000;
constexpr std::uint32_t systemObject = 0x80000000;

// Security ids as ADOX writes them into a new file: the engine, the Admin user, and the Users and Admins groups.
const std::string engineSid("\x65\x89", 2);
const std::string adminSid("\x64\x8B", 2);
const std::string usersSid("\x65\x8E", 2);
const std::string adminsSid("\x65\x8B", 2);

}  // namespace

std::vector<std::vector<std::vector<Value>>> newDatabaseRows(const std::vector<TableLayout>& tables, double created)
{
    // tables: MSysObjects, MSysACEs, MSysQueries, MSysRelationships, then those of an .accdb.
    const TableDef& objects = tables.at(0).def;
    const TableDef& aces = tables.at(1).def;
    const auto page = [&](std::size_t t) { return static_cast<std::int32_t>(tables.at(t).def.definitionPage); };
    std::vector<std::vector<std::vector<Value>>> rows(tables.size());

    const auto add = [&](std::int32_t id, std::int32_t parent, const std::string& name, CatalogType type,
                         const std::string& owner) {
        const std::uint32_t flags = type == CatalogType::Table ? systemTableFlags(name) : systemObject;
        rows[0].push_back(catalogRow(objects, CatalogObject{id, parent, name, type, flags}, owner, created));
    };
    add(tablesContainer, rootContainer, "Tables", CatalogType::Container, engineSid);
    add(databasesContainer, rootContainer, "Databases", CatalogType::Container, engineSid);
    add(relationshipsContainer, rootContainer, "Relationships", CatalogType::Container, engineSid);
    add(databaseObject, databasesContainer, "MSysDb", CatalogType::Database, adminSid);
    for (std::size_t t = 0; t < tables.size(); ++t)
        add(page(t), tablesContainer, tables[t].def.name, CatalogType::Table, engineSid);

    const AccessRight rights[] = {{page(0), adminSid, 393216, false},
                                  {page(1), adminSid, 393216, false},
                                  {page(2), adminSid, 393216, false},
                                  {page(3), adminSid, 917504, false},
                                  {tablesContainer, usersSid, 983294, true},
                                  {tablesContainer, adminSid, 393217, false},
                                  {relationshipsContainer, usersSid, 983294, true},
                                  {relationshipsContainer, adminSid, 393217, false},
                                  {databasesContainer, adminSid, 393216, false},
                                  {databaseObject, adminSid, 393230, false},
                                  {databaseObject, adminsSid, 14, false},
                                  {page(2), adminsSid, 20, false},
                                  {page(3), adminsSid, 20, false},
                                  {page(0), adminsSid, 20, false},
                                  {tablesContainer, adminsSid, 1048319, true},
                                  {relationshipsContainer, adminsSid, 1048575, true}};
    for (const AccessRight& right : rights) rows[1].push_back(accessRightRow(aces, right));
    // The system tables of an .accdb: the rights Access gives MSysObjects, for Admin and the Admins group.
    for (std::size_t t = 4; t < tables.size(); ++t) {
        rows[1].push_back(accessRightRow(aces, {page(t), adminSid, 393216, false}));
        rows[1].push_back(accessRightRow(aces, {page(t), adminsSid, 20, false}));
    }
    return rows;
}

}  // namespace querimo::jet
