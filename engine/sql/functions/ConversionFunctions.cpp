// Val, Str and the C... conversions.
#include <cctype>
#include <cfloat>
#include <cmath>
#include <limits>

#include "sql/functions/DateParse.h"
#include "sql/functions/FunctionFamilies.h"
#include "sql/functions/TextForms.h"

namespace querimo::sql::functions {

namespace {

// Val reads the longest number at the start, skipping blanks, tabs and line feeds anywhere.
double leadingNumber(std::string_view s)
{
    std::string compact;
    for (const char c : s)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') compact += c;
    std::size_t i = 0;
    const auto digitsWhile = [&](auto accept) {
        const std::size_t from = i;
        while (i < compact.size() && accept(static_cast<unsigned char>(compact[i]))) ++i;
        return i > from;
    };
    if (compact.size() > 2 && compact[0] == '&') {
        const char radix = static_cast<char>(std::toupper(static_cast<unsigned char>(compact[1])));
        i = 2;
        if (radix == 'H')
            digitsWhile([](unsigned char c) { return std::isxdigit(c) != 0; });
        else if (radix == 'O')
            digitsWhile([](unsigned char c) { return c >= '0' && c <= '7'; });
        if (i == 2) return 0;
        return parseAccessNumber(compact.substr(0, i)).value_or(0);
    }
    if (i < compact.size() && (compact[i] == '+' || compact[i] == '-')) ++i;
    const auto digit = [](unsigned char c) { return std::isdigit(c) != 0; };
    bool any = digitsWhile(digit);
    if (i < compact.size() && compact[i] == '.') {
        ++i;
        any = digitsWhile(digit) || any;
    }
    if (!any) return 0;
    std::string number = compact.substr(0, i);
    if (i + 1 < compact.size() && std::string_view("eEdD").find(compact[i]) != std::string_view::npos) {
        const std::size_t mark = i;
        std::size_t j = i + 1;
        if (compact[j] == '+' || compact[j] == '-') ++j;
        if (j < compact.size() && std::isdigit(static_cast<unsigned char>(compact[j]))) {
            i = j;
            digitsWhile(digit);
            number += 'e' + compact.substr(mark + 1, i - mark - 1);
        }
    }
    if (const auto v = parseAccessNumber(number)) return *v;  // a number by now: only too large fails
    throw FunctionError{"Overloop in Val"};
}

void val(Args& a)
{
    a.setReal(leadingNumber(a.text(0)));
}

// Str leaves room for the sign: a positive number starts with a space.
void str(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    if (a.isDate(0)) return a.setText(valueText(a.raw(0)));
    const double v = a.number(0);
    const std::string shown = a.type(0) == SQLITE_TEXT ? numberText(v) : valueText(a.raw(0));
    a.setText(v >= 0 ? " " + shown : shown);
}

void cStr(Args& a)
{
    a.setText(a.text(0));
}

template <std::int64_t lowest, std::int64_t highest>
void wholeConversion(Args& a)
{
    a.setInteger(a.whole(0, lowest, highest));
}

void cDbl(Args& a)
{
    a.setReal(a.number(0));
}

void cSng(Args& a)
{
    const double v = a.number(0);
    if (std::fabs(v) > FLT_MAX) a.overflow();
    a.setSingle(static_cast<float>(v));
}

// Currency keeps four decimals, rounded half to even.
void cCur(Args& a)
{
    const double v = bankersRound(a.number(0), 4);
    if (std::fabs(v) > 922337203685477.5807) a.overflow();
    a.setReal(v);
}

void cDec(Args& a)
{
    const double v = a.number(0);
    if (std::fabs(v) > 7.9228162514264338e28) a.overflow();
    a.setReal(v);
}

void cBool(Args& a)
{
    if (a.isNull(0)) throwInvalidNull(a.name());
    a.setBoolean(a.truth(0));
}

void cDate(Args& a)
{
    if (a.isNull(0)) throwInvalidNull(a.name());
    a.setDate(a.date(0));
}

void cVar(Args& a)
{
    a.setArgument(0);
}

constexpr ScalarEntry entries[] = {
    {"Val", val},
    {"Str", str},
    {"CStr", cStr},
    {"CInt", wholeConversion<-32768, 32767>},
    {"CLng", wholeConversion<std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()>},
    {"CByte", wholeConversion<0, 255>},
    {"CDbl", cDbl},
    {"CSng", cSng},
    {"CCur", cCur},
    {"CDec", cDec},
    {"CBool", cBool},
    {"CDate", cDate},
    {"CVDate", cDate},  // the older name
    {"CVar", cVar},
};

}  // namespace

std::span<const ScalarEntry> conversionFunctions()
{
    return entries;
}

}  // namespace querimo::sql::functions
