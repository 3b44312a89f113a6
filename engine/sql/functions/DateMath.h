#pragma once
#include <cstdint>

#include "sql/functions/FunctionArgs.h"

namespace querimo::sql::functions {

// Access stores times before 30 December 1899 with a negative day but a positive time (-1.25 is 29 December
// 1899 06:00). Arithmetic works on the continuous scale (-0.75 for that moment) and converts back.
double continuousDays(double stored);
double storedDays(double continuous);

// Whole seconds since 30 December 1899 00:00 on the continuous scale.
std::int64_t secondsOf(double stored);
double fromSeconds(std::int64_t seconds);

// The day's serial number (the date without its time).
std::int64_t dayOf(double stored);

// Day of the week, 1 for firstDay (1 = Sunday .. 7 = Saturday).
int weekdayFrom(double stored, int firstDay);

// The optional firstdayofweek argument i: 1 = Sunday .. 7 = Saturday; vbUseSystem (0) is Sunday under US settings.
int firstDayOfWeek(const Args& a, int i);

// The optional firstweekofyear argument i: vbFirstJan1 (1, also 0 under US settings), vbFirstFourDays (2),
// vbFirstFullWeek (3).
int firstWeekOfYear(const Args& a, int i);

std::int64_t floorDivide(std::int64_t a, std::int64_t b);

// The serial of the first day of the week holding day.
std::int64_t weekStart(std::int64_t day, int firstDay);

// Week number for DatePart("ww") and Format("ww"); rule is firstweekofyear: 1 the week of 1 January,
// 2 the first week with four days in the new year, 3 the first full week.
int weekOfYear(double stored, int firstDay, int rule);

}  // namespace querimo::sql::functions
