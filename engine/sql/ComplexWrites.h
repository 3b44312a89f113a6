#pragma once
#include <vector>

#include "jet/Database.h"

namespace querimo::sql {

// Values of complex columns (attachments, multi-valued fields, version history) live in hidden tables that
// Querimo does not write yet: a statement that would set them is refused before it changes anything.
[[noreturn]] void refuseComplexWrite(const jet::ColumnDef& column);
// A new row of a table with complex columns needs ids for them that Access hands out: refused.
void refuseInsertWithComplexColumns(const jet::TableDef& table);
// Deletes the rows of the hidden tables that hold the complex values of these rows of `table`, in the running
// statement, so that deleting the rows themselves leaves nothing behind. Reads everything before it deletes.
void deleteComplexValues(jet::Database& database, const jet::TableDef& table, const std::vector<jet::RowId>& rows);

}  // namespace querimo::sql
