#include "sql/functions/FormatSections.h"

#include <cctype>

namespace querimo::sql::functions {

std::vector<std::string_view> formatSections(std::string_view format)
{
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    for (std::size_t i = 0; i < format.size();) {
        if (format[i] == ';') {
            sections.push_back(format.substr(start, i - start));
            start = ++i;
        } else {
            nextFormatChar(format, i);
        }
    }
    sections.push_back(format.substr(start));
    return sections;
}

namespace {

// [Red], [Color 3]: a colour for the section, which text cannot show.
bool colourAt(std::string_view format, std::size_t i, std::size_t& end)
{
    if (format[i] != '[') return false;
    end = format.find(']', i);
    if (end == std::string_view::npos || end == i + 1) return false;
    for (std::size_t j = i + 1; j < end; ++j)
        if (!std::isalnum(static_cast<unsigned char>(format[j])) && format[j] != ' ') return false;
    return true;
}

}  // namespace

FormatChar nextFormatChar(std::string_view format, std::size_t& i)
{
    if (format[i] == '"') {  // a quoted run; a doubled quote inside it is one quote
        FormatChar quoted{{}, true};
        for (++i; i < format.size(); ++i) {
            if (format[i] != '"') {
                quoted.text += format[i];
            } else if (i + 1 < format.size() && format[i + 1] == '"') {
                quoted.text += '"';
                ++i;
            } else {
                ++i;
                break;
            }
        }
        return quoted;
    }
    std::size_t colourEnd = 0;
    if (colourAt(format, i, colourEnd)) {
        i = colourEnd + 1;
        return {{}, true};
    }
    if (format[i] == '*' && i + 1 < format.size()) {  // fill with the next character: no text of its own
        i += 2;
        while (i < format.size() && (static_cast<unsigned char>(format[i]) & 0xC0) == 0x80) ++i;
        return {{}, true};
    }
    if (format[i] == '\\' && i + 1 < format.size()) {
        std::size_t length = 1;
        while (i + 1 + length < format.size() && (static_cast<unsigned char>(format[i + 1 + length]) & 0xC0) == 0x80)
            ++length;
        FormatChar escaped{std::string(format.substr(i + 1, length)), true};
        i += 1 + length;
        return escaped;
    }
    std::size_t length = 1;
    while (i + length < format.size() && (static_cast<unsigned char>(format[i + length]) & 0xC0) == 0x80) ++length;
    FormatChar plain{std::string(format.substr(i, length)), false};
    i += length;
    return plain;
}

}  // namespace querimo::sql::functions
