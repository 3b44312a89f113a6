// Partition(number, start, stop, interval): the range of a series that number falls in, as text that sorts.
#include <algorithm>
#include <limits>

#include "sql/functions/FunctionFamilies.h"

namespace querimo::sql::functions {

namespace {

constexpr std::int64_t longMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t longMax = std::numeric_limits<std::int32_t>::max();

// Each bound is right-aligned to the width of stop + 1, so the texts sort in the order of their ranges.
std::string padded(std::int64_t bound, std::size_t width, bool present)
{
    const std::string digits = present ? std::to_string(bound) : std::string();
    return std::string(width > digits.size() ? width - digits.size() : 0, ' ') + digits;
}

void partition(Args& a)
{
    if (a.anyNull()) return a.setNull();
    const std::int64_t number = a.whole(0, longMin, longMax), start = a.whole(1, longMin, longMax);
    const std::int64_t stop = a.whole(2, longMin, longMax), interval = a.whole(3, longMin, longMax);
    if (start < 0) a.invalidArgument(1);
    if (stop <= start) a.invalidArgument(2);
    if (interval < 1) a.invalidArgument(3);
    const std::size_t width = std::max(std::to_string(stop + 1).size(), std::to_string(start - 1).size());
    std::int64_t lower, upper;
    bool hasLower = true, hasUpper = true;
    if (interval == 1) {
        lower = upper = number;
    } else if (number < start) {
        lower = 0;
        upper = start - 1;
        hasLower = false;
    } else if (number > stop) {
        lower = stop + 1;
        upper = 0;
        hasUpper = false;
    } else {
        lower = start + (number - start) / interval * interval;
        upper = std::min(lower + interval - 1, stop);
    }
    a.setText(padded(lower, width, hasLower) + ":" + padded(upper, width, hasUpper));
}

constexpr ScalarEntry entries[] = {{"Partition", partition}};

}  // namespace

std::span<const ScalarEntry> partitionFunctions()
{
    return entries;
}

}  // namespace querimo::sql::functions
