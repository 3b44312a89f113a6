#pragma once
#include <vector>

#include "core/Value.h"
#include "jet/tables/TableLayout.h"

namespace querimo::jet {

// The rows the system tables of a new database start with, per table of `tables` (systemTableLayouts with
// their definition pages assigned): the catalog rows of the containers, the database and the system tables,
// and the access rights Access gives them.
std::vector<std::vector<std::vector<Value>>> newDatabaseRows(const std::vector<TableLayout>& tables, double created);

}  // namespace querimo::jet
