#include "sql/ColumnValue.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "core/Error.h"
#include "core/ExtendedDate.h"
#include "core/Text.h"
#include "core/ValueText.h"
#include "sql/Catalog.h"
#include "sql/ComplexWrites.h"
#include "sql/Execution.h"
#include "sql/functions/DateParse.h"
#include "sql/functions/FunctionArgs.h"
#include "sql/functions/TextForms.h"

namespace querimo::sql {

namespace {

using jet::ColumnType;

[[noreturn]] void mismatch(const Value& v, const jet::ColumnDef& column)
{
    std::string shown = exportText(v);
    if (shown.size() > 60) shown = shown.substr(0, 57) + "...";
    throw DbError(errc::typeMismatch, "De waarde '" + shown + "' kan niet worden omgezet naar het type "
                                          + accessType(column.type).dutchName + " van het veld '" + column.name + "'.");
}

// A number as Access reads one from any value: Yes/No is -1 or 0, a date its day count, text must read as a number.
std::optional<double> anyNumberOf(const Value& v)
{
    switch (v.kind) {
    case Value::Kind::Boolean: return v.integer ? -1.0 : 0.0;
    case Value::Kind::Byte:
    case Value::Kind::Integer:
    case Value::Kind::Long:
    case Value::Kind::BigInt: return static_cast<double>(v.integer);
    case Value::Kind::Currency: return static_cast<double>(v.integer) / 10000.0;
    case Value::Kind::Single:
    case Value::Kind::Double:
    case Value::Kind::DateTime: return v.real;
    case Value::Kind::Decimal: return std::strtod(v.bytes.c_str(), nullptr);
    case Value::Kind::Text: return parseAccessNumber(v.bytes);
    default: return std::nullopt;
    }
}

// Only finite numbers can be stored ("1E999" does not convert).
std::optional<double> numberOf(const Value& v)
{
    const auto n = anyNumberOf(v);
    return n && std::isfinite(*n) ? n : std::nullopt;
}

Value wholeNumber(const Value& v, const jet::ColumnDef& column, double lowest, double highest)
{
    const auto n = numberOf(v);
    if (!n) mismatch(v, column);
    const double whole = functions::bankersRound(*n);
    if (whole < lowest || whole > highest) mismatch(v, column);
    switch (column.type) {
    case ColumnType::Byte: return Value::byte(static_cast<std::uint8_t>(whole));
    case ColumnType::Integer: return Value::int16(static_cast<std::int16_t>(whole));
    default: return Value::int32(static_cast<std::int32_t>(whole));
    }
}

// Large Number: whole numbers keep every digit; others round half to even, as for Long.
Value bigInt(const Value& v, const jet::ColumnDef& column)
{
    switch (v.kind) {
    case Value::Kind::Byte:
    case Value::Kind::Integer:
    case Value::Kind::Long:
    case Value::Kind::BigInt: return Value::int64(v.integer);
    case Value::Kind::Text:
    case Value::Kind::Decimal: {
        const std::string& s = v.bytes;
        std::size_t digits = s.size() > 1 && (s[0] == '-' || s[0] == '+') ? 1 : 0;
        const bool whole = digits < s.size()
                           && std::all_of(s.begin() + static_cast<std::ptrdiff_t>(digits), s.end(),
                                          [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
        if (whole) {
            errno = 0;
            char* end = nullptr;
            const long long n = std::strtoll(s.c_str(), &end, 10);
            if (errno == ERANGE) mismatch(v, column);
            return Value::int64(n);
        }
        break;
    }
    default: break;
    }
    const auto n = numberOf(v);
    if (!n) mismatch(v, column);
    const double whole = functions::bankersRound(*n);
    // 2^63 is the first double beyond the range; every double below it converts exactly.
    if (whole < -9223372036854775808.0 || whole >= 9223372036854775808.0) mismatch(v, column);
    return Value::int64(static_cast<std::int64_t>(whole));
}

// Date/Time Extended: its own text, or any date Access reads (a Date value to the millisecond it holds).
Value extendedDate(const Value& v, const jet::ColumnDef& column)
{
    std::optional<double> days;
    if (v.kind == Value::Kind::Text) {
        if (const auto e = datetime::parseExtendedText(v.bytes)) return Value::text(datetime::extendedText(*e));
        days = parseAccessDate(v.bytes);
    } else if (v.kind == Value::Kind::DateTime) {
        days = v.real;
    }
    if (!days) mismatch(v, column);
    return Value::text(datetime::extendedText(datetime::extendedFromAccessDate(*days)));
}

Value currency(const Value& v, const jet::ColumnDef& column)
{
    if (v.kind == Value::Kind::Currency) return v;
    const auto n = numberOf(v);
    if (!n || std::fabs(*n) >= 922337203685477.5807) mismatch(v, column);
    return Value::currency(std::llround(functions::bankersRound(*n, 4) * 10000.0));
}

Value boolean(const Value& v, const jet::ColumnDef& column)
{
    if (v.kind == Value::Kind::Text) {
        for (const char* yes : {"True", "Yes", "On"})
            if (text::equalsIgnoreCase(v.bytes, yes)) return Value::boolean(true);
        for (const char* no : {"False", "No", "Off"})
            if (text::equalsIgnoreCase(v.bytes, no)) return Value::boolean(false);
    }
    const auto n = numberOf(v);
    if (!n) mismatch(v, column);
    return Value::boolean(*n != 0);
}

Value date(const Value& v, const jet::ColumnDef& column)
{
    const auto d = v.kind == Value::Kind::Text ? parseAccessDate(v.bytes) : numberOf(v);
    if (!d || !functions::inDateRange(*d)) mismatch(v, column);
    return Value::dateTime(*d);
}

Value decimal(const Value& v, const jet::ColumnDef& column)
{
    const auto n = numberOf(v);
    if (!n) mismatch(v, column);
    const int scale = std::clamp(column.scale, 0, 28);
    double rounded = functions::bankersRound(*n, scale);
    if (rounded == 0) rounded = 0;  // no "-0.00"
    // Digits before the point may not exceed precision - scale.
    if (std::fabs(rounded) >= std::pow(10.0, std::max(column.precision - scale, 0))) mismatch(v, column);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", scale, rounded);
    return Value::decimal(buffer);
}

// {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}, braces optional, in upper case.
std::optional<std::string> guidText(std::string_view s)
{
    if (s.size() == 38 && s.front() == '{' && s.back() == '}') s = s.substr(1, 36);
    if (s.size() != 36) return std::nullopt;
    std::string out = "{";
    for (std::size_t i = 0; i < s.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? s[i] != '-' : !std::isxdigit(static_cast<unsigned char>(s[i]))) return std::nullopt;
        out += static_cast<char>(std::toupper(static_cast<unsigned char>(s[i])));
    }
    return out + "}";
}

// The text Access stores for a value in a text column.
std::optional<std::string> textOf(const Value& v)
{
    switch (v.kind) {
    case Value::Kind::Text:
    case Value::Kind::Guid:
    case Value::Kind::Decimal: return v.bytes;
    case Value::Kind::Boolean: return v.integer ? "-1" : "0";
    case Value::Kind::Byte:
    case Value::Kind::Integer:
    case Value::Kind::Long:
    case Value::Kind::BigInt: return std::to_string(v.integer);
    case Value::Kind::Currency: return functions::numberText(static_cast<double>(v.integer) / 10000.0);
    case Value::Kind::Single: return functions::numberText(v.real, 7);
    case Value::Kind::Double:
        return std::isfinite(v.real) ? std::optional(functions::numberText(v.real)) : std::nullopt;
    case Value::Kind::DateTime: return functions::dateText(v.real);
    default: return std::nullopt;
    }
}

std::size_t characterCount(std::string_view utf8)
{
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++count) text::decodeUtf8(utf8, pos);
    return count;
}

[[noreturn]] void tooLong(const jet::ColumnDef& column, std::size_t size, const char* unit)
{
    throw DbError(errc::integrity, "De waarde voor het veld '" + column.name + "' is te lang: " + std::to_string(size)
                                       + " " + unit + ", het veld biedt plaats aan " + std::to_string(column.size)
                                       + ".");
}

}  // namespace

Value columnValue(const Value& v, const jet::ColumnDef& column)
{
    if (v.isNull()) return v;
    switch (column.type) {
    case ColumnType::Boolean: return boolean(v, column);
    case ColumnType::Byte: return wholeNumber(v, column, 0, 255);
    case ColumnType::Integer: return wholeNumber(v, column, -32768, 32767);
    case ColumnType::Long: return wholeNumber(v, column, -2147483648.0, 2147483647.0);
    case ColumnType::BigInt: return bigInt(v, column);
    case ColumnType::Currency: return currency(v, column);
    case ColumnType::Single: {
        const auto n = numberOf(v);
        if (!n || std::fabs(*n) > FLT_MAX) mismatch(v, column);
        return Value::single(static_cast<float>(*n));
    }
    case ColumnType::Double: {
        const auto n = numberOf(v);
        if (!n) mismatch(v, column);
        return Value::dbl(*n);
    }
    case ColumnType::DateTime: return date(v, column);
    case ColumnType::DateTimeExtended: return extendedDate(v, column);
    case ColumnType::Decimal: return decimal(v, column);
    case ColumnType::Complex: refuseComplexWrite(column);
    case ColumnType::Text:
    case ColumnType::Memo: {
        auto s = textOf(v);
        if (!s) mismatch(v, column);
        if (column.type == ColumnType::Text && column.size > 0) {
            const std::size_t n = characterCount(*s);
            if (n > static_cast<std::size_t>(column.size)) tooLong(column, n, "tekens");
        }
        return Value::text(std::move(*s));
    }
    case ColumnType::Guid: {
        const auto g = v.kind == Value::Kind::Text || v.kind == Value::Kind::Guid ? guidText(v.bytes) : std::nullopt;
        if (!g) mismatch(v, column);
        return Value::guid(*g);
    }
    case ColumnType::Binary:
    case ColumnType::OleObject:
        if (v.kind != Value::Kind::Binary) mismatch(v, column);
        if (column.type == ColumnType::Binary && column.size > 0
            && v.bytes.size() > static_cast<std::size_t>(column.size))
            tooLong(column, v.bytes.size(), "bytes");
        return v;
    }
    mismatch(v, column);
}

}  // namespace querimo::sql
