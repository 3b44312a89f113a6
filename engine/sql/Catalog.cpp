#include "sql/Catalog.h"

#include "core/Error.h"
#include "core/Text.h"
#include "sql/QueryText.h"

namespace querimo::sql {

Catalog::Catalog(jet::Database& db) : db_(db) {}

const jet::TableDef* Catalog::findTable(std::string_view name)
{
    const jet::CatalogEntry* e = db_.findEntry(name);
    if (!e) return nullptr;
    if (e->kind == jet::ObjectKind::LinkedTable)
        throw DbError(errc::fail, "De gekoppelde tabel '" + e->name + "' staat in " + jet::linkTarget(*e)
                                      + "; gekoppelde tabellen kunnen niet worden gelezen.");
    if (e->kind == jet::ObjectKind::Table || e->kind == jet::ObjectKind::SystemTable) return &db_.table(e->name);
    return nullptr;
}

void Catalog::loadQueries()
{
    if (queriesLoaded_) return;
    queriesLoaded_ = true;
    for (const jet::CatalogEntry& e : db_.catalog()) {
        if (e.kind != jet::ObjectKind::Query) continue;
        auto q = std::make_unique<StoredQuery>();
        q->name = e.name;
        q->hidden = e.name.rfind("~", 0) == 0;
        const std::vector<jet::QueryRow> rows = db_.queryRows(e.id);
        q->type = storedQueryType(rows);
        q->sql = rebuildQueryText(rows);
        // Access ends the stored text of data definition and pass-through queries with a zero character.
        if (const auto zero = q->sql.find('\0'); zero != std::string::npos) q->sql.resize(zero);
        queries_.push_back(std::move(q));
    }
}

const StoredQuery* Catalog::findQuery(std::string_view name)
{
    const jet::CatalogEntry* e = db_.findEntry(name);
    if (!e || e->kind != jet::ObjectKind::Query) return nullptr;
    loadQueries();
    for (const auto& q : queries_)
        if (text::equalsIgnoreCase(q->name, name)) return q.get();
    return nullptr;
}

std::vector<const StoredQuery*> Catalog::queries()
{
    loadQueries();
    std::vector<const StoredQuery*> out;
    for (const auto& q : queries_) out.push_back(q.get());
    return out;
}

}  // namespace querimo::sql
