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
    for (std::size_t i = 0; i < format.size();) {
        const char c = format[i];
        const FormatChar fc = nextFormatChar(format, i);
        if (!fc.quoted && (c == '@' || c == '&')) {
            pieces.push_back({{}, c});
            ++placeholders;
        } else if (!fc.quoted && (c == '<' || c == '>' || c == '!')) {
            lower = c == '<' || (lower && c == '!');
            upper = c == '>' || (upper && c == '!');
            leftToRight = leftToRight || c == '!';
        } else {
            pieces.push_back({fc.text, 0});
        }
    }
    std::string cased = upper ? text::toUpper(value) : lower ? text::toLower(value) : std::string(value);
    if (placeholders == 0) return cased;

    const std::u32string chars = codePoints(cased);
    // Characters left over beyond the placeholders go with the first (right to left) or the last one.
    const std::size_t extra = chars.size() > placeholders ? chars.size() - placeholders : 0;
    const std::size_t missing = placeholders > chars.size() ? placeholders - chars.size() : 0;
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
            const std::size_t take =
                (!leftToRight && next == 0) || (leftToRight && slot == placeholders - 1) ? 1 + extra : 1;
            out += utf8(std::u32string_view(chars).substr(next, take));
            next += take;
        }
        ++slot;
    }
    return out;
}

}  // namespace querimo::sql::functions
