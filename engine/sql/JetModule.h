#pragma once
#include <sqlite3.h>

#include "jet/Database.h"

namespace querimo::sql {

// Registers the virtual-table module "jet" on db: CREATE VIRTUAL TABLE temp."x" USING jet('Jet table name')
// reads that table of the Jet database. Plain scans stream page by page; an equality lookup (a join on a
// key) loads the table once into memory with a hash index on the column.
void registerJetModule(sqlite3* db, jet::Database& database);

}  // namespace querimo::sql
