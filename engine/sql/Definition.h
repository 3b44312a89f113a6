#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "jet/Database.h"
#include "sql/DefinitionParser.h"

namespace querimo::sql {

// Data definition: CREATE / ALTER / DROP of tables, columns, indexes, constraints and views, and
// ALTER DATABASE PASSWORD, parsed and ready to run.
struct Definition {
    DefinitionStatement statement;
    std::vector<jet::QueryRow> viewRows;  // CREATE VIEW: its query as MSysQueries rows
};
// `text` with its comments before the first word already blanked. Dutch DbError when Access would refuse it.
Definition parseDefinitionStatement(const std::string& text);
// Runs one as a whole statement on the database: everything lands, or nothing does. Dutch DbError on failure.
void runDefinition(jet::Database& database, const Definition& definition);

}  // namespace querimo::sql
