#pragma once
#include <cstdio>
#include <string>

#include "ado/Connection.h"

namespace querimo::cli {

// Each command writes its lines to out; failures throw DbError.
void listTables(ado::Connection& connection, std::FILE* out);
void listColumns(ado::Connection& connection, const std::string& table, std::FILE* out);
void listIndexes(ado::Connection& connection, const std::string& table, std::FILE* out);
void exportTable(ado::Connection& connection, const std::string& table, bool csv, std::FILE* out);

}  // namespace querimo::cli
