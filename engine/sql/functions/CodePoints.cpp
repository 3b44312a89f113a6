#include "sql/functions/CodePoints.h"

#include "core/Text.h"

namespace querimo::sql::functions {

std::u32string codePoints(std::string_view s)
{
    std::u32string out;
    out.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();) out.push_back(text::decodeUtf8(s, pos));
    return out;
}

std::string utf8(std::u32string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char32_t c : text) text::appendUtf8(out, c);
    return out;
}

std::u32string caseFolded(std::u32string_view text)
{
    std::u32string out(text);
    for (char32_t& c : out) c = text::foldCase(c);
    return out;
}

}  // namespace querimo::sql::functions
