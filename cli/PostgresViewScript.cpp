#include "PostgresViewScript.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "DumpSql.h"
#include "PostgresView.h"
#include "core/Text.h"
#include "sql/Sql.h"

namespace querimo::cli {

namespace {

ValueKind kindOfColumn(jet::ColumnType type)
{
    using T = jet::ColumnType;
    switch (type) {
    case T::Boolean: return ValueKind::Boolean;
    case T::Byte:
    case T::Integer:
    case T::Long:
    case T::BigInt: return ValueKind::Integer;
    case T::Currency:
    case T::Decimal: return ValueKind::Exact;
    case T::Single: return ValueKind::Single;
    case T::Double: return ValueKind::Double;
    case T::DateTime: return ValueKind::Date;
    case T::Text:
    case T::Memo: return ValueKind::Text;
    default: return ValueKind::Unknown;
    }
}

std::string comment(const StoredQuery& query, const std::string& reason)
{
    std::string text = "\n-- Query " + query.name + " (Access-SQL, niet omgezet: " + reason + "):\n-- ";
    for (char c : query.accessSql) {
        if (c == '\n')
            text += "\n-- ";
        else if (c != '\r')
            text += c;
    }
    warn("de query '" + query.name + "' is niet omgezet naar PostgreSQL (" + reason
         + "); het script bevat de Access-SQL als commentaar.");
    return text + "\n";
}

// CREATE VIEW with the column names our engine gives the query, so that "*" and repeated names come out alike.
std::string createView(jet::Database& db, const StoredQuery& query, std::vector<ViewSource>& sources)
{
    const std::optional<sql::View> view = sql::databaseView(db, query.name);
    if (!view) {
        requireSelectQuery(query.accessSql);
        // A name that is no field makes a parameter Access asks for; a query that does not compile is no view.
        throw Untranslatable("hij vraagt om parameters of kan niet worden uitgevoerd");
    }
    const std::string select = translateView(query.accessSql, sources);
    ViewSource written{query.name, {}, false};
    std::vector<std::string> names;
    for (const sql::Column& column : view->columns) {
        if (std::find(names.begin(), names.end(), column.name) != names.end())
            throw Untranslatable("de kolomnaam '" + column.name + "' komt twee keer voor");
        names.push_back(column.name);
        written.columns.push_back({column.name, valueKindOf(column.type)});
    }
    sources.push_back(std::move(written));
    return "\nCREATE VIEW " + quoteIdentifier(query.name) + " (" + quoteIdentifiers(names) + ") AS\n" + select + ";\n";
}

}  // namespace

std::string postgresViews(jet::Database& db, const DumpSource& source)
{
    std::vector<ViewSource> sources;
    for (const jet::TableDef* table : source.tables) {
        ViewSource& s = sources.emplace_back(ViewSource{table->name, {}, true});
        for (const jet::ColumnDef& column : table->columns)
            s.columns.push_back({column.name, kindOfColumn(column.type)});
    }
    std::vector<const StoredQuery*> pending;
    for (const StoredQuery& query : source.queries) pending.push_back(&query);
    const auto isPending = [&](const std::string& name) {
        return std::any_of(pending.begin(), pending.end(),
                           [&](const StoredQuery* q) { return text::equalsIgnoreCase(q->name, name); });
    };
    std::string text;
    // A view waits while it reads a query still to be written; each round writes at least one.
    for (bool progress = true; progress;) {
        progress = false;
        for (auto it = pending.begin(); it != pending.end();) {
            const StoredQuery& query = **it;
            try {
                text += createView(db, query, sources);
            } catch (const MissingSource& missing) {
                if (isPending(missing.name) && !text::equalsIgnoreCase(missing.name, query.name)) {
                    ++it;
                    continue;
                }
                text += comment(query, missing.what());
            } catch (const Untranslatable& reason) {
                text += comment(query, reason.what());
            }
            it = pending.erase(it);
            progress = true;
        }
    }
    for (const StoredQuery* query : pending) text += comment(*query, "hij leest uit queries die elkaar lezen");
    return text;
}

}  // namespace querimo::cli
