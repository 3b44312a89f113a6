#pragma once
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ado/Connection.h"

namespace querimo::cli {

enum class RowFormat { Tab, Csv, Json };

// --param NAME=VALUE; a value of nullopt (--param NAME without '=') is Null.
using StatementParameters = std::vector<std::pair<std::string, std::optional<std::string>>>;

// Runs one statement: the rows with a header line (or JSON), or for an action statement the records
// affected. A parameter the statement asks for without a --param is a DbError that names it. Ctrl+C, and a
// statement that runs longer than timeoutSeconds (0: no limit), stop it with a DbError (errc::cancelled).
void runStatement(ado::Connection& connection, const std::string& statement, const StatementParameters& parameters,
                  RowFormat format, std::FILE* out, double timeoutSeconds = 0);

// All of standard input, for a statement given there.
std::string readStandardInput();

}  // namespace querimo::cli
