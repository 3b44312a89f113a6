#include "sql/ColumnDefaults.h"

#include "core/Error.h"
#include "sql/ColumnValue.h"
#include "sql/Parser.h"
#include "sql/ResultRows.h"

namespace querimo::sql {

Value defaultValue(Session& session, Catalog& catalog, const jet::ColumnDef& column)
{
    std::string_view expression = column.defaultValue;
    while (!expression.empty() && (expression.front() == ' ' || expression.front() == '=')) expression.remove_prefix(1);
    if (column.autoNumber || expression.empty()) return Value::null();
    try {
        const Statement statement = parseStatement("SELECT " + std::string(expression));
        if (statement.kind != Statement::Kind::Select || statement.query->selects.size() != 1
            || !statement.query->selects.front().from.empty())
            throw DbError(errc::syntax, "dit is geen enkele expressie.");
        const CompiledQuery compiled = compileForSession(session, catalog, statement, {});
        if (!compiled.parameters.empty())
            throw DbError(errc::notFound, "de naam '" + compiled.parameters.front().name + "' is onbekend.");
        const RowBuffer rows = readResult(session, compiled, {});
        return columnValue(accessValue(rows.cell(0, 0), compiled.columns.front().dataType), column);
    } catch (const DbError& e) {
        throw DbError(e.number(), "De standaardwaarde " + column.defaultValue + " van het veld '" + column.name
                                      + "' kan niet worden berekend: " + e.description());
    }
}

}  // namespace querimo::sql
