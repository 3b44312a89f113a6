#include "sql/functions/DateMath.h"

#include <cmath>

#include "core/DateTime.h"

namespace querimo::sql::functions {

std::int64_t floorDivide(std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

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

std::int64_t secondsOf(double stored) { return std::llround(continuousDays(stored) * 86400.0); }

double fromSeconds(std::int64_t seconds)
{
    const std::int64_t day = floorDivide(seconds, 86400);
    return storedDays(static_cast<double>(day) + static_cast<double>(seconds - day * 86400) / 86400.0);
}

std::int64_t dayOf(double stored) { return floorDivide(secondsOf(stored), 86400); }

int weekdayFrom(double stored, int firstDay)
{
    const int sunday1 = datetime::weekday(static_cast<double>(dayOf(stored)));
    return (sunday1 - firstDay + 7) % 7 + 1;
}

int firstDayOfWeek(const Args& a, int i)
{
    if (!a.has(i) || a.isNull(i)) return 1;
    const std::int64_t day = a.whole(i, -32768, 32767);
    if (day < 0 || day > 7) a.invalidCall();
    return day == 0 ? 1 : static_cast<int>(day);
}

}  // namespace querimo::sql::functions
