#include "jet/tables/sortorder/SortOrder.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace querimo::jet::sortorder {

namespace {

using enum Kind;

// Characters in a row whose text codes rise by step from one to the next and share everything else.
struct Run {
    char16_t first;
    std::uint16_t count;
    Kind kind;
    std::uint8_t positions;
    std::uint8_t textLength;
    std::uint64_t text;
    std::uint8_t step;
    std::uint32_t accents;
    std::uint8_t accentLength;
    std::uint8_t kana;
};

constexpr Run legacyRuns[] = {
#include "jet/tables/sortorder/GeneralLegacy.inc"
};

constexpr Run newerRuns[] = {
#include "jet/tables/sortorder/General2010.inc"
};

constexpr std::array<Codes97, 256> codes97 = {{
#include "jet/tables/sortorder/General97.inc"
}};

template <std::size_t N>
LegacyCodes codesOf(const Run (&runs)[N], char16_t unit)
{
    // The runs cover every unit from U+0000 to U+FFFF, so the last run starting at or before it holds it.
    const auto* after = std::upper_bound(std::begin(runs), std::end(runs), unit,
                                         [](char16_t u, const Run& run) { return u < run.first; });
    const Run& run = *std::prev(after);
    return {run.kind,         run.positions,
            run.textLength,   run.text + static_cast<std::uint64_t>(unit - run.first) * run.step,
            run.accentLength, run.accents,
            run.kana};
}

}  // namespace

LegacyCodes generalLegacy(char16_t unit)
{
    return codesOf(legacyRuns, unit);
}

LegacyCodes general2010(char16_t unit)
{
    return codesOf(newerRuns, unit);
}

const Codes97& general97(unsigned char byte)
{
    return codes97[byte];
}

}  // namespace querimo::jet::sortorder
