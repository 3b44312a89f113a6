// Format(expression [, format [, firstdayofweek [, firstweekofyear]]]) with the named and custom formats.
#include <optional>

#include "core/Text.h"
#include "sql/functions/DateFormat.h"
#include "sql/functions/DateMath.h"
#include "sql/functions/DateParse.h"
#include "sql/functions/FormatSections.h"
#include "sql/functions/FunctionFamilies.h"
#include "sql/functions/NumberFormat.h"
#include "sql/functions/TextFormat.h"
#include "sql/functions/TextForms.h"

namespace querimo::sql::functions {

namespace {

enum class Kind { Number, Date, Text, Choice };

struct NamedFormat {
    std::string_view name;
    Kind kind;
    std::string_view format;  // the custom equivalent; for Choice "true text;false text"
};

// US English settings: "$", "," grouping, "." decimals, month/day/year.
constexpr NamedFormat namedFormats[] = {
    {"General Number", Kind::Number, ""},
    {"Currency", Kind::Number, "$#,##0.00;($#,##0.00)"},
    {"Fixed", Kind::Number, "0.00"},
    {"Standard", Kind::Number, "#,##0.00"},
    {"Percent", Kind::Number, "0.00%"},
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

// A custom format is a number format when it has digit placeholders, a text format when it has
// @ & < > ! and no digits, else a date format when it has date letters.
Kind customKind(std::string_view format)
{
    bool number = false, text = false, date = false;
    for (std::size_t i = 0; i < format.size();) {
        const char c = format[i];
        if (nextFormatChar(format, i).quoted) continue;
        number = number || c == '0' || c == '#';
        text = text || c == '@' || c == '&' || c == '<' || c == '>' || c == '!';
        date = date || std::string_view("dDwWmMqQyYhHnNsScCtT").find(c) != std::string_view::npos;
    }
    if (number) return Kind::Number;
    if (text) return Kind::Text;
    return date ? Kind::Date : Kind::Number;
}

std::optional<double> numberOf(const Args& a)
{
    if (a.type(0) == SQLITE_INTEGER || a.type(0) == SQLITE_FLOAT) return a.number(0);
    return parseAccessNumber(a.text(0));
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
    if (a.isNull(0)) {
        if (const auto nullText = formatNullSection(fmt)) return a.setText(*nullText);
        return a.setNull();
    }
    if (fmt.empty()) return a.setText(a.text(0));

    Kind kind = customKind(fmt);
    std::string_view custom = fmt;
    for (const NamedFormat& named : namedFormats) {
        if (text::equalsIgnoreCase(fmt, named.name)) {
            kind = named.kind;
            custom = named.format;
        }
    }
    switch (kind) {
    case Kind::Text: return a.setText(formatText(a.text(0), custom));
    case Kind::Date:
        if (const auto date = dateOf(a)) return a.setText(formatDate(*date, custom, firstDay, firstWeek));
        break;
    case Kind::Choice:
        if (const auto number = numberOf(a)) {
            const std::size_t semicolon = custom.find(';');
            return a.setText(*number != 0 ? custom.substr(0, semicolon) : custom.substr(semicolon + 1));
        }
        break;
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
