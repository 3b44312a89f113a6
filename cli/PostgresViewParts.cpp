#include "PostgresViewParts.h"

#include <cstdio>
#include <map>
#include <regex>

#include "DumpSql.h"
#include "core/Text.h"

namespace querimo::cli {

namespace {

bool isNumber(ValueKind k)
{
    return k == ValueKind::Integer || k == ValueKind::Exact || k == ValueKind::Single || k == ValueKind::Double
           || k == ValueKind::Unknown;
}

void require(bool condition, const std::string& name)
{
    if (!condition) throw Untranslatable("de functie " + name + " heeft hier geen gelijkwaardige vorm in PostgreSQL");
}

// Access's interval words as PostgreSQL interval units (a quarter is three months).
std::string intervalUnit(const std::string& interval, const std::string& function)
{
    static const std::map<std::string, std::string> units{
        {"yyyy", "1 year"}, {"q", "3 months"}, {"m", "1 month"}, {"d", "1 day"},    {"y", "1 day"},
        {"w", "1 day"},     {"ww", "1 week"},  {"h", "1 hour"},  {"n", "1 minute"}, {"s", "1 second"}};
    const auto unit = units.find(text::toLower(interval));
    require(unit != units.end(), function);
    return unit->second;
}

// The field extract() reads for DatePart's interval.
std::string datePartField(const std::string& interval)
{
    static const std::map<std::string, std::string> fields{{"yyyy", "year"}, {"q", "quarter"}, {"m", "month"},
                                                           {"d", "day"},     {"y", "doy"},     {"h", "hour"},
                                                           {"n", "minute"},  {"s", "second"}};
    const auto field = fields.find(text::toLower(interval));
    require(field != fields.end(), "DatePart");
    return field->second;
}

// DateDiff counts the boundaries crossed between a and b, as whole units.
std::string dateDifference(const std::string& interval, const std::string& a, const std::string& b)
{
    const std::string i = text::toLower(interval);
    const auto part = [&](const char* field, const std::string& v) {
        return "extract(" + std::string(field) + " from " + v + ")";
    };
    if (i == "d" || i == "y") return "((" + b + ")::date - (" + a + ")::date)";
    if (i == "yyyy") return "(" + part("year", b) + " - " + part("year", a) + ")::integer";
    const std::string years = "(" + part("year", b) + " - " + part("year", a) + ")";
    if (i == "m") return "(" + years + " * 12 + " + part("month", b) + " - " + part("month", a) + ")::integer";
    if (i == "q") return "(" + years + " * 4 + " + part("quarter", b) + " - " + part("quarter", a) + ")::integer";
    static const std::map<std::string, std::pair<std::string, int>> clock{
        {"h", {"hour", 3600}}, {"n", {"minute", 60}}, {"s", {"second", 1}}};
    const auto unit = clock.find(i);
    require(unit != clock.end(), "DateDiff");
    const std::string& field = unit->second.first;
    return "(extract(epoch from date_trunc('" + field + "', " + b + ") - date_trunc('" + field + "', " + a + ")) / "
           + std::to_string(unit->second.second) + ")::bigint";
}

// Format's date patterns made of year, month and day digits only; other patterns depend on regional settings.
std::string dateFormat(const std::string& pattern)
{
    static const std::regex simple("(yyyy|yy|mm|dd|[-. ])+", std::regex::icase);
    require(std::regex_match(pattern, simple), "Format");
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        const std::string rest = text::toLower(pattern.substr(i));
        if (rest.rfind("yyyy", 0) == 0) {
            out += "YYYY";
            i += 4;
        } else if (rest.rfind("yy", 0) == 0 || rest.rfind("mm", 0) == 0 || rest.rfind("dd", 0) == 0) {
            out += text::toUpper(rest.substr(0, 2));
            i += 2;
        } else {
            out += pattern[i++];
        }
    }
    return quoteLiteral(out);
}

std::string regexClassOrEscaped(const std::string& pattern, std::size_t& i)
{
    const char c = pattern[i];
    if (c == '[') {
        const std::size_t close = pattern.find(']', i + 1);
        if (close == std::string::npos) throw Untranslatable("het Like-patroon '" + pattern + "' is onvolledig");
        std::string inner = pattern.substr(i + 1, close - i - 1);
        i = close;
        if (!inner.empty() && inner[0] == '!') inner[0] = '^';
        std::string escaped;
        for (char x : inner) escaped += x == '\\' || x == '[' ? std::string("\\") + x : std::string(1, x);
        return "[" + escaped + "]";
    }
    if (std::string("\\.^$|()+{}").find(c) != std::string::npos) return std::string("\\") + c;
    return std::string(1, c);
}

}  // namespace

