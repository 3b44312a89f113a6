#pragma once
#include <sqlite3.h>

#include "jet/Database.h"

namespace querimo::sql {

// Registers the virtual-table module "jet" on db: CREATE VIRTUAL TABLE temp."x" USING jet('Jet table name')
// reads that table of the Jet database. Plain scans stream page by page; filters, joins and ORDER BY that one
// of the table's indexes serves read through it; a join on a column without an index loads the table once
// into memory with a hash index on the column.
void registerJetModule(sqlite3* db, jet::Database& database);

}  // namespace querimo::sql
