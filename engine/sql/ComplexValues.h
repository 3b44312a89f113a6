#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "jet/Database.h"

namespace querimo::sql {

// The values of one complex column (attachments, a multi-valued field, version history), by the id the owning
// row holds in the column: read once from the column's hidden table.
// The name under which a table's virtual table offers a complex column's stored id, hidden from SELECT *.
std::string complexIdColumn(std::string_view column);

class ComplexValues {
public:
    ComplexValues(jet::Database& database, const jet::TableDef& table, const jet::ColumnDef& column);

    // What the column shows for a row: the attachments' file names joined by "; ", the values of a
    // multi-valued field joined by ", " (of other kinds: their first field joined by "; ").
    // Null for an id without values.
    Value value(std::int32_t id) const;
    // Whether rows of the hidden table belong to this id.
    bool owns(std::int32_t id) const { return items_.count(id) != 0; }

private:
    std::unordered_map<std::int32_t, std::vector<std::string>> items_;
    std::string separator_;
};

}  // namespace querimo::sql
