#include "core/DateTime.h"

#include <cmath>

namespace querimo::datetime {

namespace {

// Days from 1970-01-01 for a proleptic Gregorian date (Howard Hinnant's algorithm).
long long daysFromEpoch(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromEpoch(long long z, int& y, int& m, int& d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (m <= 2));
}

constexpr long long accessEpoch = -25569;  // 1899-12-30 in days from 1970-01-01

}  // namespace

Civil toCivil(double days)
{
    Civil c;
    // Far outside Access's range (years 100 to 9999) there is no calendar date to give; damaged files do this.
    if (!std::isfinite(days) || std::fabs(days) > 1e7) return c;
    const double whole = std::trunc(days);
    double fraction = std::fabs(days - whole);
    long long seconds = std::llround(fraction * 86400.0);
    long long day = static_cast<long long>(whole);
    if (seconds >= 86400) {  // rounding reached the next midnight
        seconds -= 86400;
        day += days < 0 ? -1 : 1;
    }
    civilFromEpoch(day + accessEpoch, c.year, c.month, c.day);
    c.hour = static_cast<int>(seconds / 3600);
    c.minute = static_cast<int>(seconds / 60 % 60);
    c.second = static_cast<int>(seconds % 60);
    return c;
}

double serialDay(int year, int month, int day)
{
    long long y = year + (month - 1) / 12;
    int m = (month - 1) % 12;
    if (m < 0) {
        m += 12;
        --y;
    }
    return static_cast<double>(daysFromEpoch(y, static_cast<unsigned>(m + 1), 1) - accessEpoch + (day - 1));
}

std::optional<double> fromCivil(const Civil& c)
{
    const double day = serialDay(c.year, c.month, c.day);
    const double time = (c.hour * 3600.0 + c.minute * 60.0 + c.second) / 86400.0;
    const double lowest = serialDay(100, 1, 1), highest = serialDay(9999, 12, 31);
    if (day < lowest || day > highest) return std::nullopt;
    return day < 0 ? day - time : day + time;
}

int weekday(double days)
{
    const long long d = static_cast<long long>(std::floor(days < 0 ? std::trunc(days) : days));
    return static_cast<int>(((d + 6) % 7 + 7) % 7) + 1;  // day 0 (1899-12-30) was a Saturday
}

}  // namespace querimo::datetime