std::string asDouble(const Typed& value)
{
    return "(" + value.sql + ")::double precision";
}

Typed translateCall(const std::string& name, const std::vector<Typed>& args, const std::vector<std::string>& literals)
{
    const std::string n = text::toLower(name);
    const std::size_t count = args.size();
    const auto arg = [&](std::size_t i) { return args[i].sql; };
    const auto literal = [&](std::size_t i) {
        require(i < literals.size() && !literals[i].empty(), name);
        return literals[i];
    };
    using K = ValueKind;
    if (n == "iif" && count == 3 && args[0].kind != K::Text && args[0].kind != K::Date) {
        const std::string condition =
            isNumber(args[0].kind) && args[0].kind != K::Unknown ? "(" + arg(0) + ") <> 0" : arg(0);
        const K kind = args[2].kind == K::Unknown || args[2].kind == args[1].kind ? args[1].kind : K::Unknown;
        require(args[1].kind == args[2].kind || args[1].kind == K::Unknown || args[2].kind == K::Unknown, name);
        return {"CASE WHEN " + condition + " THEN " + arg(1) + " ELSE " + arg(2) + " END", kind};
    }
    if (n == "nz" && count == 2) {
        require(args[0].kind == args[1].kind || (isNumber(args[0].kind) && isNumber(args[1].kind)), name);
        return {"COALESCE(" + arg(0) + ", " + arg(1) + ")", args[0].kind};
    }
    static const std::map<std::string, std::string> textFunctions{
        {"ucase", "upper"}, {"lcase", "lower"}, {"trim", "btrim"}, {"ltrim", "ltrim"}, {"rtrim", "rtrim"}};
    if (const auto f = textFunctions.find(n); f != textFunctions.end() && count == 1 && args[0].kind == K::Text) {
        const bool spaces = f->second.find("trim") != std::string::npos;  // Access trims spaces only
        return {f->second + "(" + arg(0) + (spaces ? ", ' ')" : ")"), K::Text};
    }
    if (n == "len" && count == 1 && args[0].kind == K::Text) return {"length(" + arg(0) + ")", K::Integer};
    if ((n == "left" || n == "right") && count == 2 && args[0].kind == K::Text)
        return {n + "(" + arg(0) + ", (" + arg(1) + ")::integer)", K::Text};
    if (n == "mid" && (count == 2 || count == 3) && args[0].kind == K::Text)
        return {"substr(" + arg(0) + ", (" + arg(1) + ")::integer"
                    + (count == 3 ? ", (" + arg(2) + ")::integer)" : ")"),
                K::Text};
    if (n == "instr" && count == 2 && args[0].kind == K::Text && args[1].kind == K::Text)
        return {"strpos(lower(" + arg(0) + "), lower(" + arg(1) + "))", K::Integer};
    if (n == "space" && count == 1) return {"repeat(' ', (" + arg(0) + ")::integer)", K::Text};
    if (n == "date" && count == 0) return {"CURRENT_DATE::timestamp", K::Date};
    if (n == "now" && count == 0) return {"LOCALTIMESTAMP(0)", K::Date};
    static const std::map<std::string, std::string> dateParts{{"year", "year"},     {"month", "month"},
                                                              {"day", "day"},       {"hour", "hour"},
                                                              {"minute", "minute"}, {"second", "second"}};
    if (const auto f = dateParts.find(n); f != dateParts.end() && count == 1 && args[0].kind == K::Date)
        return {"extract(" + f->second + " from " + arg(0) + ")::integer", K::Integer};
    if (n == "datepart" && count >= 2 && count <= 4 && args[1].kind == K::Date)
        return {"extract(" + datePartField(literal(0)) + " from " + arg(1) + ")::integer", K::Integer};
    if (n == "dateadd" && count == 3 && args[2].kind == K::Date && isNumber(args[1].kind))
        return {"(" + arg(2) + " + (" + arg(1) + ") * interval '" + intervalUnit(literal(0), name) + "')", K::Date};
    if (n == "datediff" && count == 3 && args[1].kind == K::Date && args[2].kind == K::Date)
        return {dateDifference(literal(0), arg(1), arg(2)), K::Integer};
    if (n == "format" && count == 2 && args[0].kind == K::Date)
        return {"to_char(" + arg(0) + ", " + dateFormat(literal(1)) + ")", K::Text};
    if (count == 1 && isNumber(args[0].kind)) {
        // CCur, CInt and CLng round half to even as Access does: round() of a double does. CCur first takes the
        // scaled value to 15 digits (what a cast to numeric keeps), so float noise does not move a half.
        if (n == "ccur")
            return {"round(round((" + asDouble(args[0]) + " * 10000)::numeric::double precision)::numeric / 10000, 4)",
                    K::Exact};
        if (n == "cdbl") return {asDouble(args[0]), K::Double};
        if (n == "csng") return {"(" + arg(0) + ")::real", K::Single};
        if (n == "cint") return {"round(" + asDouble(args[0]) + ")::smallint", K::Integer};
        if (n == "clng") return {"round(" + asDouble(args[0]) + ")::integer", K::Integer};
        if (n == "int") return {"floor(" + arg(0) + ")", args[0].kind};
        if (n == "fix") return {"trunc(" + arg(0) + ")", args[0].kind};
        if (n == "abs") return {"abs(" + arg(0) + ")", args[0].kind};
        if (n == "sgn") return {"sign(" + arg(0) + ")::integer", K::Integer};
        if (n == "sqr") return {"sqrt(" + asDouble(args[0]) + ")", K::Double};
    }
    if (count == 1) {
        if ((n == "min" || n == "max") && args[0].kind != K::Boolean) return {n + "(" + arg(0) + ")", args[0].kind};
        if (n == "sum" && isNumber(args[0].kind)) return {"sum(" + arg(0) + ")", args[0].kind};
        if (n == "count") return {"count(" + arg(0) + ")", K::Integer};
        static const std::map<std::string, std::string> statistics{{"avg", "avg"},
                                                                   {"stdev", "stddev_samp"},
                                                                   {"stdevp", "stddev_pop"},
                                                                   {"var", "var_samp"},
                                                                   {"varp", "var_pop"}};
        if (const auto f = statistics.find(n); f != statistics.end() && isNumber(args[0].kind))
            return {f->second + "(" + asDouble(args[0]) + ")", K::Double};
    }
    require(false, name);
    return {};
}

