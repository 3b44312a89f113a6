#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "jet/Database.h"
#include "sql/Compiler.h"

namespace querimo::sql {

// The field a SELECT ... INTO makes for a result column: its name without the source ("Orders.OrderID"
// from a join becomes "OrderID").
std::string newColumnName(const std::string& resultName);

// The new table of a SELECT ... INTO, typed from the query's result columns as Access types them: text
// becomes Text(255), a memo Memo, a Long Integer Long, and so on. Two result columns with one name are a
// Dutch DbError (position: of the select).
jet::TableDef makeTableDefinition(const std::string& name, const std::vector<ResultColumn>& columns,
                                  std::size_t position);

}  // namespace querimo::sql
