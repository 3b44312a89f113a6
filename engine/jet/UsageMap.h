#pragma once
#include <cstdint>
#include <vector>

#include "jet/Format.h"
#include "jet/PageFile.h"

namespace querimo::jet {

// The pages a usage map marks, ascending. `pointer` is the row pointer stored in a table definition.
std::vector<std::uint32_t> usageMapPages(PageFile& file, const Format& format, std::uint32_t pointer);

}  // namespace querimo::jet
