#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "jet/format/Format.h"
#include "jet/pages/PageFile.h"

namespace querimo::jet {

// The pages a usage map marks, ascending. `pointer` is the row pointer stored in a table definition.
std::vector<std::uint32_t> usageMapPages(PageFile& file, const Format& format, std::uint32_t pointer);
// Visits the pages it marks from the highest down, until visit returns false: a writer looks for room on
// the newest pages first, and stops reading a large map once it found some.
void visitNewestUsageMapPages(PageFile& file, const Format& format, std::uint32_t pointer,
                              const std::function<bool(std::uint32_t)>& visit);

}  // namespace querimo::jet
