#include "sql/functions/FormatSections.h"

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

FormatChar nextFormatChar(std::string_view format, std::size_t& i)
{
    if (format[i] == '"') {
        const std::size_t end = format.find('"', i + 1);
        const std::size_t stop = end == std::string_view::npos ? format.size() : end;
        FormatChar quoted{std::string(format.substr(i + 1, stop - i - 1)), true};
        i = end == std::string_view::npos ? format.size() : end + 1;
        return quoted;
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
