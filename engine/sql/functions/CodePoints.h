#pragma once
#include <string>
#include <string_view>

namespace querimo::sql::functions {

// Text functions count characters, not bytes: they work on decoded code points.
std::u32string codePoints(std::string_view utf8);
std::string utf8(std::u32string_view text);
std::u32string caseFolded(std::u32string_view text);

}  // namespace querimo::sql::functions
