#pragma once
#include <optional>
#include <string_view>

namespace querimo::sql {

// Text to an Access date (days since 30 December 1899), as date literals and CDate read it:
// "12/31/2003", "12/31/2003 13:45", "2003-12-31", "13:45:00", "1:45 PM", "31-Dec-2003", "December 31, 2003".
// Month and day are in US order; a first number above 12 is taken as the day, as Access does.
// Surrounding '#' and spaces are ignored. Nullopt when the text is no valid date in years 100 to 9999.
std::optional<double> parseAccessDate(std::string_view text);

// Text to a number, as Access converts text in arithmetic and CDbl: surrounding spaces, a sign, digits with
// "," grouping, "." decimals, an exponent (E or D), or &H / &O notation. Nullopt when the text is not a number.
std::optional<double> parseAccessNumber(std::string_view text);

// A number as the user types it in the region's form, as values are shown (the C library's LC_NUMERIC):
// its decimal separator, optionally its group separator. Where the decimal separator is "." this is
// parseAccessNumber.
std::optional<double> parseRegionalNumber(std::string_view text);

}  // namespace querimo::sql
