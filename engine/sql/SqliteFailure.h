#pragma once
#include <sqlite3.h>

namespace querimo::sql {

// Throws the DbError for the failure db reports last: statementStopped() when the statement was stopped,
// otherwise SQLite's wording made Dutch (messages our functions raise are Dutch already).
[[noreturn]] void failSqlite(sqlite3* db);

}  // namespace querimo::sql
