// Len, Left, Right, Mid, InStr, InStrRev, Replace, the trims, case, Space, String, StrComp, StrReverse, Asc, Chr.
#include <algorithm>
#include <limits>

#include "core/Text.h"
#include "sql/functions/CodePoints.h"
#include "sql/functions/FunctionFamilies.h"

namespace querimo::sql::functions {

namespace {

constexpr std::int64_t longMax = std::numeric_limits<std::int32_t>::max();

std::int64_t length(const Args& a, int i)
{
    return a.whole(i, std::numeric_limits<std::int32_t>::min(), longMax);
}

// A text built here may not exceed what the connection allows for one value (UTF-8 takes up to 4 bytes).
void checkLength(const Args& a, std::size_t characters)
{
    if (characters > static_cast<std::size_t>(sqlite3_limit(a.database(), SQLITE_LIMIT_LENGTH, -1)) / 4)
        throw FunctionError{"Onvoldoende ruimte voor de tekenreeks in " + std::string(a.name())};
}

std::size_t repeatCount(const Args& a, int i)
{
    const std::int64_t n = length(a, i);
    if (n < 0) a.invalidArgument(i);
    checkLength(a, static_cast<std::size_t>(n));
    return static_cast<std::size_t>(n);
}

// vbBinaryCompare 0, vbTextCompare 1, vbDatabaseCompare 2 (and -1, the default): a query compares as text.
bool textCompare(const Args& a, int i)
{
    if (!a.has(i)) return true;
    const std::int64_t mode = length(a, i);
    if (mode < -1 || mode > 2) a.invalidArgument(i);
    return mode != 0;
}

// The first match of needle in haystack at or after from (0-based); npos when none.
std::size_t findFrom(std::u32string_view haystack, std::u32string_view needle, std::size_t from, bool ignoreCase)
{
    if (!ignoreCase) return haystack.find(needle, from);
    return caseFolded(haystack).find(caseFolded(needle), from);
}

void len(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    a.setInteger(static_cast<std::int64_t>(codePoints(a.text(0)).size()));
}

void left(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    const std::int64_t n = length(a, 1);
    if (n < 0) a.invalidArgument(1);
    const std::u32string s = codePoints(a.text(0));
    a.setText(utf8(std::u32string_view(s).substr(0, static_cast<std::size_t>(n))));
}

void right(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    const std::int64_t n = length(a, 1);
    if (n < 0) a.invalidArgument(1);
    const std::u32string s = codePoints(a.text(0));
    const std::size_t keep = std::min(s.size(), static_cast<std::size_t>(n));
    a.setText(utf8(std::u32string_view(s).substr(s.size() - keep)));
}

void mid(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    const std::int64_t start = length(a, 1);
    const std::int64_t n = a.has(2) ? length(a, 2) : longMax;
    if (start < 1) a.invalidArgument(1);
    if (n < 0) a.invalidArgument(2);
    const std::u32string s = codePoints(a.text(0));
    if (static_cast<std::size_t>(start) > s.size()) return a.setText("");
    a.setText(utf8(std::u32string_view(s).substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(n))));
}

// InStr([start,] text, sought [, compare]): a leading start is there when three or more arguments are.
void inStr(Args& a)
{
    const int first = a.count() >= 3 ? 1 : 0;
    const std::int64_t start = first ? length(a, 0) : 1;
    if (start < 1) a.invalidArgument(0);
    const bool ignoreCase = textCompare(a, first + 2);
    if (a.isNull(first) || a.isNull(first + 1)) return a.setNull();
    const std::u32string s = codePoints(a.text(first)), sought = codePoints(a.text(first + 1));
    if (static_cast<std::size_t>(start) > s.size()) return a.setInteger(0);
    if (sought.empty()) return a.setInteger(start);
    const std::size_t at = findFrom(s, sought, static_cast<std::size_t>(start - 1), ignoreCase);
    a.setInteger(at == std::u32string::npos ? 0 : static_cast<std::int64_t>(at) + 1);
}

// InStrRev(text, sought [, start [, compare]]): the last match that ends at or before start.
void inStrRev(Args& a)
{
    const std::int64_t start = a.has(2) ? length(a, 2) : -1;
    if (start == 0 || start < -1) a.invalidArgument(2);
    const bool ignoreCase = textCompare(a, 3);
    if (a.isNull(0) || a.isNull(1)) return a.setNull();
    std::u32string s = codePoints(a.text(0)), sought = codePoints(a.text(1));
    const std::size_t end = start == -1 ? s.size() : static_cast<std::size_t>(start);
    if (end > s.size()) return a.setInteger(0);
    if (sought.empty()) return a.setInteger(static_cast<std::int64_t>(end));
    if (ignoreCase) {
        s = caseFolded(s);
        sought = caseFolded(sought);
    }
    if (sought.size() > end) return a.setInteger(0);
    const std::size_t at = std::u32string_view(s).substr(0, end).rfind(sought);
    a.setInteger(at == std::u32string::npos ? 0 : static_cast<std::int64_t>(at) + 1);
}

// Replace(text, find, with [, start [, count [, compare]]]) returns the text from start on, as VBA does.
void replace(Args& a)
{
    const std::u32string s = codePoints(a.text(0)), find = codePoints(a.text(1)), with = codePoints(a.text(2));
    const std::int64_t start = a.has(3) ? length(a, 3) : 1;
    const std::int64_t count = a.has(4) ? length(a, 4) : -1;
    if (start < 1) a.invalidArgument(3);
    if (count < -1) a.invalidArgument(4);
    const bool ignoreCase = textCompare(a, 5);
    if (static_cast<std::size_t>(start) > s.size()) return a.setText("");
    const std::u32string rest = s.substr(static_cast<std::size_t>(start - 1));
    if (find.empty() || count == 0) return a.setText(utf8(rest));
    const std::u32string searched = ignoreCase ? caseFolded(rest) : rest, sought = ignoreCase ? caseFolded(find) : find;
    std::u32string out;
    std::size_t from = 0;
    for (std::int64_t done = 0; count == -1 || done < count; ++done) {
        const std::size_t at = searched.find(sought, from);
        if (at == std::u32string::npos) break;
        out.append(rest, from, at - from).append(with);
        from = at + find.size();
        checkLength(a, out.size());
    }
    out.append(rest, from);
    a.setText(utf8(out));
}

template <bool front, bool back>
void trim(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    const std::string full = a.text(0);
    std::string_view s = full;
    while (front && !s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (back && !s.empty() && s.back() == ' ') s.remove_suffix(1);
    a.setText(s);
}

void upperCase(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    a.setText(text::toUpper(a.text(0)));
}

void lowerCase(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    a.setText(text::toLower(a.text(0)));
}

void space(Args& a)
{
    a.setText(std::string(repeatCount(a, 0), ' '));
}

void string(Args& a)
{
    if (a.anyNull()) return a.setNull();
    const std::size_t n = repeatCount(a, 0);
    char32_t c;
    if (a.type(1) == SQLITE_TEXT) {
        const std::u32string chars = codePoints(a.text(1));
        if (chars.empty()) a.invalidArgument(1);
        c = chars.front();
    } else {
        const std::int64_t code = a.whole(1, std::numeric_limits<std::int32_t>::min(), longMax);
        if (code < 0) a.invalidArgument(1);
        c = codePoints(text::fromWindows1252(std::string(1, static_cast<char>(code % 256)))).front();
    }
    a.setText(utf8(std::u32string(n, c)));
}

void strComp(Args& a)
{
    const bool ignoreCase = textCompare(a, 2);
    if (a.isNull(0) || a.isNull(1)) return a.setNull();
    std::u32string x = codePoints(a.text(0)), y = codePoints(a.text(1));
    if (ignoreCase) {
        x = caseFolded(x);
        y = caseFolded(y);
    }
    const int order = x.compare(y);
    a.setInteger(order < 0 ? -1 : order > 0 ? 1 : 0);
}

void strReverse(Args& a)
{
    std::u32string s = codePoints(a.text(0));
    std::reverse(s.begin(), s.end());
    a.setText(utf8(s));
}

// Asc and Chr use the Windows (ANSI) code page, as Access does under Western European settings.
void asc(Args& a)
{
    const std::u32string s = codePoints(a.text(0));
    if (s.empty()) a.invalidArgument(0);
    a.setInteger(static_cast<unsigned char>(text::toWindows1252(utf8(s.substr(0, 1))).front()));
}

void chr(Args& a)
{
    const std::int64_t code = a.whole(0, std::numeric_limits<std::int32_t>::min(), longMax);
    if (code < 0 || code > 255) a.invalidArgument(0);
    a.setText(text::fromWindows1252(std::string(1, static_cast<char>(code))));
}

constexpr ScalarEntry entries[] = {
    {"Len", len},
    {"Left", left},
    {"Right", right},
    {"Mid", mid},
    {"InStr", inStr},
    {"InStrRev", inStrRev},
    {"Replace", replace},
    {"Trim", trim<true, true>},
    {"LTrim", trim<true, false>},
    {"RTrim", trim<false, true>},
    {"UCase", upperCase},
    {"LCase", lowerCase},
    {"Space", space},
    {"String", string},
    {"StrComp", strComp},
    {"StrReverse", strReverse},
    {"Asc", asc},
    {"Chr", chr},
};

}  // namespace

std::span<const ScalarEntry> textFunctions()
{
    return entries;
}

}  // namespace querimo::sql::functions
