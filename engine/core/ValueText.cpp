#include "core/ValueText.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>

#include "core/DateTime.h"

namespace querimo {

namespace {

// Access dates run from the year 100 to 9999; a value outside (only a damaged file holds one) is shown as its
// day number instead of a calendar date.
constexpr double firstAccessDay = -657434;  // 0100-01-01
constexpr double lastAccessDay = 2958466;   // 10000-01-01

template <typename T>
void appendShortest(std::string& out, T value)
{
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    out.append(text, end);
}

void appendCurrency(std::string& out, std::int64_t scaled, int minDecimals)
{
    std::uint64_t magnitude = scaled < 0 ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    if (scaled < 0) out += '-';
    appendShortest(out, magnitude / 10000);
    char decimals[4];
    std::uint64_t fraction = magnitude % 10000;
    for (int i = 3; i >= 0; --i, fraction /= 10) decimals[i] = static_cast<char>('0' + fraction % 10);
    int count = 4;
    while (count > minDecimals && decimals[count - 1] == '0') --count;
    if (count > 0) {
        out += '.';
        out.append(decimals, count);
    }
}

void appendDate(std::string& out, double days)
{
    if (!(days >= firstAccessDay && days < lastAccessDay)) {
        appendShortest(out, days);
        return;
    }
    const datetime::Civil c = datetime::toCivil(days);
    char text[32];
    int n = std::snprintf(text, sizeof text, "%04d-%02d-%02d", c.year, c.month, c.day);
    if (c.hour != 0 || c.minute != 0 || c.second != 0)
        n += std::snprintf(text + n, sizeof text - n, " %02d:%02d:%02d", c.hour, c.minute, c.second);
    out.append(text, n);
}

void appendHex(std::string& out, const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
}

// Replaces the '.' of a number's text (from position start on) with the locale's decimal separator.
void localiseDecimalPoint(std::string& out, std::size_t start)
{
    const char* separator = std::localeconv()->decimal_point;
    if (!separator || !*separator || std::string_view(separator) == ".") return;
    const std::size_t dot = out.find('.', start);
    if (dot != std::string::npos) out.replace(dot, 1, separator);
}

}  // namespace

void appendExportText(std::string& out, const Value& v)
{
    using K = Value::Kind;
    switch (v.kind) {
    case K::Null: break;
    case K::Boolean:
    case K::Byte:
    case K::Integer:
    case K::Long:
    case K::BigInt: appendShortest(out, v.integer); break;
    case K::Currency: appendCurrency(out, v.integer, 0); break;
    case K::Single: appendShortest(out, static_cast<float>(v.real)); break;
    case K::Double: appendShortest(out, v.real); break;
    case K::DateTime: appendDate(out, v.real); break;
    case K::Binary: appendHex(out, v.bytes); break;
    case K::Text:
    case K::Guid:
    case K::Decimal: out += v.bytes; break;
    }
}

std::string exportText(const Value& v)
{
    std::string out;
    appendExportText(out, v);
    return out;
}

std::string displayText(const Value& v)
{
    using K = Value::Kind;
    std::string out;
    switch (v.kind) {
    case K::Boolean: out = v.integer ? "Waar" : "Onwaar"; break;
    case K::Currency: appendCurrency(out, v.integer, 2); break;
    default: appendExportText(out, v); break;
    }
    if (v.kind == K::Currency || v.kind == K::Single || v.kind == K::Double || v.kind == K::Decimal)
        localiseDecimalPoint(out, 0);
    return out;
}

}  // namespace querimo
