#pragma once
#include <sqlite3.h>

#include <string>
#include <vector>

#include "jet/Database.h"

namespace querimo::sql {

// The constraint xFindFunction makes of Like on a column.
constexpr unsigned char likeConstraint = SQLITE_INDEX_CONSTRAINT_FUNCTION;

// How a read through one of the table's indexes uses the constraints SQLite offers; xFilter gets the
// equality values in key order, then the lower bound, then the upper bound, or the Like pattern.
struct IndexPlan {
    int index = -1;  // position in TableDef::indexes
    int equal = 0;   // leading key columns compared for equality
    bool from = false, to = false;
    bool like = false;      // a text column after the equal ones: the start of a Like pattern
    int ordered = 0;        // ORDER BY terms SQLite counts on the index order for (after the equal columns)
    bool backward = false;  // they run against the index's order: its leaves are walked from the end

    std::string text() const;  // for idxStr
    static IndexPlan parse(const char* text);
    bool operator==(const IndexPlan&) const = default;
};

// Offers SQLite a read through the best index for the constraints and ORDER BY of `info`, when one costs
// less than the scan already in info. Sets idxNum to -1 and idxStr to the plan then; true when it did.
// Values SQLite knows while planning are looked up in the index to count on the rows they keep. rowGoal: the
// rows a read in the ORDER BY's order stops after (0: none).
bool offerIndex(jet::Database& database, const jet::TableDef& table, sqlite3_index_info* info, std::size_t rowGoal);

// The key range of a plan for the values xFilter got.
struct Seek {
    enum class Kind { Range, NoRows, Scan } kind = Kind::Scan;
    jet::KeyRange range;
};
Seek seekFor(const jet::TableDef& table, const IndexPlan& plan, int argc, sqlite3_value** argv);
// The same into `seek`, whose room is used again, with the positions of the index's columns in the table
// (planKeyPositions): a join seeks once for every row of its outer side.
void seekFor(const jet::TableDef& table, const IndexPlan& plan, const std::vector<int>& positions, int argc,
             sqlite3_value** argv, Seek& seek);
std::vector<int> planKeyPositions(const jet::TableDef& table, const IndexPlan& plan);

}  // namespace querimo::sql
