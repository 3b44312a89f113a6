#include "jet/pages/UsageMap.h"

#include <algorithm>

#include "jet/format/UsageMapLayout.h"
#include "jet/rows/DataPage.h"
#include "jet/tables/TableLayout.h"

namespace querimo::jet {
namespace {

// One stretch of a map's bitmap: bit i stands for page firstPage + i.
struct BitmapStretch {
    PageRef holder;  // keeps bits alive
    ByteView bits;
    std::uint64_t firstPage = 0;
};

// The stretches of a map, by ascending first page.
std::vector<BitmapStretch> bitmapStretches(PageFile& file, const Format& format, std::uint32_t pointer)
{
    const PageRef holder = file.page(pointerPage(pointer));
    const ByteView page(holder->data(), holder->size());
    const int row = pointerRow(pointer);
    if (page.u8(0) != dataPageType || row >= dataRowCount(page, format))
        corrupt("een gebruikskaart verwijst naar een niet-bestaande rij");
    const RowSlot slot = dataRow(page, format, row);
    if (slot.deleted || slot.bytes.size() < 1) corrupt("een gebruikskaart ontbreekt");
    const ByteView map = slot.bytes;

    std::vector<BitmapStretch> stretches;
    switch (map.u8(0)) {
    case inlineUsageMap:
        stretches.push_back(
            {holder, map.sub(5, map.size() - std::min<std::size_t>(map.size(), 5)), map.size() >= 5 ? map.u32(1) : 0});
        break;
    case referenceUsageMap:
        for (std::size_t k = 0; 1 + 4 * k + 4 <= map.size(); ++k) {
            const std::uint32_t mapPage = map.u32(1 + 4 * k);
            if (mapPage == 0) continue;
            PageRef bitsPage = file.page(mapPage);
            const ByteView bits(bitsPage->data(), bitsPage->size());
            if (bits.u8(0) != usageMapPageType) corrupt("pagina " + std::to_string(mapPage) + " is geen gebruikskaart");
            stretches.push_back(
                {std::move(bitsPage), bits.sub(4, bits.size() - 4), std::uint64_t(k) * format.usageMapPageBits()});
        }
        break;
    default: corrupt("onbekend soort gebruikskaart");
    }
    return stretches;
}

}  // namespace

std::vector<std::uint32_t> usageMapPages(PageFile& file, const Format& format, std::uint32_t pointer)
{
    const std::uint32_t pageCount = file.pageCount();
    std::vector<std::uint32_t> pages;
    for (const BitmapStretch& stretch : bitmapStretches(file, format, pointer))
        for (std::size_t i = 0; i < stretch.bits.size(); ++i) {
            const std::uint8_t bits = stretch.bits.u8(i);
            for (int b = 0; bits && b < 8; ++b) {
                const std::uint64_t page = stretch.firstPage + i * 8 + static_cast<std::uint64_t>(b);
                if ((bits & (1u << b)) && page < pageCount) pages.push_back(static_cast<std::uint32_t>(page));
            }
        }
    return pages;
}

void visitNewestUsageMapPages(PageFile& file, const Format& format, std::uint32_t pointer,
                              const std::function<bool(std::uint32_t)>& visit)
{
    const std::uint32_t pageCount = file.pageCount();
    const std::vector<BitmapStretch> stretches = bitmapStretches(file, format, pointer);  // ascending
    for (auto stretch = stretches.rbegin(); stretch != stretches.rend(); ++stretch) {
        if (stretch->firstPage >= pageCount) continue;
        // Bits past the file's last page are never set; large maps have thousands of them.
        const std::size_t end = std::min<std::uint64_t>(stretch->bits.size(), (pageCount - stretch->firstPage + 7) / 8);
        for (std::size_t i = end; i-- > 0;) {
            const std::uint8_t bits = stretch->bits.u8(i);
            for (int b = 7; bits && b >= 0; --b) {
                const std::uint64_t page = stretch->firstPage + i * 8 + static_cast<std::uint64_t>(b);
                if ((bits & (1u << b)) && page < pageCount && !visit(static_cast<std::uint32_t>(page))) return;
            }
        }
    }
}

}  // namespace querimo::jet