std::string timestampLiteral(const std::string& accessDate)
{
    static const std::regex us(R"(\s*(\d{1,2})/(\d{1,2})/(\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?\s*(AM|PM)?)?\s*)",
                               std::regex::icase);
    static const std::regex iso(R"(\s*(\d{4})-(\d{1,2})-(\d{1,2})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*)");
    std::smatch m;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (std::regex_match(accessDate, m, us)) {
        month = std::stoi(m[1]);
        day = std::stoi(m[2]);
        year = std::stoi(m[3]);
        if (m[4].matched) {
            hour = std::stoi(m[4]);
            minute = std::stoi(m[5]);
            second = m[6].matched ? std::stoi(m[6]) : 0;
            const std::string half = text::toUpper(m[7].str());
            if (half == "PM" && hour < 12) hour += 12;
            if (half == "AM" && hour == 12) hour = 0;
        }
    } else if (std::regex_match(accessDate, m, iso)) {
        year = std::stoi(m[1]);
        month = std::stoi(m[2]);
        day = std::stoi(m[3]);
        if (m[4].matched) {
            hour = std::stoi(m[4]);
            minute = std::stoi(m[5]);
            second = m[6].matched ? std::stoi(m[6]) : 0;
        }
    } else {
        throw Untranslatable("de datum #" + accessDate + "# heeft een vorm die niet wordt omgezet");
    }
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "TIMESTAMP '%04d-%02d-%02d %02d:%02d:%02d'", year, month, day, hour, minute,
                  second);
    return buffer;
}

std::string likeMatch(const std::string& value, const std::string& pattern, bool negated)
{
    if (pattern.find_first_of("#[") == std::string::npos) {
        std::string like;
        for (char c : pattern) {
            if (c == '*')
                like += '%';
            else if (c == '?')
                like += '_';
            else if (c == '%' || c == '_' || c == '\\')
                like += std::string("\\") + c;
            else
                like += c;
        }
        return "(" + value + (negated ? " NOT ILIKE " : " ILIKE ") + quoteLiteral(like) + ")";
    }
    std::string regex = "^";
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        regex += c == '*'   ? std::string(".*")
                 : c == '?' ? std::string(".")
                 : c == '#' ? std::string("[0-9]")
                            : regexClassOrEscaped(pattern, i);
    }
    return "(" + value + (negated ? " !~* " : " ~* ") + quoteLiteral(regex + "$") + ")";
}

}  // namespace querimo::cli
