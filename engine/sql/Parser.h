#pragma once
#include <string_view>

#include "sql/Ast.h"

namespace querimo::sql {

// Parses one Access statement (an optional PARAMETERS declaration, then the statement, an optional ';').
// A statement Access would reject throws DbError (syntax) naming the word and its position.
Statement parseStatement(std::string_view text);

}  // namespace querimo::sql
