#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "jet/Database.h"
#include "jet/tables/IndexKey.h"

namespace querimo::jet {

// Appends the codes of a text value (UTF-8) in a General sort order to key, inverted for a descending column.
// Returns the first character without a code (Jet 3: outside Windows-1252); key is then incomplete.
std::optional<char32_t> appendTextKey(std::string& key, Version version, Collation collation, std::string_view utf8,
                                      bool ascending);

}  // namespace querimo::jet
