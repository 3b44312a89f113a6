#include "DumpSource.h"

#include <algorithm>
#include <map>

#include "DumpSql.h"
#include "core/Error.h"
#include "core/Text.h"
#include "sql/Sql.h"

namespace querimo::cli {

namespace {

// Relationship attributes as DAO stores them in MSysRelationships.grbit.
constexpr std::int64_t dontEnforce = 0x2, updateCascade = 0x100, deleteCascade = 0x1000;

bool holds(const std::vector<const jet::TableDef*>& tables, const std::string& name)
{
    return std::any_of(tables.begin(), tables.end(), [&](const jet::TableDef* t) { return t->name == name; });
}

std::vector<Relationship> readRelationships(jet::Database& db, const std::vector<const jet::TableDef*>& tables)
{
    const jet::TableDef& def = db.table("MSysRelationships");
    const auto position = [&](const char* name) {
        for (std::size_t i = 0; i < def.columns.size(); ++i)
            if (def.columns[i].name == name) return i;
        throw DbError(errc::fail, std::string("MSysRelationships heeft geen kolom ") + name + ".");
    };
    const std::size_t name = position("szRelationship"), grbit = position("grbit"), order = position("icolumn"),
                      object = position("szObject"), column = position("szColumn"),
                      referenced = position("szReferencedObject"), referencedColumn = position("szReferencedColumn");
    // Per relationship its column pairs by position, as the rows may come in any order.
    std::map<std::string, std::pair<Relationship, std::map<std::int64_t, std::pair<std::string, std::string>>>> found;
    std::vector<std::string> names;  // in the order first seen
    std::vector<Value> row;
    for (auto scan = db.scan(def); scan->next(row);) {
        auto [entry, added] = found.try_emplace(row[name].bytes);
        if (added) names.push_back(row[name].bytes);
        Relationship& r = entry->second.first;
        r.name = row[name].bytes;
        r.table = row[object].bytes;
        r.referencedTable = row[referenced].bytes;
        r.enforced = !(row[grbit].integer & dontEnforce);
        r.updateCascade = row[grbit].integer & updateCascade;
        r.deleteCascade = row[grbit].integer & deleteCascade;
        entry->second.second[row[order].integer] = {row[column].bytes, row[referencedColumn].bytes};
    }
    std::vector<Relationship> result;
    for (const std::string& key : names) {
        auto& [r, pairs] = found[key];
        if (!holds(tables, r.table) || !holds(tables, r.referencedTable)) continue;
        for (const auto& pair : pairs) {
            r.columns.push_back(pair.second.first);
            r.referencedColumns.push_back(pair.second.second);
        }
        result.push_back(r);
    }
    return result;
}

}  // namespace

DumpSource readDumpSource(jet::Database& db, const std::vector<std::string>& tableNames)
{
    DumpSource source;
    std::vector<const jet::CatalogEntry*> queries;
    for (const jet::CatalogEntry& entry : db.catalog()) {
        // Names starting with '~' are the hidden queries behind forms and reports.
        if (entry.kind == jet::ObjectKind::Query && entry.name.rfind('~', 0) != 0) queries.push_back(&entry);
        if (entry.kind == jet::ObjectKind::Table && tableNames.empty()) source.tables.push_back(&db.table(entry.name));
    }
    for (const std::string& name : tableNames) {
        const auto entry = std::find_if(db.catalog().begin(), db.catalog().end(), [&](const jet::CatalogEntry& e) {
            return e.kind == jet::ObjectKind::Table && text::equalsIgnoreCase(e.name, name);
        });
        if (entry == db.catalog().end())
            throw DbError(errc::notFound, "De database heeft geen tabel '" + name + "' om te dumpen.");
        source.tables.push_back(&db.table(entry->name));
    }
    source.relationships = readRelationships(db, source.tables);
    if (tableNames.empty())
        for (const jet::CatalogEntry* query : queries)
            source.queries.push_back({query->name, sql::storedQueryText(db, *query)});
    return source;
}

IndexNames::IndexNames(const std::vector<const jet::TableDef*>& tables)
{
    std::map<std::string, int> uses;
    for (const jet::TableDef* table : tables) {
        ++uses[table->name];
        for (const jet::IndexDef& index : table->indexes) ++uses[index.name];
    }
    for (const auto& [name, count] : uses)
        if (count > 1) repeated_.push_back(name);
}

std::string IndexNames::of(const jet::TableDef& table, const jet::IndexDef& index) const
{
    const bool repeated = std::find(repeated_.begin(), repeated_.end(), index.name) != repeated_.end();
    return repeated ? table.name + "_" + index.name : index.name;
}

std::vector<std::string> indexColumnNames(const jet::TableDef& table, const jet::IndexDef& index)
{
    std::vector<std::string> names;
    for (const jet::IndexColumn& key : index.columns) {
        const jet::ColumnDef* column = table.columnByNumber(key.columnNumber);
        if (!column)
            throw DbError(errc::fail, "Een index van de tabel '" + table.name + "' noemt een kolom die niet bestaat.");
        names.push_back(column->name);
    }
    return names;
}

std::string indexKeyList(const jet::TableDef& table, const jet::IndexDef& index)
{
    const std::vector<std::string> columns = indexColumnNames(table, index);
    std::string keys;
    for (std::size_t i = 0; i < columns.size(); ++i)
        keys += (i ? ", " : "") + quoteIdentifier(columns[i]) + (index.columns[i].ascending ? "" : " DESC");
    return keys;
}

}  // namespace querimo::cli
