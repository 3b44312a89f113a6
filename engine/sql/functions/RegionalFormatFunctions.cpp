// FormatNumber, FormatCurrency, FormatPercent and FormatDateTime: fixed layouts from the regional settings.
#include <cmath>

#include "sql/functions/DateFormat.h"
#include "sql/functions/FunctionFamilies.h"
#include "sql/functions/RegionalNumbers.h"
#include "sql/functions/TextForms.h"

namespace querimo::sql::functions {

namespace {

constexpr int useDefault = -2;  // vbUseDefault: the regional setting decides

// A tristate argument: True (-1) or False (0), or the regional default when absent or -2.
bool tristate(const Args& a, int i, bool regional)
{
    if (!a.has(i)) return regional;
    const std::int64_t v = a.whole(i, -32768, 32767);
    return v == useDefault ? regional : v != 0;
}

struct Layout {
    int decimals;
    bool leadingZero, parens, group;
};

// Arguments 2 to 5 of the three number forms: digits after the point (-1: regional), leading zero,
// parentheses for negatives, digit grouping.
Layout layout(const Args& a, int regionalDecimals, bool regionalParens)
{
    Layout l{};
    const std::int64_t decimals = a.wholeOr(1, -1, -2147483648LL, 2147483647LL);
    if (decimals < -1 || decimals > 99) a.invalidArgument(1);
    l.decimals = static_cast<int>(decimals);
    if (l.decimals == -1) l.decimals = regionalDecimals;
    l.leadingZero = tristate(a, 2, true);
    l.parens = tristate(a, 3, regionalParens);
    l.group = tristate(a, 4, true);
    return l;
}

// The sign goes around the whole text: before it, or parentheses.
std::string withSign(std::string body, bool negative, bool parens)
{
    if (!negative) return body;
    return parens ? "(" + body + ")" : "-" + body;
}

bool roundsToZero(const std::string& digits)
{
    return digits.find_first_of("123456789") == std::string::npos;
}

void formatNumberFunction(Args& a)
{
    const Region region = currentRegion();
    const Layout l = layout(a, 2, false);
    if (a.isNull(0)) return a.setNull();
    const double v = a.number(0);
    if (!std::isfinite(v)) a.overflow();
    const std::string digits = fixedDigits(v, l.decimals, l.leadingZero, l.group, region);
    a.setText(withSign(digits, v < 0 && !roundsToZero(digits), l.parens));
}

void formatPercent(Args& a)
{
    const Region region = currentRegion();
    const Layout l = layout(a, 2, false);
    if (a.isNull(0)) return a.setNull();
    const double v = a.number(0) * 100;
    if (!std::isfinite(v)) a.overflow();
    const std::string digits = fixedDigits(v, l.decimals, l.leadingZero, l.group, region);
    a.setText(withSign(digits + "%", v < 0 && !roundsToZero(digits), l.parens));
}

void formatCurrency(Args& a)
{
    const Region r = currentRegion();
    const Layout l = layout(a, r.currencyDigits, r.currencyParens);
    if (a.isNull(0)) return a.setNull();
    const double v = a.number(0);
    if (!std::isfinite(v)) a.overflow();
    const std::string digits = fixedDigits(v, l.decimals, l.leadingZero, l.group, r);
    const bool negative = v < 0 && !roundsToZero(digits);
    const std::string space = r.currencySpace ? " " : "";
    if (!r.currencyFirst) return a.setText(withSign(digits + space + r.currency, negative, l.parens));
    if (negative && !l.parens && r.signAfterCurrency) return a.setText(r.currency + space + "-" + digits);
    a.setText(withSign(r.currency + space + digits, negative, l.parens));
}

// FormatDateTime(date [, form]): 0 general, 1 long date, 2 short date, 3 long time, 4 short time (24 hours).
void formatDateTime(Args& a)
{
    const std::int64_t form = a.wholeOr(1, 0, -2147483648LL, 2147483647LL);
    if (form < 0 || form > 4) a.invalidArgument(1);
    if (a.isNull(0)) return a.setNull();
    const double date = a.date(0);
    switch (form) {
    case 0: return a.setText(dateText(date));
    case 1: return a.setText(formatDate(date, "dddd, mmmm d, yyyy", 1, 1));
    case 2: return a.setText(shortDateText(date));
    case 3: return a.setText(longTimeText(date));
    default: a.setText(formatDate(date, "hh:nn", 1, 1));
    }
}

constexpr ScalarEntry entries[] = {
    {"FormatNumber", formatNumberFunction},
    {"FormatCurrency", formatCurrency},
    {"FormatPercent", formatPercent},
    {"FormatDateTime", formatDateTime},
};

}  // namespace

std::span<const ScalarEntry> regionalFormatFunctions()
{
    return entries;
}

}  // namespace querimo::sql::functions
