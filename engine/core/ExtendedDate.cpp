#include "core/ExtendedDate.h"

#include <cmath>
#include <cstdio>

namespace querimo::datetime {

namespace {

constexpr std::int64_t ticksPerSecond = 10'000'000;
constexpr std::int64_t secondsPerDay = 86'400;

// Days since 1 January of year 1 in the proleptic Gregorian calendar, and back.
std::int64_t daysFromCivil(std::int64_t y, int m, int d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 306;  // 306: days from 1 March of year 0 to 1 January of year 1
}

void civilFromDays(std::int64_t days, std::int64_t& y, int& m, int& d)
{
    const std::int64_t z = days + 306;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    d = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yearOfEra + era * 400 + (m <= 2);
}

bool digits(std::string_view s, std::size_t at, std::size_t count, int& out)
{
    if (at + count > s.size()) return false;
    out = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        out = out * 10 + (s[i] - '0');
    }
    return true;
}

}  // namespace

std::string extendedText(const Extended& e)
{
    std::int64_t y = 0;
    int m = 0, d = 0;
    civilFromDays(e.days, y, m, d);
    char out[96];  // room for any number, though a valid value takes 27 characters
    std::snprintf(out, sizeof out, "%04lld-%02d-%02d %02lld:%02lld:%02lld.%07lld", static_cast<long long>(y), m, d,
                  static_cast<long long>(e.seconds / 3600), static_cast<long long>(e.seconds / 60 % 60),
                  static_cast<long long>(e.seconds % 60), static_cast<long long>(e.ticks));
    return out;
}

std::optional<Extended> parseExtendedText(std::string_view s)
{
    int y = 0, m = 0, d = 0, h = 0, mi = 0, sec = 0;
    if (!digits(s, 0, 4, y) || s.size() < 10 || s[4] != '-' || !digits(s, 5, 2, m) || s[7] != '-'
        || !digits(s, 8, 2, d))
        return std::nullopt;
    std::int64_t ticks = 0;
    if (s.size() > 10) {
        if (s.size() < 19 || s[10] != ' ' || !digits(s, 11, 2, h) || s[13] != ':' || !digits(s, 14, 2, mi)
            || s[16] != ':' || !digits(s, 17, 2, sec))
            return std::nullopt;
        if (s.size() > 19) {
            const std::size_t count = s.size() - 20;
            int fraction = 0;
            if (s[19] != '.' || count < 1 || count > 7 || !digits(s, 20, count, fraction)) return std::nullopt;
            ticks = fraction;
            for (std::size_t i = count; i < 7; ++i) ticks *= 10;
        }
    }
    if (y < 1 || m < 1 || m > 12 || d < 1 || h > 23 || mi > 59 || sec > 59) return std::nullopt;
    const Extended e{daysFromCivil(y, m, d), h * 3600 + mi * 60 + sec, ticks};
    std::int64_t yy = 0;
    int mm = 0, dd = 0;
    civilFromDays(e.days, yy, mm, dd);
    if (mm != m || dd != d) return std::nullopt;  // 31 April and the like
    return e;
}

Extended extendedFromAccessDate(double days)
{
    // The fraction counts forward from midnight also before 1899, as Access stores it.
    const double whole = std::trunc(days);
    const auto milliseconds = static_cast<std::int64_t>(std::llround(std::fabs(days - whole) * secondsPerDay * 1000));
    Extended e;
    e.days = static_cast<std::int64_t>(whole) + daysFromCivil(1899, 12, 30) + milliseconds / (secondsPerDay * 1000);
    e.seconds = milliseconds / 1000 % secondsPerDay;
    e.ticks = milliseconds % 1000 * (ticksPerSecond / 1000);
    return e;
}

}  // namespace querimo::datetime
