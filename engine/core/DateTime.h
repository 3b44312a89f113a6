#pragma once
#include <optional>

namespace querimo::datetime {

// An Access date: days since 30 December 1899; the fraction is the time of day. For negative values the
// fraction still counts forward from midnight (-1.25 is 29 December 1899, 06:00), as Access stores them.
struct Civil {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};

Civil toCivil(double days);
// Nullopt when the date falls outside Access's range (years 100 to 9999). Month and day may overflow
// (month 13 is January of the next year), as DateSerial allows.
std::optional<double> fromCivil(const Civil& c);
double serialDay(int year, int month, int day);  // no range check; month/day may overflow
int weekday(double days);                        // 1 = Sunday .. 7 = Saturday

}  // namespace querimo::datetime
