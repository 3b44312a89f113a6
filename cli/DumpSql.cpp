#include "DumpSql.h"

#include <cstdio>
#include <regex>

#include "core/Text.h"

namespace querimo::cli {

std::string quoteIdentifier(const std::string& name)
{
    std::string out = "\"";
    for (char c : name) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + '"';
}

std::string quoteIdentifiers(const std::vector<std::string>& names)
{
    std::string out;
    for (const std::string& name : names) out += (out.empty() ? "" : ", ") + quoteIdentifier(name);
    return out;
}

std::string quoteLiteral(const std::string& text)
{
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + '\'';
}

namespace {

// The text between matching quotes, with doubled quotes made single; nullopt when it is not one string.
std::optional<std::string> unquoted(const std::string& expression)
{
    if (expression.size() < 2 || (expression.front() != '"' && expression.front() != '\'')
        || expression.back() != expression.front())
        return std::nullopt;
    const char quote = expression.front();
    std::string value;
    for (std::size_t i = 1; i + 1 < expression.size(); ++i) {
        if (expression[i] == quote) {
            if (expression[i + 1] != quote || i + 2 >= expression.size()) return std::nullopt;
            ++i;
        }
        value += expression[i];
    }
    return value;
}

std::optional<bool> truthWord(const std::string& expression)
{
    for (const char* word : {"True", "Yes", "On"})
        if (text::equalsIgnoreCase(expression, word)) return true;
    for (const char* word : {"False", "No", "Off"})
        if (text::equalsIgnoreCase(expression, word)) return false;
    return std::nullopt;
}

}  // namespace

std::optional<std::string> translateDefault(const jet::ColumnDef& column, Dialect dialect)
{
    std::string expression = column.defaultValue;
    if (!expression.empty() && expression[0] == '=') expression.erase(0, 1);
    while (!expression.empty() && expression.front() == ' ') expression.erase(0, 1);
    while (!expression.empty() && expression.back() == ' ') expression.pop_back();
    static const std::regex numberPattern(R"([-+]?[0-9]+(\.[0-9]+)?)");
    const bool number = std::regex_match(expression, numberPattern);
    const std::optional<bool> truth = truthWord(expression);
    using T = jet::ColumnType;
    switch (column.type) {
    case T::Boolean:
        if (!number && !truth) return std::nullopt;
        if (dialect == Dialect::Sqlite) return (truth ? *truth : std::stod(expression) != 0) ? "1" : "0";
        return (truth ? *truth : std::stod(expression) != 0) ? "true" : "false";
    case T::Byte:
    case T::Integer:
    case T::Long:
    case T::BigInt:
    case T::Currency:
    case T::Single:
    case T::Double:
    case T::Decimal:
        if (truth) return *truth ? "-1" : "0";  // Access's True is -1
        if (number) return expression;
        return std::nullopt;
    case T::Text:
    case T::Memo:
        if (number) return quoteLiteral(expression);
        if (const auto value = unquoted(expression)) return quoteLiteral(*value);
        return std::nullopt;
    case T::DateTime:
        if (text::equalsIgnoreCase(expression, "Now()")) return std::string("CURRENT_TIMESTAMP");
        if (text::equalsIgnoreCase(expression, "Date()")) return std::string("CURRENT_DATE");
        return std::nullopt;
    default: return std::nullopt;
    }
}

void warn(const std::string& message)
{
    std::fprintf(stderr, "Waarschuwing: %s\n", message.c_str());
}

}  // namespace querimo::cli
