#pragma once
#include <string>

#include "jet/format/Format.h"
#include "jet/tables/TableLayout.h"

namespace querimo::jet {

// The layout Access gives a new table: columns numbered in the order given, fixed columns at offsets in that
// order, variable ones numbered in the row's offset table, sizes by type (Text 255 when none is given),
// Jet 4 text in compressed form. Names and types come from `def`; its numbers and offsets are ignored.
TableLayout newTableLayout(const Format& format, const TableDef& def);

// One more column at the end, placed as Access appends it: a new number, after the last fixed offset or
// variable entry. Rows stored before need no change: they carry their own column count.
void appendColumn(const Format& format, TableLayout& table, ColumnDef column);

// A column given a new type or size: it keeps its number and place, and takes new room in the row after
// what the other columns use, as Access leaves the room of a changed or dropped column unused.
void replaceColumn(const Format& format, TableLayout& table, std::size_t position, ColumnDef column);
void removeColumn(TableLayout& table, std::size_t position);

// A table or column name Access accepts: 1 to 64 characters, no . ! ` [ ], no control characters, not
// starting with a space. `what` names the kind of object in the Dutch message ("tabel", "kolom").
void checkObjectName(const std::string& what, const std::string& name);

// A column's type, size and flags checked and completed as a new column gets them (Dutch DbError for what
// Access refuses).
void completeColumn(const Format& format, ColumnDef& column);

}  // namespace querimo::jet
