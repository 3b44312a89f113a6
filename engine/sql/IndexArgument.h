#pragma once
#include <sqlite3.h>

#include <string_view>

#include "core/Value.h"
#include "jet/Database.h"

namespace querimo::sql {

// What an SQLite value compared with a column becomes as an index key of that column.
struct IndexArgument {
    enum class Fit {
        Key,       // value is the key to seek (for a bound: at or beyond every row the comparison admits)
        Nothing,   // no row compares true (Null, a number the column cannot hold for equality)
        Open,      // a bound that admits every value of the column
        Unusable,  // the index cannot decide: scan instead
    };
    Fit fit = Fit::Unusable;
    Value value;
};

enum class Side { Equal, Lower, Upper };

// `v` compared with a column of `type` (SQLite's affinity applied as it compares): the key value, for a
// lower or upper bound loosened rather than tightened, as SQLite checks every row the index gives again.
IndexArgument indexArgument(jet::ColumnType type, sqlite3_value* v, Side side);

// Whether an index on a column of this type can serve equality, and ranges and ordering in SQLite's order.
bool seekableType(jet::ColumnType type);
bool orderedLikeSqlite(jet::ColumnType type);
bool textType(jet::ColumnType type);

// The characters of a Like pattern before its first wildcard or character list.
std::string_view literalStart(std::string_view pattern);

}  // namespace querimo::sql
