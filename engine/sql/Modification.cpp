#include "sql/Modification.h"

#include "core/Error.h"

namespace querimo::sql {

long runModification(jet::Database&, const Statement&, const ParameterValues&)
{
    throw DbError(errc::fail, "Opdrachten die gegevens wijzigen (INSERT, UPDATE, DELETE, SELECT ... INTO) worden nog niet "
                              "ondersteund.");
}

}  // namespace querimo::sql
