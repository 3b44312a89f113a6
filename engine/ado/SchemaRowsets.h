#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ado/Recordset.h"

namespace querimo::jet {
class Database;
}

namespace querimo::ado {

using Restrictions = std::vector<std::optional<std::string>>;

// The schema rowsets of an open database, with the Jet provider's columns and restriction positions.
std::shared_ptr<Recordset> tablesRowset(jet::Database& db, const Restrictions& restrictions);   // name 2, type 3
std::shared_ptr<Recordset> columnsRowset(jet::Database& db, const Restrictions& restrictions);  // table 2, column 3
std::shared_ptr<Recordset> indexesRowset(jet::Database& db, const Restrictions& restrictions);  // index 2, table 4

}  // namespace querimo::ado
