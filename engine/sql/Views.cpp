#include "sql/Sql.h"

#include "core/Error.h"
#include "core/Text.h"
#include "sql/Execution.h"
#include "sql/Parser.h"
#include "sql/QueryText.h"

namespace querimo::sql {

namespace {

std::optional<View> viewOf(Catalog& catalog, Session& session, const StoredQuery& query)
{
    if (!query.selects() || query.hidden) return std::nullopt;
    try {
        const Statement statement = parseStatement(query.sql);
        const CompiledQuery compiled = compileStatement(statement, catalog, nullptr);
        if (!compiled.parameters.empty()) return std::nullopt;
        View view;
        view.name = query.name;
        for (const ResultColumn& c : compileForSession(session, catalog, statement, {}, &compiled).columns)
            view.columns.push_back({c.name, c.dataType});
        return view;
    } catch (const DbError&) {
        return std::nullopt;  // a broken stored query is no view; running it reports why
    }
}

}  // namespace

std::vector<View> databaseViews(jet::Database& database)
{
    Catalog catalog(database);
    Session session(database);
    std::vector<View> views;
    for (const StoredQuery* q : catalog.queries())
        if (auto view = viewOf(catalog, session, *q)) views.push_back(std::move(*view));
    return views;
}

std::optional<View> databaseView(jet::Database& database, const std::string& name)
{
    Catalog catalog(database);
    const StoredQuery* q = catalog.findQuery(name);
    if (!q) return std::nullopt;
    Session session(database);
    return viewOf(catalog, session, *q);
}

std::string storedQueryText(jet::Database& database, const jet::CatalogEntry& query)
{
    return rebuildQueryText(database.queryRows(query.id));
}

}  // namespace querimo::sql
