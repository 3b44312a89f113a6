#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace querimo::sql::functions {

// A format text split at the ';' that are not quoted or escaped.
std::vector<std::string_view> formatSections(std::string_view format);

// Reads one format character at i: a quoted run (doubled quotes inside it are one quote) or a backslash escape
// becomes literal text (quoted true); a colour such as [Red] and a fill such as *~ become empty literal text;
// anything else is that one character. Advances i.
struct FormatChar {
    std::string text;
    bool quoted;
};
FormatChar nextFormatChar(std::string_view format, std::size_t& i);

}  // namespace querimo::sql::functions
