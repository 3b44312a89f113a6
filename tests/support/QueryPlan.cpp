#include "support/QueryPlan.h"

#include <sqlite3.h>

#include <stdexcept>

#include "sql/Catalog.h"
#include "sql/Execution.h"
#include "sql/Parser.h"

namespace querimo::test {

std::string queryPlan(jet::Database& db, const std::string& statement)
{
    sql::Catalog catalog(db);
    sql::Session session(db);
    const auto compiled = sql::compileForSession(session, catalog, sql::parseStatement(statement), {});
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(session.handle(), ("EXPLAIN QUERY PLAN " + compiled.sql).c_str(), -1, &stmt, nullptr)
        != SQLITE_OK) {
        const std::string error = sqlite3_errmsg(session.handle());
        sqlite3_finalize(stmt);
        throw std::runtime_error("geen plan voor " + statement + ": " + error);
    }
    std::string out;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        out += std::string(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3))) + "\n";
    sqlite3_finalize(stmt);
    return out;
}

}  // namespace querimo::test
