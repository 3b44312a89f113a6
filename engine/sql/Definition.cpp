#include "sql/Definition.h"

#include "core/Error.h"

namespace querimo::sql {

bool isDefinitionStatement(std::string_view) { return false; }

void runDefinition(jet::Database&, std::string_view)
{
    throw DbError(errc::fail, "CREATE, ALTER en DROP worden nog niet ondersteund.");
}

}  // namespace querimo::sql
