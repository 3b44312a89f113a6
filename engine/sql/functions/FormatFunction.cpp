// Format(expression [, format [, firstdayofweek [, firstweekofyear]]]) with the named and custom formats.
#include <cmath>
#include <optional>

#include "core/Text.h"
#include "sql/functions/DateFormat.h"
#include "sql/functions/DateMath.h"
#include "sql/functions/DateParse.h"
#include "sql/functions/FormatSections.h"
#include "sql/functions/FunctionFamilies.h"
#include "sql/functions/NumberFormat.h"
#include "sql/functions/RegionalNumbers.h"
#include "sql/functions/TextFormat.h"
#include "sql/functions/TextForms.h"

namespace querimo::sql::functions {

namespace {

enum class Kind { Number, Currency, Percent, Date, Text, Choice };

struct NamedFormat {
    std::string_view name;
    Kind kind;
    std::string_view format;  // the custom equivalent; for Choice "true text;false text", for Currency the symbol
};

// Dates and Yes/No texts as under US English settings; numbers with the region's separators and currency.
constexpr NamedFormat namedFormats[] = {
    {"General Number", Kind::Number, ""},
    {"Currency", Kind::Currency, ""},
    {"Euro", Kind::Currency, "€"},
    {"Fixed", Kind::Number, "0.00"},
    {"Standard", Kind::Number, "#,##0.00"},
    {"Percent", Kind::Percent, ""},
    {"Scientific", Kind::Number, "0.00E+00"},
    {"Yes/No", Kind::Choice, "Yes;No"},
    {"True/False", Kind::Choice, "True;False"},
    {"On/Off", Kind::Choice, "On;Off"},
    {"General Date", Kind::Date, "c"},
    {"Long Date", Kind::Date, "dddd, mmmm d, yyyy"},
    {"Medium Date", Kind::Date, "dd-mmm-yy"},
    {"Short Date", Kind::Date, "m/d/yyyy"},
    {"Long Time", Kind::Date, "h:nn:ss AM/PM"},
    {"Medium Time", Kind::Date, "hh:nn AM/PM"},
    {"Short Time", Kind::Date, "hh:nn"},
};

// A custom format is a number format when it has digit placeholders, a text format when it has @ or &, a date
// format when it has date letters, a text format when it has only < or >, else a number format.
Kind customKind(std::string_view format)
{
    bool number = false, text = false, date = false, letterCase = false;
    for (std::size_t i = 0; i < format.size();) {
        const char c = format[i];
        if (nextFormatChar(format, i).quoted) continue;
        number = number || c == '0' || c == '#';
        text = text || c == '@' || c == '&';
        letterCase = letterCase || c == '<' || c == '>';
        date = date || std::string_view("dDwWmMqQyYhHnNsScCtT").find(c) != std::string_view::npos;
    }
    if (number) return Kind::Number;
    if (text) return Kind::Text;
    if (date) return Kind::Date;
    return letterCase ? Kind::Text : Kind::Number;
}

// Text that reads as a number, True/False or a date is formatted as that number.
// The custom format of an amount in the region's way: symbol before or after, negative in parentheses or with
// a sign; the C locale gives US English "$#,##0.00;($#,##0.00)".
std::string currencyFormat(const Region& r, std::string_view symbol)
{
    const std::string quoted = "\"" + (symbol.empty() ? r.currency : std::string(symbol)) + "\"";
    const std::string space = r.currencySpace ? " " : "";
    const std::string amount = r.currencyDigits > 0 ? "#,##0." + std::string(r.currencyDigits, '0') : "#,##0";
    const std::string positive = r.currencyFirst ? quoted + space + amount : amount + space + quoted;
    const std::string negative = r.currencyParens                         ? "(" + positive + ")"
                                 : r.currencyFirst && r.signAfterCurrency ? quoted + space + "-" + amount
                                                                          : "-" + positive;
    return positive + ";" + negative;
}

std::optional<double> numberOf(const Args& a)
{
    if (a.type(0) == SQLITE_INTEGER || a.type(0) == SQLITE_FLOAT) return a.number(0);
    const std::string s = a.text(0);
    if (text::equalsIgnoreCase(s, "True")) return -1.0;
    if (text::equalsIgnoreCase(s, "False")) return 0.0;
    if (const auto number = parseAccessNumber(s)) return number;
    return parseAccessDate(s);
}

std::optional<double> dateOf(const Args& a)
{
    if (a.type(0) == SQLITE_TEXT) {
        if (const auto date = parseAccessDate(a.text(0))) return date;
    }
    const auto number = numberOf(a);
    if (number && !inDateRange(*number)) a.overflow();
    return number;
}

void format(Args& a)
{
    const std::string fmt = a.has(1) && !a.isNull(1) ? a.text(1) : std::string();
    const int firstDay = firstDayOfWeek(a, 2), firstWeek = firstWeekOfYear(a, 3);
    Kind kind = customKind(fmt);
    std::string_view custom = fmt;
    std::string currency;
    for (const NamedFormat& named : namedFormats) {
        if (text::equalsIgnoreCase(fmt, named.name)) {
            kind = named.kind;
            custom = named.format;
        }
    }
    if (kind == Kind::Currency) {
        currency = currencyFormat(currentRegion(), custom);
        custom = currency;
        kind = Kind::Number;
    }
    // A text format's second section is for Null and zero-length text; a number format's fourth for Null.
    const std::vector<std::string_view> sections = formatSections(custom);
    const bool textSecond = kind == Kind::Text && sections.size() >= 2;
    if (a.isNull(0)) {
        if (textSecond) return a.setText(formatText("", sections[1]));
        if (const auto nullText = formatNullSection(fmt)) return a.setText(*nullText);
        return fmt.empty() ? a.setNull() : a.setText("");  // a format makes text even of Null
    }
    if (fmt.empty()) return a.setText(a.text(0));

    switch (kind) {
    case Kind::Text: {
        const std::string value = a.text(0);
        if (value.empty()) return a.setText(textSecond ? formatText("", sections[1]) : "");
        return a.setText(formatText(value, sections[0]));
    }
    case Kind::Date:
        if (const auto date = dateOf(a)) return a.setText(formatDate(*date, sections[0], firstDay, firstWeek));
        break;
    case Kind::Percent:  // rounds the percentage as a double, half to even, as FormatPercent does
        if (const auto number = numberOf(a)) {
            const double percentage = *number * 100;
            if (!std::isfinite(percentage)) a.overflow();
            const std::string digits = fixedDigits(percentage, 2, true, false, currentRegion());
            const bool zero = digits.find_first_of("123456789") == std::string::npos;
            return a.setText((percentage < 0 && !zero ? "-" : "") + digits + "%");
        }
        break;
    case Kind::Choice:
        if (const auto number = numberOf(a)) {
            const std::size_t semicolon = custom.find(';');
            return a.setText(*number != 0 ? custom.substr(0, semicolon) : custom.substr(semicolon + 1));
        }
        break;
    case Kind::Currency:  // made a custom number format above
    case Kind::Number:
        if (const auto number = numberOf(a))
            return a.setText(custom.empty() ? numberText(*number) : formatNumber(*number, custom));
        break;
    }
    a.setText(a.text(0));  // text that is no number or date is shown as it is
}

constexpr ScalarEntry entries[] = {{"Format", format}};

}  // namespace

std::span<const ScalarEntry> formatFunctions()
{
    return entries;
}

}  // namespace querimo::sql::functions
