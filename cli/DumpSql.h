#pragma once
#include <optional>
#include <string>
#include <vector>

#include "jet/Database.h"

namespace querimo::cli {

enum class Dialect { PostgreSql, Sqlite };

// "name" with inner double quotes doubled: spaces, case and reserved words survive.
std::string quoteIdentifier(const std::string& name);
// "a", "b", ... for a column list.
std::string quoteIdentifiers(const std::vector<std::string>& names);
// 'text' with inner single quotes doubled.
std::string quoteLiteral(const std::string& text);

// The column's Access default as an expression of the dialect, or nullopt where it does not translate
// (anything but a number, a string, Yes/No, Now() and Date()).
std::optional<std::string> translateDefault(const jet::ColumnDef& column, Dialect dialect);

// Writes a warning on standard error: something of the database that the dump does not carry over.
void warn(const std::string& message);

}  // namespace querimo::cli
