#pragma once
#include <string_view>

#include "jet/Database.h"

namespace querimo::sql {

// Data definition: CREATE / ALTER / DROP of tables, columns, indexes, constraints and views, and
// ALTER DATABASE PASSWORD.
bool isDefinitionStatement(std::string_view text);
// Runs one as a whole statement on the database: everything lands, or nothing does. Dutch DbError on failure.
void runDefinition(jet::Database& database, std::string_view text);

}  // namespace querimo::sql
