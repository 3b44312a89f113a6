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

bool isText(const Typed& v);
// PostgreSQL refuses to compare or unite text with numbers or dates, which Access converts: Untranslatable.
void requireComparable(const Typed& a, const Typed& b);
// lower(v) where text is compared, as Access compares it blind to letter case.
std::string caseBlind(const Typed& v, bool text);
// a & b's operand in Access's text form, where PostgreSQL writes it the same.
std::string concatenated(const Typed& v);
// + - * / \ Mod ^ with Access's result types; a date plus or minus days.
Typed arithmetic(const std::string& op, const Typed& a, const Typed& b);

// A value as double precision, for Access's floating arithmetic.
std::string asDouble(const Typed& value);

}  // namespace querimo::cli
