// RGB and QBColor: colour numbers as Access stores them (red in the low byte).
#include <limits>

#include "sql/functions/FunctionFamilies.h"

namespace querimo::sql::functions {

namespace {

// A colour part above 255 counts as 255; a negative one is an error.
std::int64_t part(const Args& a, int i)
{
    const std::int64_t v = a.whole(i, -32768, 32767);
    if (v < 0) a.invalidArgument(i);
    return v > 255 ? 255 : v;
}

void rgb(Args& a)
{
    a.setInteger(part(a, 0) + part(a, 1) * 256 + part(a, 2) * 65536);
}

// The 16 colours of the old QuickBasic palette, by number.
void qbColor(Args& a)
{
    static constexpr std::int64_t palette[] = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
    };
    const std::int64_t n = a.whole(0, -32768, 32767);
    if (n < 0 || n > 15) a.invalidArgument(0);
    a.setInteger(palette[n]);
}

constexpr ScalarEntry entries[] = {{"RGB", rgb}, {"QBColor", qbColor}};

}  // namespace

std::span<const ScalarEntry> colourFunctions()
{
    return entries;
}

}  // namespace querimo::sql::functions
