#include "sql/functions/DateMath.h"

#include <cmath>

#include "core/DateTime.h"

namespace querimo::sql::functions {

std::int64_t floorDivide(std::int64_t a, std::int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

double continuousDays(double stored)
{
    const double day = std::trunc(stored);
    return stored >= 0 ? stored : day + std::fabs(stored - day);
}

double storedDays(double continuous)
{
    const double day = std::floor(continuous);
    const double time = continuous - day;
    return day < 0 ? day - time : day + time;
}

std::int64_t secondsOf(double stored)
{
    return std::llround(continuousDays(stored) * 86400.0);
}

double fromSeconds(std::int64_t seconds)
{
    const std::int64_t day = floorDivide(seconds, 86400);
    return storedDays(static_cast<double>(day) + static_cast<double>(seconds - day * 86400) / 86400.0);
}

std::int64_t dayOf(double stored)
{
    return floorDivide(secondsOf(stored), 86400);
}

int weekdayFrom(double stored, int firstDay)
{
    const int sunday1 = datetime::weekday(static_cast<double>(dayOf(stored)));
    return (sunday1 - firstDay + 7) % 7 + 1;
}

int firstDayOfWeek(const Args& a, int i)
{
    if (!a.has(i) || a.isNull(i)) return 1;
    const std::int64_t day = a.whole(i, -32768, 32767);
    if (day < 0 || day > 7) a.invalidArgument(i);
    return day == 0 ? 1 : static_cast<int>(day);
}

int firstWeekOfYear(const Args& a, int i)
{
    if (!a.has(i) || a.isNull(i)) return 1;
    const std::int64_t rule = a.whole(i, -32768, 32767);
    if (rule < 0 || rule > 3) a.invalidArgument(i);
    return rule == 0 ? 1 : static_cast<int>(rule);
}

std::int64_t weekStart(std::int64_t day, int firstDay)
{
    return day - (weekdayFrom(static_cast<double>(day), firstDay) - 1);
}

namespace {

std::int64_t firstDayOfWeekOne(int year, int firstDay, int rule)
{
    const auto january1 = static_cast<std::int64_t>(datetime::serialDay(year, 1, 1));
    const std::int64_t start = weekStart(january1, firstDay);
    switch (rule) {
    case 2: return january1 - start <= 3 ? start : start + 7;  // at least four days in the new year
    case 3: return start == january1 ? start : start + 7;      // a full week
    default: return start;
    }
}

}  // namespace

int weekOfYear(double date, int firstDay, int rule)
{
    const std::int64_t day = dayOf(date);
    int year = datetime::toCivil(date).year;
    if (day >= firstDayOfWeekOne(year + 1, firstDay, rule))
        ++year;
    else if (day < firstDayOfWeekOne(year, firstDay, rule))
        --year;
    return static_cast<int>((weekStart(day, firstDay) - firstDayOfWeekOne(year, firstDay, rule)) / 7 + 1);
}

}  // namespace querimo::sql::functions
