#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "StatementCommand.h"
#include "ado/Connection.h"

namespace querimo::cli {

struct ScriptStatement {
    std::string text;
    int line = 0;  // where it starts in the script, from 1
};

// The statements of a script: separated by lines that hold only ';' (spaces around it allowed). Lines that
// start with '--' are comments; empty statements are left out.
std::vector<ScriptStatement> splitScript(const std::string& script);

// Runs the statements of the file in order, each as runStatement does; stops at the first that fails, with
// a DbError that says which statement of which file. timeoutSeconds: for each statement, as runStatement.
void runScript(ado::Connection& connection, const std::string& path, const StatementParameters& parameters,
               RowFormat format, std::FILE* out, double timeoutSeconds = 0);

}  // namespace querimo::cli
