#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace querimo::sql::functions {

// Format with a custom number format: 0 # . , % E+ E- e+ e-, literal and quoted text, and up to four
// sections (positive;negative;zero;Null). Rounds half away from zero, as Format does. "." and "," show as the
// region's decimal and group separators.
std::string formatNumber(double value, std::string_view format);

// The text of the fourth (Null) section; nullopt when the format has none.
std::optional<std::string> formatNullSection(std::string_view format);

}  // namespace querimo::sql::functions
