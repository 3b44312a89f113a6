#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "jet/Database.h"

namespace querimo::jet {

// Appends the General sort order codes of a text value (UTF-8) to key, inverted for a descending column.
// Returns the first character without a code (Jet 3: outside Windows-1252); key is then incomplete.
std::optional<char32_t> appendTextKey(std::string& key, Version version, std::string_view utf8, bool ascending);

}  // namespace querimo::jet
