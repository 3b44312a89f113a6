#pragma once
#include <string>
#include <vector>

#include "PostgresView.h"

namespace querimo::cli {

// A translated expression and what it holds.
struct Typed {
    std::string sql;
    ValueKind kind = ValueKind::Unknown;
};

// An Access function call as PostgreSQL. args are translated; literals holds each argument's text when it is a
// string literal (intervals, formats), empty otherwise. Untranslatable for what has no faithful counterpart.
Typed translateCall(const std::string& name, const std::vector<Typed>& args, const std::vector<std::string>& literals);

// #1/31/1997 10:00# or #1997-01-31# as a PostgreSQL timestamp literal.
std::string timestampLiteral(const std::string& accessDate);

// value Like 'pattern' (* ? # [list] [!list]), blind to letter case as Access's Like is.
std::string likeMatch(const std::string& value, const std::string& pattern, bool negated);

// A value as double precision, for Access's floating arithmetic.
std::string asDouble(const Typed& value);

}  // namespace querimo::cli
