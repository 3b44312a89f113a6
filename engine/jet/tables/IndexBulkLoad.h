#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "jet/pages/PageFile.h"
#include "jet/tables/IndexTree.h"

namespace querimo::jet {

// Lays out a whole index at once from its entries, already in index order (indexEntryBefore): leaves filled
// as full as they go from left to right, as Access fills pages when keys arrive in order, then each level
// above from the one below, until one page is left; that one is written on `root`, which keeps its number.
// The tree has the shape IndexTree keeps (tail rule, sibling links), so later inserts and removals go on from it.
// Far cheaper than inserting entry by entry: every page is laid out once. beforePage runs before each page is
// written, so a statement can be stopped there.
void bulkLoadIndex(PageFile& file, Version version, std::uint32_t root, std::uint32_t definitionPage,
                   const std::vector<IndexEntry>& entries, const IndexPageSource& pages,
                   const std::function<void()>& beforePage);

}  // namespace querimo::jet
