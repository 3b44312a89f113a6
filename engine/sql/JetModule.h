#pragma once
#include <sqlite3.h>

#include <string>
#include <vector>

#include "jet/Database.h"

namespace querimo::sql {

// The jet virtual tables of one SQLite connection. A connection kept for many executions forgets, before
// each one, the rows its tables loaded into memory: the file may have changed since, by a statement of ours
// or by another process.
class JetTables {
public:
    explicit JetTables(jet::Database& database) : database_(database) {}
    JetTables(const JetTables&) = delete;
    JetTables& operator=(const JetTables&) = delete;

    jet::Database& database() const { return database_; }
    void forgetLoadedRows();
    // The rows the statement being prepared reads from `table` in order before it stops (a TOP n's), so that
    // a read in index order is costed by those; 0: all of them.
    void setRowGoal(std::size_t rows, std::string table);
    std::size_t rowGoal(const jet::TableDef& table) const;

private:
    friend struct JetTablesAccess;
    jet::Database& database_;
    std::vector<sqlite3_vtab*> tables_;
    std::size_t rowGoal_ = 0;
    std::string goalTable_;
};

// Registers the virtual-table module "jet" on db: CREATE VIRTUAL TABLE temp."x" USING jet('Jet table name')
// reads that table of the Jet database. Plain scans stream page by page; filters, joins and ORDER BY that one
// of the table's indexes serves read through it; a join on a column without an index loads the table once
// into memory with a hash index on the column.
// `tables` lives as long as db.
void registerJetModule(sqlite3* db, JetTables& tables);

}  // namespace querimo::sql
