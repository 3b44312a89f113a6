#pragma once
#include <string>
#include <string_view>

namespace querimo::sql::functions {

// Format text with @ (a character or a space) and & (a character or nothing), filled from the right
// unless the format holds '!'; < and > turn the text to lower or upper case. Other characters are literal.
std::string formatText(std::string_view value, std::string_view format);

}  // namespace querimo::sql::functions
