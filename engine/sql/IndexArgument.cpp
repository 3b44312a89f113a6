#include "sql/IndexArgument.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

namespace querimo::sql {

namespace {

using Fit = IndexArgument::Fit;

// A number as SQLite holds it: an integer or a real.
struct Number {
    bool integral = false;
    std::int64_t integer = 0;
    double real = 0;
};

std::optional<Number> numberOf(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: return Number{true, sqlite3_value_int64(v), 0};
    case SQLITE_FLOAT: return Number{false, 0, sqlite3_value_double(v)};
    case SQLITE_TEXT: break;
    default: return std::nullopt;
    }
    // Text compared with a number column takes numeric affinity when it reads as a number (spaces around allowed).
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    std::string_view s(p ? p : "", static_cast<std::size_t>(sqlite3_value_bytes(v)));
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    std::int64_t i = 0;
    if (const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), i);
        error == std::errc() && end == s.data() + s.size() && !s.empty())
        return Number{true, i, 0};
    double d = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), d);
    if (error != std::errc() || end != s.data() + s.size() || s.empty() || std::isnan(d)) return std::nullopt;
    return Number{false, 0, d};
}

// Index keys hold this many UTF-16 units of a text.
constexpr std::size_t maxKeyCharacters = 255;

std::size_t utf16Length(std::string_view utf8)
{
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if ((b & 0xC0) != 0x80) ++units;  // a character starts here
        if (b >= 0xF0) ++units;           // beyond the first plane: two units
    }
    return units;
}

IndexArgument key(Value v)
{
    return {Fit::Key, std::move(v)};
}

// Whole-number columns: a real bound rounds inwards (x > 2.5 is x >= 3), a value outside the type's range
// admits all or nothing.
IndexArgument wholeNumber(const Number& n, Side side, std::int64_t low, std::int64_t high, Value (*make)(std::int64_t))
{
    double d = n.integral ? static_cast<double>(n.integer) : n.real;
    if (!n.integral) {
        if (side == Side::Equal && d != std::floor(d)) return {Fit::Nothing, {}};
        d = side == Side::Upper ? std::floor(d) : std::ceil(d);
    }
    if (d > static_cast<double>(high) || (n.integral && n.integer > high))
        return side == Side::Upper ? key(make(high)) : IndexArgument{Fit::Nothing, {}};
    if (d < static_cast<double>(low) || (n.integral && n.integer < low))
        return side == Side::Lower ? key(make(low)) : IndexArgument{Fit::Nothing, {}};
    return key(make(n.integral ? n.integer : static_cast<std::int64_t>(d)));
}

double realOf(const Number& n)
{
    return n.integral ? static_cast<double>(n.integer) : n.real;
}

bool exactReal(const Number& n, double d)
{
    return !n.integral || (d < 0x1p63 && d >= -0x1p63 && static_cast<std::int64_t>(d) == n.integer);
}

IndexArgument real(const Number& n, Side side, Value (*make)(double))
{
    const double d = realOf(n);
    switch (side) {
    case Side::Equal: return exactReal(n, d) ? key(make(d)) : IndexArgument{Fit::Nothing, {}};
    case Side::Lower: return key(make(std::nextafter(d, -INFINITY)));
    case Side::Upper: return key(make(std::nextafter(d, INFINITY)));
    }
    return {};
}

IndexArgument single(const Number& n, Side side)
{
    const double d = realOf(n);
    const float f = static_cast<float>(d);
    switch (side) {
    case Side::Equal:
        return exactReal(n, d) && static_cast<double>(f) == d ? key(Value::single(f)) : IndexArgument{Fit::Nothing, {}};
    case Side::Lower: return key(Value::single(std::nextafter(f, -INFINITY)));
    case Side::Upper: return key(Value::single(std::nextafter(f, INFINITY)));
    }
    return {};
}

