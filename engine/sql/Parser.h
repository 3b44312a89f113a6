#pragma once
#include <string_view>

#include "sql/Ast.h"

namespace querimo::sql {

// Parses one Access statement (an optional PARAMETERS declaration, then the statement, an optional ';').
// A statement Access would reject throws DbError (syntax) naming the word and its position.
Statement parseStatement(std::string_view text);

// The ADO type a PARAMETERS declaration's type word stands for; 0 when the word is no type.
int parameterTypeFromWord(std::string_view word);

}  // namespace querimo::sql
