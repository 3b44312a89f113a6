#pragma once
#include <string>
#include <string_view>

namespace querimo::sql {

// Month and weekday names as Access shows them under US English settings (see Format, MonthName).
std::string monthName(int month, bool abbreviate);      // month 1..12
std::string weekdayName(int weekday, bool abbreviate);  // 1 = Sunday .. 7 = Saturday
// 1..12 for a full or three-letter month name in lower case, 0 otherwise.
int monthFromName(std::string_view lowerCaseName);

}  // namespace querimo::sql
