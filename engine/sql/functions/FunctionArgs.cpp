#include "sql/functions/FunctionArgs.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "sql/functions/DateParse.h"
#include "sql/functions/TextForms.h"

namespace querimo::sql::functions {

namespace {

[[noreturn]] void fail(std::string_view what, std::string_view where)
{
    throw FunctionError{std::string(what) + " in " + std::string(where)};
}

std::string_view rawText(sqlite3_value* v)
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? std::string_view(p, static_cast<std::size_t>(sqlite3_value_bytes(v))) : std::string_view();
}

}  // namespace

void throwInvalidCall(std::string_view where)
{
    fail("Ongeldige procedureaanroep of ongeldig argument", where);
}
void throwTypeMismatch(std::string_view where)
{
    fail("Typen komen niet overeen", where);
}
void throwOverflow(std::string_view where)
{
    fail("Overloop", where);
}
void throwInvalidNull(std::string_view where)
{
    fail("Ongeldig gebruik van Null", where);
}
void throwDivisionByZero(std::string_view where)
{
    fail("Deling door nul", where);
}

double bankersRound(double v)
{
    return std::nearbyint(v);
}

double bankersRound(double v, int decimals)
{
    if (decimals > 22) return v;
    const double scale = std::pow(10.0, decimals);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", v * scale);
    const double scaled = std::strtod(buffer, nullptr);
    return std::isfinite(scaled) ? bankersRound(scaled) / scale : v;
}

bool Args::anyNull() const
{
    for (int i = 0; i < argc_; ++i)
        if (isNull(i)) return true;
    return false;
}

std::string Args::argumentName(int i) const
{
    return std::string(name_) + (operands_ ? " (operand " : " (argument ") + std::to_string(i + 1) + ")";
}

double Args::number(int i) const
{
    switch (type(i)) {
    case SQLITE_INTEGER: return static_cast<double>(sqlite3_value_int64(argv_[i]));
    case SQLITE_FLOAT: return sqlite3_value_double(argv_[i]);
    case SQLITE_NULL: throwInvalidNull(argumentName(i));
    case SQLITE_TEXT:
        if (const auto v = parseAccessNumber(rawText(argv_[i]))) return *v;
        throwTypeMismatch(argumentName(i));
    default: throwTypeMismatch(argumentName(i));
    }
}

std::int64_t Args::whole(int i, std::int64_t lowest, std::int64_t highest) const
{
    if (type(i) == SQLITE_INTEGER) {
        const std::int64_t v = sqlite3_value_int64(argv_[i]);
        if (v < lowest || v > highest) throwOverflow(argumentName(i));
        return v;
    }
    const double v = bankersRound(number(i));
    if (!(v >= static_cast<double>(lowest) && v <= static_cast<double>(highest))) throwOverflow(argumentName(i));
    return static_cast<std::int64_t>(v);
}

std::int64_t Args::wholeOr(int i, std::int64_t fallback, std::int64_t lowest, std::int64_t highest) const
{
    return has(i) ? whole(i, lowest, highest) : fallback;
}

std::string Args::text(int i) const
{
    if (isNull(i)) throwInvalidNull(argumentName(i));
    return valueText(argv_[i]);
}

double Args::date(int i) const
{
    double v;
    if (type(i) == SQLITE_TEXT) {
        const auto parsed = parseAccessDate(rawText(argv_[i]));
        if (!parsed) throwTypeMismatch(argumentName(i));
        v = *parsed;
    } else {
        v = number(i);
    }
    if (!inDateRange(v)) throwOverflow(argumentName(i));
    return v;
}

bool Args::truth(int i) const
{
    if (isNull(i)) return false;
    if (type(i) == SQLITE_TEXT) {
        const std::string_view s = rawText(argv_[i]);
        if (s == "True" || s == "true" || s == "TRUE") return true;
        if (s == "False" || s == "false" || s == "FALSE") return false;
    }
    return number(i) != 0;
}

void Args::setText(std::string_view s)
{
    sqlite3_result_text64(ctx_, s.data(), s.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

void Args::setReal(double v)
{
    if (!std::isfinite(v)) overflow();
    sqlite3_result_double(ctx_, v);
}

void Args::setNumber(double v, bool asInteger)
{
    if (asInteger && v >= -9.2e18 && v <= 9.2e18 && v == std::trunc(v))
        setInteger(static_cast<std::int64_t>(v));
    else
        setReal(v);
}

void Args::setDate(double days)
{
    if (!inDateRange(days)) overflow();
    sqlite3_result_double(ctx_, days);
    sqlite3_result_subtype(ctx_, dateSubtype);
}

void Args::setBoolean(bool b)
{
    sqlite3_result_int(ctx_, b ? -1 : 0);
    sqlite3_result_subtype(ctx_, booleanSubtype);
}

void Args::setSingle(double v)
{
    setReal(v);
    sqlite3_result_subtype(ctx_, singleSubtype);
}

void Args::setArgument(int i)
{
    sqlite3_result_value(ctx_, argv_[i]);
}

std::string valueText(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL: return {};
    case SQLITE_INTEGER:
        if (sqlite3_value_subtype(v) == booleanSubtype) return sqlite3_value_int64(v) ? "True" : "False";
        return std::to_string(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
        if (sqlite3_value_subtype(v) == dateSubtype) return dateText(sqlite3_value_double(v));
        if (sqlite3_value_subtype(v) == singleSubtype) return numberText(sqlite3_value_double(v), 7);
        return numberText(sqlite3_value_double(v));
    default: return std::string(rawText(v));
    }
}

}  // namespace querimo::sql::functions
