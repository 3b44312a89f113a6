#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Date/Time Extended (Access 2019): years 1 to 9999 in steps of 100 nanoseconds. Values travel as the text
// "yyyy-mm-dd hh:mm:ss.fffffff", which keeps every digit and sorts as the dates do.
namespace querimo::datetime {

struct Extended {
    std::int64_t days = 0;     // since 1 January of year 1
    std::int64_t seconds = 0;  // since midnight
    std::int64_t ticks = 0;    // 100-nanosecond steps within the second
};

std::string extendedText(const Extended& e);
// "yyyy-mm-dd", optionally followed by " hh:mm:ss" and "." with one to seven digits; nullopt for anything else
// or a date that does not exist.
std::optional<Extended> parseExtendedText(std::string_view text);
// An Access date (days since 30 December 1899), to the millisecond it can hold.
Extended extendedFromAccessDate(double days);

}  // namespace querimo::datetime
