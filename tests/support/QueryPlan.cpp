#include "support/QueryPlan.h"

#include <sqlite3.h>

#include "sql/Catalog.h"
#include "sql/Execution.h"
#include "sql/Parser.h"

namespace querimo::test {

std::string queryPlan(jet::Database& db, const std::string& statement)
{
    sql::Catalog catalog(db);
    sql::Session session(db);
    const auto compiled = sql::compileForSession(session, catalog, sql::parseStatement(statement), {});
    // Planned as the statement runs: a TOP's ordered read is costed by the rows it stops after.
    sqlite3_stmt* stmt = session.statement("EXPLAIN QUERY PLAN " + compiled.sql, compiled.topTies);
    std::string out;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        out += std::string(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3))) + "\n";
    return out;
}

}  // namespace querimo::test
