// Date, Time, Now, the date parts, names, DateSerial, TimeSerial, DateValue and TimeValue.
#include <ctime>
#include <limits>

#include "core/DateTime.h"
#include "sql/functions/CalendarNames.h"
#include "sql/functions/DateMath.h"
#include "sql/functions/FunctionFamilies.h"
#include "sql/functions/TextForms.h"

namespace querimo::sql::functions {

namespace {

constexpr std::int64_t integerMin = -32768, integerMax = 32767;

datetime::Civil localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

double timeOfDay(const datetime::Civil& c)
{
    return (c.hour * 3600 + c.minute * 60 + c.second) / 86400.0;
}

void today(Args& a)
{
    const datetime::Civil c = localNow();
    a.setDate(datetime::serialDay(c.year, c.month, c.day));
}

void timeNow(Args& a)
{
    a.setDate(timeOfDay(localNow()));
}

void now(Args& a)
{
    const datetime::Civil c = localNow();
    a.setDate(datetime::serialDay(c.year, c.month, c.day) + timeOfDay(c));
}

// Seconds since midnight.
void timer(Args& a)
{
    a.setSingle(timeOfDay(localNow()) * 86400);
}

template <int datetime::Civil::*part>
void civilPart(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    a.setInteger(datetime::toCivil(a.date(0)).*part);
}

void weekday(Args& a)
{
    if (a.isNull(0)) return a.setNull();
    a.setInteger(weekdayFrom(a.date(0), firstDayOfWeek(a, 1)));
}

void weekdayNameFunction(Args& a)
{
    const std::int64_t day = a.whole(0, integerMin, integerMax);
    const bool abbreviate = a.has(1) && a.truth(1);
    const int first = firstDayOfWeek(a, 2);
    if (day < 1 || day > 7) a.invalidArgument(0);
    a.setText(weekdayName(static_cast<int>((day - 1 + first - 1) % 7) + 1, abbreviate));
}

void monthNameFunction(Args& a)
{
    const std::int64_t month = a.whole(0, integerMin, integerMax);
    if (month < 1 || month > 12) a.invalidArgument(0);
    a.setText(monthName(static_cast<int>(month), a.has(1) && a.truth(1)));
}

// Years 0-29 are 2000-2029 and 30-99 are 1930-1999; months and days may run over into the next unit.
void dateSerial(Args& a)
{
    if (a.anyNull()) return a.setNull();
    std::int64_t year = a.whole(0, integerMin, integerMax);
    const std::int64_t month = a.whole(1, integerMin, integerMax), day = a.whole(2, integerMin, integerMax);
    if (year >= 0 && year < 30)
        year += 2000;
    else if (year >= 30 && year < 100)
        year += 1900;
    const double serial = datetime::serialDay(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day));
    if (!inDateRange(serial)) a.invalidCall();
    a.setDate(serial);
}

void timeSerial(Args& a)
{
    if (a.anyNull()) return a.setNull();
    const std::int64_t seconds = a.whole(0, integerMin, integerMax) * 3600 + a.whole(1, integerMin, integerMax) * 60
                                 + a.whole(2, integerMin, integerMax);
    a.setDate(fromSeconds(seconds));
}

void dateValue(Args& a)
{
    a.setDate(static_cast<double>(dayOf(a.date(0))));
}

void timeValue(Args& a)
{
    const double date = a.date(0);
    a.setDate(static_cast<double>(secondsOf(date) - dayOf(date) * 86400) / 86400.0);
}

constexpr ScalarEntry entries[] = {
    {"Date", today, 0, {}, false},
    {"Time", timeNow, 0, {}, false},
    {"Now", now, 0, {}, false},
    {"Timer", timer, 0, {}, false},
    {"Year", civilPart<&datetime::Civil::year>},
    {"Month", civilPart<&datetime::Civil::month>},
    {"Day", civilPart<&datetime::Civil::day>},
    {"Hour", civilPart<&datetime::Civil::hour>},
    {"Minute", civilPart<&datetime::Civil::minute>},
    {"Second", civilPart<&datetime::Civil::second>},
    {"Weekday", weekday},
    {"WeekdayName", weekdayNameFunction},
    {"MonthName", monthNameFunction},
    {"DateSerial", dateSerial},
    {"TimeSerial", timeSerial},
    {"DateValue", dateValue},
    {"TimeValue", timeValue},
};

}  // namespace

std::span<const ScalarEntry> dateFunctions()
{
    return entries;
}

}  // namespace querimo::sql::functions
