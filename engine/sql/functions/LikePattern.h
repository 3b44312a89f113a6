#pragma once
#include <optional>
#include <string_view>

namespace querimo::sql::functions {

// Access's Like: * any run, ? one character, # one digit, [a-z] [!a-z] a character (not) in the list,
// [*] a literal wildcard; letter case is ignored. Nullopt for a pattern with an unclosed '['.
std::optional<bool> likeMatches(std::string_view text, std::string_view pattern);

}  // namespace querimo::sql::functions
