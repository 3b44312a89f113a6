#pragma once
#include <string>

namespace querimo::sql::functions {

// A number as CStr shows it: up to 15 significant digits (7 for a Single), scientific notation from
// 1E+15 (1E+07) and below 1E-04, "." as decimal point whatever the locale.
std::string numberText(double v, int significantDigits = 15);
// A date as CStr shows it under US settings: "12/31/2003 1:45:00 PM"; no time at midnight, no date on day 0.
std::string dateText(double days);
std::string shortDateText(double days);  // "12/31/2003"
std::string longTimeText(double days);   // "1:45:00 PM"

// Access dates run from 1 January 100 (-657434) to 31 December 9999 (2958465), times of day included.
bool inDateRange(double days);

}  // namespace querimo::sql::functions
