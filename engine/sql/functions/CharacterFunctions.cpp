// AscW, ChrW, AscB, ChrB, LenB (VBA's Unicode and byte forms) and StrConv.
#include <limits>

#include "core/Text.h"
#include "sql/functions/CodePoints.h"
#include "sql/functions/FunctionFamilies.h"

namespace querimo::sql::functions {

namespace {

constexpr std::int64_t longMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t longMax = std::numeric_limits<std::int32_t>::max();

// The first UTF-16 unit of the text: VBA strings are UTF-16, so a character beyond U+FFFF gives its high surrogate.
unsigned firstUnit(const Args& a)
{
    const std::u32string s = codePoints(a.text(0));
    if (s.empty()) a.invalidArgument(0);
    const char32_t c = s.front();
    return c > 0xFFFF ? 0xD800 + ((c - 0x10000) >> 10) : static_cast<unsigned>(c);
}

// AscW returns an Integer: units from &H8000 on come out negative.
void ascW(Args& a)
{
    const unsigned unit = firstUnit(a);
    a.setInteger(unit > 0x7FFF ? static_cast<std::int64_t>(unit) - 0x10000 : unit);
}

// The low byte of the first UTF-16 unit, as it lies in memory.
void ascB(Args& a)
{
    a.setInteger(firstUnit(a) & 0xFF);
}

// LenB counts the bytes of the UTF-16 text: two a character, four beyond U+FFFF.
void lenB(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    std::int64_t bytes = 0;
    for (const char32_t c : codePoints(a.text(0))) bytes += c > 0xFFFF ? 4 : 2;
    a.setInteger(bytes);
}

// ChrW takes -32768 to 65535; a negative code counts from 65536. A lone surrogate half has no UTF-8 form
// and becomes U+FFFD.
void chrW(Args& a)
{
    std::int64_t code = a.whole(0, longMin, longMax);
    if (code < -32768 || code > 65535) a.invalidArgument(0);
    if (code < 0) code += 65536;
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    a.setText(utf8(std::u32string(1, surrogate ? U'\uFFFD' : static_cast<char32_t>(code))));
}

// ChrB makes a one-byte string in VBA; a query can only show it as the character with that code.
void chrB(Args& a)
{
    const std::int64_t code = a.whole(0, longMin, longMax);
    if (code < 0 || code > 255) a.invalidArgument(0);
    a.setText(utf8(std::u32string(1, static_cast<char32_t>(code))));
}

bool separatesWords(char32_t c)
{
    return c == U' ' || c == U'\t' || c == U'\n' || c == U'\r' || c == U'\f' || c == U'\v' || c == 0;
}

std::string properCase(std::string_view text)
{
    const std::u32string s = codePoints(text);
    std::string out;
    bool wordStart = true;
    for (const char32_t c : s) {
        const std::string one = utf8(std::u32string_view(&c, 1));
        out += wordStart ? text::toUpper(one) : text::toLower(one);
        wordStart = separatesWords(c);
    }
    return out;
}

// StrConv(text, conversion [, LCID]): 1 upper, 2 lower, 3 proper case. The East Asian conversions (4, 8,
// 16, 32) fail as they do under Western settings; 64 and 128 make byte strings a query cannot show.
void strConv(Args& a)
{
    const std::int64_t conversion = a.whole(1, longMin, longMax);
    if (a.has(2)) a.whole(2, longMin, longMax);
    if (a.isNull(0)) return a.setNull();
    switch (conversion) {
    case 1: return a.setText(text::toUpper(a.text(0)));
    case 2: return a.setText(text::toLower(a.text(0)));
    case 3: return a.setText(properCase(a.text(0)));
    default: a.invalidArgument(1);
    }
}

constexpr ScalarEntry entries[] = {
    {"AscW", ascW}, {"AscB", ascB}, {"ChrW", chrW}, {"ChrB", chrB}, {"LenB", lenB}, {"StrConv", strConv},
};

}  // namespace

std::span<const ScalarEntry> characterFunctions()
{
    return entries;
}

}  // namespace querimo::sql::functions
