// DateAdd, DateDiff and DatePart with the interval texts "yyyy", "q", "m", "y", "d", "w", "ww", "h", "n", "s".
#include <limits>

#include "core/DateTime.h"
#include "core/Text.h"
#include "sql/functions/DateMath.h"
#include "sql/functions/FunctionFamilies.h"
#include "sql/functions/TextForms.h"

namespace querimo::sql::functions {

namespace {

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Interval interval(const Args& a, int i)
{
    static constexpr std::pair<std::string_view, Interval> names[] = {
        {"yyyy", Interval::Year}, {"q", Interval::Quarter}, {"m", Interval::Month}, {"y", Interval::DayOfYear},
        {"d", Interval::Day},     {"w", Interval::Weekday}, {"ww", Interval::Week}, {"h", Interval::Hour},
        {"n", Interval::Minute},  {"s", Interval::Second}};
    const std::string name = a.text(i);
    for (const auto& [text, value] : names)
        if (text::equalsIgnoreCase(name, text)) return value;
    a.invalidCall();
}

double addMonths(const Args& a, double date, std::int64_t months)
{
    datetime::Civil c = datetime::toCivil(date);
    const std::int64_t month = static_cast<std::int64_t>(c.year) * 12 + (c.month - 1) + months;
    if (month < 100 * 12 || month > 9999 * 12 + 11) a.invalidCall();
    c.year = static_cast<int>(month / 12);
    c.month = static_cast<int>(month % 12) + 1;
    const auto monthLength =
        static_cast<int>(datetime::serialDay(c.year, c.month + 1, 1) - datetime::serialDay(c.year, c.month, 1));
    if (c.day > monthLength) c.day = monthLength;  // 31 January plus a month is 28 February
    const auto result = datetime::fromCivil(c);
    if (!result) a.invalidCall();
    return *result;
}

void dateAdd(Args& a)
{
    const Interval unit = interval(a, 0);
    if (a.isNull(1) || a.isNull(2)) return a.setNull();
    const std::int64_t n =
        a.whole(1, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    const double date = a.date(2);
    std::int64_t seconds = 0;
    switch (unit) {
    case Interval::Year: return a.setDate(addMonths(a, date, n * 12));
    case Interval::Quarter: return a.setDate(addMonths(a, date, n * 3));
    case Interval::Month: return a.setDate(addMonths(a, date, n));
    case Interval::DayOfYear:
    case Interval::Day:
    case Interval::Weekday: seconds = n * 86400; break;
    case Interval::Week: seconds = n * 7 * 86400; break;
    case Interval::Hour: seconds = n * 3600; break;
    case Interval::Minute: seconds = n * 60; break;
    case Interval::Second: seconds = n; break;
    }
    const double result = fromSeconds(secondsOf(date) + seconds);
    if (!inDateRange(result)) a.invalidCall();
    a.setDate(result);
}

// DateDiff counts the boundaries crossed: DateDiff("yyyy", #12/31/2003#, #1/1/2004#) is 1.
void dateDiff(Args& a)
{
    const Interval unit = interval(a, 0);
    const int firstDay = firstDayOfWeek(a, 3);
    firstWeekOfYear(a, 4);
    if (a.isNull(1) || a.isNull(2)) return a.setNull();
    const double from = a.date(1), to = a.date(2);
    const datetime::Civil c1 = datetime::toCivil(from), c2 = datetime::toCivil(to);
    const std::int64_t s1 = secondsOf(from), s2 = secondsOf(to);
    const std::int64_t d1 = dayOf(from), d2 = dayOf(to);
    switch (unit) {
    case Interval::Year: return a.setInteger(c2.year - c1.year);
    case Interval::Quarter:
        return a.setInteger((c2.year * 4 + (c2.month - 1) / 3) - (c1.year * 4 + (c1.month - 1) / 3));
    case Interval::Month: return a.setInteger((c2.year * 12 + c2.month) - (c1.year * 12 + c1.month));
    case Interval::DayOfYear:
    case Interval::Day: return a.setInteger(d2 - d1);
    case Interval::Weekday: return a.setInteger((d2 - d1) / 7);
    case Interval::Week: return a.setInteger((weekStart(d2, firstDay) - weekStart(d1, firstDay)) / 7);
    case Interval::Hour: return a.setInteger(floorDivide(s2, 3600) - floorDivide(s1, 3600));
    case Interval::Minute: return a.setInteger(floorDivide(s2, 60) - floorDivide(s1, 60));
    case Interval::Second: return a.setInteger(s2 - s1);
    }
}

void datePart(Args& a)
{
    const Interval unit = interval(a, 0);
    const int firstDay = firstDayOfWeek(a, 2);
    const int rule = firstWeekOfYear(a, 3);
    if (a.isNull(1)) return a.setNull();
    const double date = a.date(1);
    const datetime::Civil c = datetime::toCivil(date);
    switch (unit) {
    case Interval::Year: return a.setInteger(c.year);
    case Interval::Quarter: return a.setInteger((c.month - 1) / 3 + 1);
    case Interval::Month: return a.setInteger(c.month);
    case Interval::DayOfYear:
        return a.setInteger(dayOf(date) - static_cast<std::int64_t>(datetime::serialDay(c.year, 1, 1)) + 1);
    case Interval::Day: return a.setInteger(c.day);
    case Interval::Weekday: return a.setInteger(weekdayFrom(date, firstDay));
    case Interval::Week: return a.setInteger(weekOfYear(date, firstDay, rule));
    case Interval::Hour: return a.setInteger(c.hour);
    case Interval::Minute: return a.setInteger(c.minute);
    case Interval::Second: return a.setInteger(c.second);
    }
}

constexpr ScalarEntry entries[] = {{"DateAdd", dateAdd}, {"DateDiff", dateDiff}, {"DatePart", datePart}};

}  // namespace

std::span<const ScalarEntry> dateIntervalFunctions()
{
    return entries;
}

}  // namespace querimo::sql::functions
