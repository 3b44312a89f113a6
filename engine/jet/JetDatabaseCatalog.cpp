#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/Text.h"
#include "jet/JetDatabase.h"
#include "jet/catalog/CatalogRows.h"
#include "jet/catalog/NewDatabase.h"
#include "jet/format/HeaderLayout.h"
#include "jet/format/TableDefinitionLayout.h"
#include "jet/pages/Header.h"
#include "jet/pages/HeaderWriter.h"
#include "jet/tables/TableDefinitionWriter.h"

namespace querimo::jet {
namespace {

[[noreturn]] void cannotCreate(const std::string& path, const std::string& why)
{
    throw DbError(errc::fail, "De database '" + path + "' kan niet gemaakt worden: " + why + ".");
}

// Writes the pages to a file that must not exist yet.
void writeNewFile(const std::string& path, const std::vector<PageBytes>& pages)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) cannotCreate(path, errno == EEXIST ? "het bestand bestaat al" : std::strerror(errno));
    bool written = true;
    for (const PageBytes& page : pages) {
        std::size_t done = 0;
        while (written && done < page.size()) {
            const ssize_t n = ::write(fd, page.data() + done, page.size() - done);
            if (n < 0 && errno == EINTR) continue;
            written = n > 0;
            done += written ? static_cast<std::size_t>(n) : 0;
        }
    }
    const int error = errno;
    written = written && ::fsync(fd) == 0;
    ::close(fd);
    if (!written) {
        ::unlink(path.c_str());
        cannotCreate(path, std::strerror(error));
    }
}

// Whether this process holds the file exclusively: then even a shared lock from a second open is refused.
bool heldExclusively(const std::string& path)
{
    const int probe = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (probe < 0) return false;
    const bool refused = ::flock(probe, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(probe);
    return refused;
}

// The rows of `table` whose `column` holds `id`.
std::vector<RowId> rowsWithId(Database& db, const TableDef& table, const char* column, std::int32_t id)
{
    const std::size_t position = columnPosition(table, column);
    std::vector<RowId> rows;
    std::vector<Value> values;
    const auto scan = db.scan(table);
    while (scan->next(values))
        if (!values[position].isNull() && values[position].integer == id) rows.push_back(scan->rowId());
    return rows;
}

}  // namespace

void JetDatabase::grantContainerRights(const CatalogObject& object, const std::string& owner)
{
    const TableDef& aces = table("MSysACEs");
    std::vector<AccessRight> containerRights;
    std::vector<Value> values;
    for (const auto rows = scan(aces); rows->next(values);) containerRights.push_back(accessRightOf(aces, values));
    for (const AccessRight& right : inheritedRights(containerRights, object, owner))
        insertRow(aces, accessRightRow(aces, right));
}

void JetDatabase::revokeRights(std::int32_t objectId)
{
    const TableDef& aces = table("MSysACEs");
    for (RowId row : rowsWithId(*this, aces, "ObjectId", objectId)) deleteRow(aces, row);
}

void JetDatabase::createQuery(const std::string& name, const std::vector<QueryRow>& rows)
{
    for (const CatalogEntry& entry : catalog_)
        if (text::equalsIgnoreCase(entry.name, name))
            throw DbError(errc::fail, "Er bestaat al een tabel of query met de naam '" + entry.name + "'.");
    guarded([&] {
        const TableDef& objects = table("MSysObjects");
        CatalogContext context = readCatalogContext(objects, *scan(objects));
        const CatalogObject object = queryObject(context, name, queryKindOf(rows));
        insertRow(objects, catalogRow(objects, object, context.owner, accessNow()));
        grantContainerRights(object, context.owner);
        // MSysQueries is keyed on ObjectId, Attribute and Order, a primary key: numbering the rows keeps each
        // key whole and unique (Access itself leaves Order empty and its engine does not hold it to the key).
        const TableDef& queries = table("MSysQueries");
        int order = 0;
        for (QueryRow row : rows) {
            row.objectId = object.id;
            row.order = ++order;
            insertRow(queries, queryTableRow(queries, row));
        }
    });
    readCatalogTable();
    queryRowsLoaded_ = false;
}

void JetDatabase::dropQuery(std::string_view name)
{
    const CatalogEntry* query = nullptr;
    for (const CatalogEntry& entry : catalog_)
        if (entry.kind == ObjectKind::Query && text::equalsIgnoreCase(entry.name, name)) query = &entry;
    if (!query) throw DbError(errc::notFound, "De query '" + std::string(name) + "' bestaat niet.");
    const std::int32_t id = query->id;
    guarded([&] {
        // Its rows in the catalog, its decomposed text and its access rights; read first, then removed.
        const char* const tables[][2] = {{"MSysObjects", "Id"}, {"MSysQueries", "ObjectId"}};
        std::vector<std::pair<const TableDef*, std::vector<RowId>>> doomed;
        for (const auto& [tableName, column] : tables)
            doomed.emplace_back(&table(tableName), rowsWithId(*this, table(tableName), column, id));
        for (const auto& [from, rows] : doomed)
            for (RowId row : rows) deleteRow(*from, row);
        revokeRights(id);
    });
    readCatalogTable();
    queryRowsLoaded_ = false;
}

