#include "jet/pages/PageAllocator.h"

#include <algorithm>
#include <vector>

#include "jet/pages/UsageMapWriter.h"

namespace querimo::jet {
namespace {

// The database's own usage map, row 0 of page 1, marks the pages that are free.
constexpr std::uint32_t globalUsageMap = 1u << 8;

}  // namespace

PageAllocator::PageAllocator(PageFile& file, const Format& format) : file_(file), format_(format) {}

// New pages go at the end of the file. Pages the global map cannot reach count as free for Access, so the
// map is made to reach every page handed out, its own bitmap pages included.
std::uint32_t PageAllocator::allocate()
{
    std::vector<std::uint32_t> pending{file_.append()};
    const auto newMapPage = [&] {
        const std::uint32_t page = file_.append();
        pending.push_back(page);
        return page;
    };
    for (std::size_t i = 0; i < pending.size(); ++i)
        markUsageMap(file_, format_, globalUsageMap, pending[i], false, newMapPage, true);
    return pending.front();
}

// Freed pages are wiped and marked free; Access may use them again.
void PageAllocator::release(std::uint32_t page)
{
    PageBytes& bytes = file_.change(page);
    std::fill(bytes.begin(), bytes.end(), 0);
    markUsageMap(
        file_, format_, globalUsageMap, page, true, [&] { return allocate(); }, true);
}

}  // namespace querimo::jet
