#include "sql/functions/CalendarNames.h"

#include <array>

#include "core/Text.h"

namespace querimo::sql {

namespace {

constexpr std::array<std::string_view, 12> months = {"January",   "February", "March",    "April",
                                                     "May",       "June",     "July",     "August",
                                                     "September", "October",  "November", "December"};
constexpr std::array<std::string_view, 7> weekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                      "Thursday", "Friday", "Saturday"};

std::string named(std::string_view full, bool abbreviate)
{
    return std::string(abbreviate ? full.substr(0, 3) : full);
}

}  // namespace

std::string monthName(int month, bool abbreviate)
{
    return named(months.at(month - 1), abbreviate);
}

std::string weekdayName(int weekday, bool abbreviate)
{
    return named(weekdays.at(weekday - 1), abbreviate);
}

int monthFromName(std::string_view lowerCaseName)
{
    for (std::size_t i = 0; i < months.size(); ++i)
        if (text::equalsIgnoreCase(lowerCaseName, months[i])
            || text::equalsIgnoreCase(lowerCaseName, months[i].substr(0, 3)))
            return static_cast<int>(i) + 1;
    return 0;
}

}  // namespace querimo::sql
