#include "sql/functions/LikePattern.h"

#include <vector>

#include "core/Text.h"

namespace querimo::sql::functions {

namespace {

using Element = LikePattern::Element;

std::vector<char32_t> foldedCodePoints(std::string_view s)
{
    std::vector<char32_t> out;
    for (std::size_t pos = 0; pos < s.size();) out.push_back(text::foldCase(text::decodeUtf8(s, pos)));
    return out;
}

}  // namespace

std::optional<LikePattern> LikePattern::compile(std::string_view pattern)
{
    const std::vector<char32_t> p = foldedCodePoints(pattern);
    std::vector<Element> elements;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] == '*') {
            if (elements.empty() || elements.back().kind != Element::AnyRun) elements.push_back({Element::AnyRun});
        } else if (p[i] == '?') {
            elements.push_back({Element::AnyOne});
        } else if (p[i] == '#') {
            elements.push_back({Element::Digit});
        } else if (p[i] == '[') {
            Element set{Element::Set};
            std::size_t j = i + 1;
            if (j < p.size() && p[j] == '!' && j + 1 < p.size() && p[j + 1] != ']') {
                set.negated = true;
                ++j;
            }
            for (; j < p.size() && p[j] != ']'; ++j) {
                if (j + 2 < p.size() && p[j + 1] == '-' && p[j + 2] != ']') {
                    set.ranges.emplace_back(p[j], p[j + 2]);
                    j += 2;
                } else {
                    set.ranges.emplace_back(p[j], p[j]);
                }
            }
            if (j == p.size()) return std::nullopt;
            if (!set.ranges.empty()) elements.push_back(std::move(set));  // "[]" stands for nothing
            i = j;
        } else {
            elements.push_back({Element::Set, false, {{p[i], p[i]}}});
        }
    }
    LikePattern compiled;
    compiled.elements_ = std::move(elements);
    return compiled;
}

namespace {

bool matchesOne(const Element& e, char32_t c)
{
    switch (e.kind) {
    case Element::AnyOne: return true;
    case Element::Digit: return c >= '0' && c <= '9';
    case Element::Set: {
        bool inSet = false;
        for (const auto& [low, high] : e.ranges) inSet = inSet || (c >= low && c <= high);
        return inSet != e.negated;
    }
    case Element::AnyRun: break;
    }
    return false;
}

}  // namespace

bool LikePattern::matches(std::string_view textValue) const
{
    const std::vector<Element>& elements = elements_;
    const std::vector<char32_t> s = foldedCodePoints(textValue);

    // Greedy matching that returns to the last '*' on a mismatch: linear in practice, never exponential.
    std::size_t si = 0, ei = 0;
    std::size_t starElement = std::string_view::npos, starText = 0;
    while (si < s.size()) {
        if (ei < elements.size() && elements[ei].kind == Element::AnyRun) {
            starElement = ei++;
            starText = si;
        } else if (ei < elements.size() && matchesOne(elements[ei], s[si])) {
            ++ei;
            ++si;
        } else if (starElement != std::string_view::npos) {
            ei = starElement + 1;
            si = ++starText;
        } else {
            return false;
        }
    }
    while (ei < elements.size() && elements[ei].kind == Element::AnyRun) ++ei;
    return ei == elements.size();
}

}  // namespace querimo::sql::functions