// Currency shows in SQLite as its scaled integer / 10,000.
IndexArgument currency(const Number& n, Side side)
{
    const double d = realOf(n) * 10000.0;
    constexpr double limit = 0x1p62;
    if (side == Side::Equal) {
        if (!(std::fabs(d) < limit)) return {Fit::Nothing, {}};
        const auto near = static_cast<std::int64_t>(std::llround(d));
        for (std::int64_t scaled = near - 1; scaled <= near + 1; ++scaled)
            if (static_cast<double>(scaled) / 10000.0 == realOf(n)) return key(Value::currency(scaled));
        return {Fit::Nothing, {}};
    }
    if (side == Side::Lower)
        return d < -limit  ? IndexArgument{Fit::Open, {}}
               : d > limit ? IndexArgument{Fit::Nothing, {}}
                           : key(Value::currency(static_cast<std::int64_t>(std::floor(d)) - 1));
    return d > limit    ? IndexArgument{Fit::Open, {}}
           : d < -limit ? IndexArgument{Fit::Nothing, {}}
                        : key(Value::currency(static_cast<std::int64_t>(std::ceil(d)) + 1));
}

// Yes/No shows as -1 and 0; only equality is served.
IndexArgument yesNo(const Number& n, Side side)
{
    if (side != Side::Equal) return {};
    const double d = realOf(n);
    if (d == -1) return key(Value::boolean(true));
    if (d == 0) return key(Value::boolean(false));
    return {Fit::Nothing, {}};
}

}  // namespace

bool seekableType(jet::ColumnType type)
{
    using T = jet::ColumnType;
    return type == T::Boolean || type == T::Byte || type == T::Integer || type == T::Long || type == T::Currency
           || type == T::Single || type == T::Double || type == T::DateTime || type == T::Text || type == T::Memo;
}

bool textType(jet::ColumnType type)
{
    return type == jet::ColumnType::Text || type == jet::ColumnType::Memo;
}

std::string_view literalStart(std::string_view pattern)
{
    return pattern.substr(0, std::min(pattern.size(), pattern.find_first_of("*?#[")));
}

bool orderedLikeSqlite(jet::ColumnType type)
{
    using T = jet::ColumnType;
    return seekableType(type) && type != T::Text && type != T::Memo && type != T::Boolean;
}

IndexArgument indexArgument(jet::ColumnType type, sqlite3_value* v, Side side)
{
    if (sqlite3_value_type(v) == SQLITE_NULL) return {Fit::Nothing, {}};
    using T = jet::ColumnType;
    if (textType(type)) {
        // Text keys order as the collation does (where the planner offers bounds at all); a number compared
        // with a text column may see affinity turn the column's text into numbers.
        if (sqlite3_value_type(v) != SQLITE_TEXT) return {};
        const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
        std::string s(p ? p : "", static_cast<std::size_t>(sqlite3_value_bytes(v)));
        // A key keeps 255 characters: a longer upper bound could stop before texts just under it.
        if (side == Side::Upper && utf16Length(s) > maxKeyCharacters) return {Fit::Open, {}};
        return key(Value::text(std::move(s)));
    }
    const std::optional<Number> n = numberOf(v);
    if (!n) return {};  // text or a blob: SQLite orders them after every number
    switch (type) {
    case T::Boolean: return yesNo(*n, side);
    case T::Byte:
        return wholeNumber(*n, side, 0, 255, [](std::int64_t i) { return Value::byte(static_cast<std::uint8_t>(i)); });
    case T::Integer:
        return wholeNumber(*n, side, -32768, 32767,
                           [](std::int64_t i) { return Value::int16(static_cast<std::int16_t>(i)); });
    case T::Long:
        return wholeNumber(*n, side, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(),
                           [](std::int64_t i) { return Value::int32(static_cast<std::int32_t>(i)); });
    case T::Currency: return currency(*n, side);
    case T::Single: return single(*n, side);
    case T::Double: return real(*n, side, [](double d) { return Value::dbl(d); });
    case T::DateTime: return real(*n, side, [](double d) { return Value::dateTime(d); });
    default: return {};
    }
}

}  // namespace querimo::sql
