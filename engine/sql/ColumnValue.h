#pragma once
#include "core/Value.h"
#include "jet/Database.h"

namespace querimo::sql {

// A value converted to the type of the column it is stored in, as Access converts what an action statement
// writes: text to numbers and dates, numbers to text, Currency rounded to four decimals (half to even),
// whole numbers rounded half to even. A value that does not convert, or does not fit (a number out of the
// column's range, text longer than its field size): DbError in Dutch naming the column.
Value columnValue(const Value& value, const jet::ColumnDef& column);

}  // namespace querimo::sql
