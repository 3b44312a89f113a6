#pragma once
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace querimo::sql::functions {

// Access's Like: * any run, ? one character, # one digit, [a-z] [!a-z] a character (not) in the list,
// [*] a literal wildcard; letter case is ignored. Compiled once per statement when the pattern is constant.
class LikePattern {
public:
    // Nullopt for a pattern with an unclosed '['.
    static std::optional<LikePattern> compile(std::string_view pattern);
    bool matches(std::string_view text) const;

    struct Element {
        enum Kind { AnyRun, AnyOne, Digit, Set } kind;
        bool negated = false;
        std::vector<std::pair<char32_t, char32_t>> ranges = {};  // folded; a literal is a range of one
    };

private:
    std::vector<Element> elements_;
};

}  // namespace querimo::sql::functions
