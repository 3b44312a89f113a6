#include "sql/functions/TextFormat.h"

#include <vector>

#include "core/Text.h"
#include "sql/functions/CodePoints.h"
#include "sql/functions/FormatSections.h"

namespace querimo::sql::functions {

std::string formatText(std::string_view value, std::string_view format)
{
    struct Piece {
        std::string literal;
        char placeholder;  // '@', '&' or 0
    };
    std::vector<Piece> pieces;
    bool upper = false, lower = false, leftToRight = false;
    std::size_t placeholders = 0;
    std::string literals;
    for (std::size_t i = 0; i < format.size();) {
        const char c = format[i];
        const FormatChar fc = nextFormatChar(format, i);
        if (!fc.quoted && (c == '@' || c == '&')) {
            pieces.push_back({{}, c});
            ++placeholders;
        } else if (!fc.quoted && (c == '<' || c == '>' || c == '!')) {
            lower = lower || c == '<';
            upper = upper || c == '>';
            leftToRight = leftToRight || c == '!';
        } else {
            pieces.push_back({fc.text, 0});
            literals += fc.text;
        }
    }
    const bool bothCases = upper && lower;  // < and > together change nothing
    std::string cased = bothCases ? std::string(value)
                        : upper   ? text::toUpper(value)
                        : lower   ? text::toLower(value)
                                  : std::string(value);
    if (placeholders == 0) return value.empty() ? literals : cased;

    std::u32string chars = codePoints(cased);
    // Placeholders fill from the right, or from the left after "!". Characters beyond them follow the whole
    // text; after "!" the first ones are dropped instead.
    std::u32string overflow;
    if (chars.size() > placeholders) {
        const std::size_t extra = chars.size() - placeholders;
        if (!leftToRight) overflow = chars.substr(placeholders);
        chars = leftToRight ? chars.substr(extra) : chars.substr(0, placeholders);
    }
    const std::size_t missing = placeholders - chars.size();
    std::string out;
    std::size_t slot = 0, next = 0;
    for (const Piece& p : pieces) {
        if (!p.placeholder) {
            out += p.literal;
            continue;
        }
        const bool empty = leftToRight ? slot >= placeholders - missing : slot < missing;
        if (empty) {
            if (p.placeholder == '@') out += ' ';
        } else {
            out += utf8(std::u32string_view(chars).substr(next++, 1));
        }
        ++slot;
    }
    return out + utf8(overflow);
}

}  // namespace querimo::sql::functions
