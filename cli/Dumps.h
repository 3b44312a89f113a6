#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "jet/Database.h"

namespace querimo::cli {

// A PostgreSQL 15 script (psql -v ON_ERROR_STOP=1) with the user tables (all, or the ones named), their rows,
// keys, indexes and relationships, in one transaction. Rows stream from the file one at a time.
void dumpPostgreSql(jet::Database& db, const std::vector<std::string>& tables, std::FILE* out);

// A new SQLite database at path (DbError when the file exists) with the same content.
void dumpSqlite(jet::Database& db, const std::string& path);

}  // namespace querimo::cli
