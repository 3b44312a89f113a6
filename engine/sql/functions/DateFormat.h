#pragma once
#include <string>
#include <string_view>

namespace querimo::sql::functions {

// Format a date with a custom date format: d dd ddd dddd ddddd dddddd w ww m mm mmm mmmm q y yy yyyy
// h hh n nn s ss ttttt c, AM/PM am/pm A/P a/p AMPM, / and :, quoted and escaped text. US names and separators.
// m and mm show minutes right after h or hh, or right before s or ss.
std::string formatDate(double date, std::string_view format, int firstDayOfWeek, int firstWeekOfYear);

}  // namespace querimo::sql::functions
