#pragma once
#include "jet/Database.h"
#include "sql/Ast.h"
#include "sql/Execution.h"

namespace querimo::sql {

// Runs INSERT, UPDATE, DELETE or SELECT ... INTO as one whole statement on the database: all its changes
// land, or none. Returns the number of records affected as Access reports it. Dutch DbError on failure.
// `compiled`: the statement translated earlier, used when still current (see compileForSession); `kept`: the
// session and translation kept between executions, when given.
long runModification(jet::Database& database, const Statement& statement, const ParameterValues& values,
                     const CompiledQuery* compiled = nullptr, KeptSession* kept = nullptr);

}  // namespace querimo::sql