void JetDatabase::createRelationship(std::string_view tableName, const IndexDef& foreignKey,
                                     std::string_view referencedName, const std::vector<std::string>& referencedColumns,
                                     const ReferentialActions& actions)
{
    const TableDef& child = table(tableName);
    const TableDef& parent = table(referencedName);
    std::vector<std::string> columns, referenced = referencedColumns;
    for (const IndexColumn& key : foreignKey.columns) {
        const ColumnDef* column = child.columnByNumber(key.columnNumber);
        if (!column)
            throw DbError(errc::fail,
                          "De relatie verwijst naar een kolom die de tabel '" + child.name + "' niet heeft.");
        columns.push_back(column->name);
    }
    if (referenced.empty())  // the referenced table's primary key
        for (const IndexDef& index : parent.indexes)
            for (const IndexColumn& key : index.primaryKey ? index.columns : std::vector<IndexColumn>{})
                if (const ColumnDef* column = parent.columnByNumber(key.columnNumber))
                    referenced.push_back(column->name);
    if (columns.empty() || referenced.size() != columns.size())
        throw DbError(errc::fail, "De relatie tussen '" + child.name + "' en '" + parent.name
                                      + "' moet evenveel kolommen aan beide kanten hebben.");
    // Integrity can only be kept against a unique index on exactly the referenced columns.
    std::vector<int> numbers;
    for (const std::string& name : referenced) {
        const ColumnDef* column = parent.column(name);
        if (!column) throw DbError(errc::notFound, "De tabel '" + parent.name + "' heeft geen kolom '" + name + "'.");
        numbers.push_back(column->number);
    }
    const auto uniqueKey = std::find_if(parent.indexes.begin(), parent.indexes.end(), [&](const IndexDef& index) {
        if (!index.unique || index.columns.size() != numbers.size()) return false;
        return std::all_of(index.columns.begin(), index.columns.end(), [&](const IndexColumn& key) {
            return std::find(numbers.begin(), numbers.end(), key.columnNumber) != numbers.end();
        });
    });
    if (uniqueKey == parent.indexes.end())
        throw DbError(errc::integrity,
                      "Er is geen unieke index op de kolommen van '" + parent.name + "' waarnaar de relatie verwijst.");

    const std::string childName = child.name, parentName = parent.name, parentKeyName = uniqueKey->name;
    const std::string name = foreignKey.name.empty() ? parentName + childName : foreignKey.name;
    guarded([&] {
        const TableDef& relationships = table("MSysRelationships");
        const std::size_t nameColumn = columnPosition(relationships, "szRelationship");
        std::vector<Value> values;
        for (const auto existing = scan(relationships); existing->next(values);)
            if (values[nameColumn].kind == Value::Kind::Text && text::equalsIgnoreCase(values[nameColumn].bytes, name))
                throw DbError(errc::fail, "Er bestaat al een relatie met de naam '" + name + "'.");

        IndexDef index = foreignKey;
        index.foreignKey = true;
        index.primaryKey = false;
        if (index.name.empty()) index.name = name;
        createIndex(childName, index);
        // Access keeps both halves of a relationship in the table definitions: the foreign key points at the
        // other table and a hidden entry of that table ('.r' and a letter, on the referenced key's real index)
        // points back.
        TableLayout& childLayout = layoutOf(table(childName));
        TableLayout& parentLayout = layoutOf(table(parentName));
        const auto position = [](const TableLayout& layout, const std::string& indexName) {
            for (std::size_t i = 0; i < layout.def.indexes.size(); ++i)
                if (layout.def.indexes[i].name == indexName) return i;
            throw DbError(errc::fail, "De index '" + indexName + "' van de tabel '" + layout.def.name + "' ontbreekt.");
        };
        const std::size_t key = position(parentLayout, parentKeyName);
        std::string backName;
        for (char letter = 'A'; backName.empty() && letter <= 'Z'; ++letter) {
            const std::string candidate = std::string(".r") + letter;
            if (std::none_of(parentLayout.def.indexes.begin(), parentLayout.def.indexes.end(),
                             [&](const IndexDef& i) { return i.name == candidate; }))
                backName = candidate;
        }
        if (backName.empty()) throw DbError(errc::fail, "De tabel '" + parentName + "' heeft te veel relaties.");

        IndexDef back;
        back.name = backName;
        back.columns = parentLayout.def.indexes[key].columns;
        back.foreignKey = true;
        LogicalIndexLayout backLayout;
        backLayout.number = static_cast<std::uint32_t>(parentLayout.def.indexes.size());
        backLayout.relatedKind = 1;  // this side is referenced
        backLayout.relatedTable = childLayout.def.definitionPage;
        const int real = parentLayout.realIndexOf[key];
        LogicalIndexLayout& forward = childLayout.logicalIndexes[position(childLayout, index.name)];
        backLayout.relatedIndex = forward.number;
        forward.relatedKind = 2;  // this side references
        forward.relatedIndex = backLayout.number;
        forward.relatedTable = parentLayout.def.definitionPage;
        // Both entries hold the actions, as in the files Access makes.
        forward.updateAction = backLayout.updateAction = actions.cascadeUpdates ? cascadeUpdatesAction : 0;
        forward.deleteAction = backLayout.deleteAction = actions.cascadeDeletes ? cascadeDeletesAction
                                                         : actions.cascadeNull  ? cascadeNullAction
                                                                                : 0;
        parentLayout.def.indexes.push_back(back);
        parentLayout.realIndexOf.push_back(real);
        parentLayout.logicalIndexes.push_back(backLayout);

        for (TableLayout* layout : {&childLayout, &parentLayout}) {
            storeDefinition(*layout, definitionPageChain(file_, layout->def.definitionPage));
            reloadLayout(*layout);
            if (&childLayout == &parentLayout) break;
        }

        for (std::size_t i = 0; i < columns.size(); ++i) {
            const RelationshipColumn pair{name,
                                          relationshipFlags(actions),
                                          static_cast<int>(columns.size()),
                                          static_cast<int>(i),
                                          childName,
                                          columns[i],
                                          parentName,
                                          referenced[i]};
            insertRow(table("MSysRelationships"), relationshipTableRow(table("MSysRelationships"), pair));
        }
        const TableDef& objects = table("MSysObjects");
        CatalogContext context = readCatalogContext(objects, *scan(objects));
        const CatalogObject object = relationshipObject(context, name);
        insertRow(objects, catalogRow(objects, object, context.owner, accessNow()));
        grantContainerRights(object, context.owner);
    });
}
void JetDatabase::changeDatabasePassword(const std::string& newPassword, const std::string& oldPassword)
{
    if (!heldExclusively(file_.path()))
        throw DbError(errc::fail, "Het databasewachtwoord van '" + file_.path()
                                      + "' kan alleen gewijzigd worden als de database exclusief geopend is.");
    const PageRef current = file_.page(0);
    const DatabaseHeader header = decodeHeader(ByteView(current->data(), current->size()), file_.path());
    if (header.password != oldPassword)
        throw DbError(errc::authentication, "Het oude databasewachtwoord van '" + file_.path() + "' is onjuist.");
    // Access 2007 and later protect a database with a password by encrypting it whole; a password in the
    // header alone (left from an older version) may only be removed.
    if (header_.fileVersion >= 2 && !newPassword.empty())
        throw DbError(errc::fail, "In een ACCDB-database (Access 2007 of later) kan Querimo geen databasewachtwoord "
                                  "instellen; Access versleutelt zo'n database met het wachtwoord.");
    storeHeaderPassword(file_.change(0), header_.version, newPassword);
}

namespace {

// Writes the pages of a new file and opens it: what we wrote must read back as a database before anyone gets it.
void writeCheckedFile(const std::string& path, const std::vector<PageBytes>& pages)
{
    writeNewFile(path, pages);
    try {
        OpenOptions options;
        options.path = path;
        JetDatabase db(options);
        db.table("MSysObjects");
    } catch (...) {
        ::unlink(path.c_str());
        throw;
    }
}

}  // namespace

void Database::create(const std::string& path, Version version)
{
    writeCheckedFile(path, newDatabasePages(version, accessNow()));
}

void Database::createAccdb(const std::string& path, int accessVersion)
{
    int aceVersion = 0;
    switch (accessVersion) {
    case 2007: aceVersion = header::access2007; break;
    case 2010: aceVersion = header::access2010; break;
    case 2016: aceVersion = header::access2016; break;
    case 2019: aceVersion = header::access2019; break;
    default:
        throw DbError(errc::fail, "Een ACCDB-database kan gemaakt worden als Access 2007, 2010, 2016 of 2019, niet als "
                                      + std::to_string(accessVersion) + ".");
    }
    writeCheckedFile(path, newDatabasePages(Version::Jet4, accessNow(), aceVersion));
}

}  // namespace querimo::jet
