#include "jet/UsageMap.h"

#include "jet/DataPage.h"
#include "jet/TableLayout.h"

namespace querimo::jet {
namespace {

constexpr std::uint8_t inlineMap = 0x00;
constexpr std::uint8_t referenceMap = 0x01;
constexpr std::uint8_t usageMapPageType = 0x05;

void collectBits(ByteView bitmap, std::uint64_t firstPage, std::uint32_t pageCount, std::vector<std::uint32_t>& pages)
{
    for (std::size_t i = 0; i < bitmap.size(); ++i) {
        const std::uint8_t bits = bitmap.u8(i);
        for (int b = 0; bits && b < 8; ++b) {
            const std::uint64_t page = firstPage + i * 8 + b;
            if ((bits & (1u << b)) && page < pageCount)
                pages.push_back(static_cast<std::uint32_t>(page));
        }
    }
}

}  // namespace

std::vector<std::uint32_t> usageMapPages(PageFile& file, const Format& format, std::uint32_t pointer)
{
    const PageRef holder = file.page(pointerPage(pointer));
    const ByteView page(holder->data(), holder->size());
    const int row = pointerRow(pointer);
    if (page.u8(0) != dataPageType || row >= dataRowCount(page, format))
        corrupt("een gebruikskaart verwijst naar een niet-bestaande rij");
    const RowSlot slot = dataRow(page, format, row);
    if (slot.deleted || slot.bytes.size() < 1)
        corrupt("een gebruikskaart ontbreekt");
    const ByteView map = slot.bytes;

    std::vector<std::uint32_t> pages;
    switch (map.u8(0)) {
    case inlineMap:
        collectBits(map.sub(5, map.size() - std::min<std::size_t>(map.size(), 5)), map.u32(1), file.pageCount(), pages);
        break;
    case referenceMap:
        for (std::size_t k = 0; 1 + 4 * k + 4 <= map.size(); ++k) {
            const std::uint32_t mapPage = map.u32(1 + 4 * k);
            if (mapPage == 0)
                continue;
            const PageRef bitsPage = file.page(mapPage);
            const ByteView bits(bitsPage->data(), bitsPage->size());
            if (bits.u8(0) != usageMapPageType)
                corrupt("pagina " + std::to_string(mapPage) + " is geen gebruikskaart");
            collectBits(bits.sub(4, bits.size() - 4), std::uint64_t(k) * format.usageMapPageBits(), file.pageCount(), pages);
        }
        break;
    default:
        corrupt("onbekend soort gebruikskaart");
    }
    return pages;
}

}  // namespace querimo::jet
