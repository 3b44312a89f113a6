#include "sql/functions/TextForms.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "core/DateTime.h"

namespace querimo::sql::functions {

std::string numberText(double v, int significantDigits)
{
    if (v == 0) return "0";  // also for -0
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.*G", significantDigits, v);
    std::string text = buffer;
    const char* point = std::localeconv()->decimal_point;  // the form is "." in every region
    if (point && *point && std::string_view(point) != ".")
        if (const std::size_t at = text.find(point); at != std::string::npos) text.replace(at, std::strlen(point), ".");
    return text;
}

std::string shortDateText(double days)
{
    const datetime::Civil c = datetime::toCivil(days);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d/%d/%d", c.month, c.day, c.year);
    return buffer;
}

std::string longTimeText(double days)
{
    const datetime::Civil c = datetime::toCivil(days);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d %s", c.hour % 12 == 0 ? 12 : c.hour % 12, c.minute, c.second,
                  c.hour < 12 ? "AM" : "PM");
    return buffer;
}

std::string dateText(double days)
{
    const datetime::Civil c = datetime::toCivil(days);
    const bool hasTime = c.hour || c.minute || c.second;
    const bool hasDate = !(c.year == 1899 && c.month == 12 && c.day == 30);
    if (!hasDate) return longTimeText(days);
    if (!hasTime) return shortDateText(days);
    return shortDateText(days) + " " + longTimeText(days);
}

bool inDateRange(double days)
{
    return days > -657435.0 && days < 2958466.0;
}

}  // namespace querimo::sql::functions
