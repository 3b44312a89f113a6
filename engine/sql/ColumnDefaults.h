#pragma once
#include "core/Value.h"
#include "jet/Database.h"
#include "sql/Catalog.h"
#include "sql/Execution.h"

namespace querimo::sql {

// What an INSERT stores in a column it does not name: the column's default value (an Access expression,
// evaluated in this session and converted to the column's type), or Null (an AutoNumber gets its number
// when the row is written). A default that cannot be evaluated is a Dutch DbError naming the column.
Value defaultValue(Session& session, Catalog& catalog, const jet::ColumnDef& column);

}  // namespace querimo::sql
