#pragma once
#include <cstdint>
#include <functional>

#include "jet/format/Format.h"
#include "jet/pages/PageFile.h"

namespace querimo::jet {

// Changes one page's bit in the usage map that the row pointer `map` leads to (see UsageMap.h).
// An inline map that cannot reach the page becomes a reference map; `newMapPage` hands out an empty page
// for each bitmap page a reference map needs. Clearing a bit the map cannot reach is nothing to do unless
// `recordOutside` (the global map counts pages outside its reach as free).
void markUsageMap(PageFile& file, const Format& format, std::uint32_t map, std::uint32_t page, bool on,
                  const std::function<std::uint32_t()>& newMapPage, bool recordOutside = false);

}  // namespace querimo::jet
