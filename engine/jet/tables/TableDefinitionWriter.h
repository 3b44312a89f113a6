#pragma once
#include <cstdint>
#include <vector>

#include "jet/format/Format.h"
#include "jet/pages/PageFile.h"
#include "jet/tables/TableLayout.h"

namespace querimo::jet {

// The definition of `table` as one run of bytes, the way readTableDefinition reads it back: the first page's
// header included, later pages' headers left out. Every field comes from the layout.
std::vector<std::uint8_t> encodeTableDefinition(const Format& format, const TableLayout& table);

// How many pages a definition of `length` bytes takes.
std::size_t definitionPageCount(const Format& format, std::size_t length);

// The definition laid out over the pages `numbers` (definitionPageCount of them), each linked to the next.
std::vector<PageBytes> definitionPages(const Format& format, const std::vector<std::uint8_t>& definition,
                                       const std::vector<std::uint32_t>& numbers);

}  // namespace querimo::jet

namespace querimo::jet {

// The pages a stored definition takes, in link order.
std::vector<std::uint32_t> definitionPageChain(PageFile& file, std::uint32_t first);

}  // namespace querimo::jet
