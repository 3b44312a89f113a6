#include "jet/pages/UsageMapWriter.h"

#include <vector>

#include "jet/format/UsageMapLayout.h"
#include "jet/pages/LittleEndian.h"
#include "jet/rows/DataPage.h"
#include "jet/tables/TableLayout.h"

namespace querimo::jet {
namespace {

constexpr std::size_t inlineBitsStart = 5;
constexpr std::size_t mapPageBitsStart = 4;

void setBit(std::uint8_t* bits, std::uint64_t index, bool on)
{
    const auto mask = static_cast<std::uint8_t>(1u << (index % 8));
    bits[index / 8] = on ? (bits[index / 8] | mask) : (bits[index / 8] & ~mask);
}

// The map row inside its (changed) page: where it starts and how long it is.
struct MapRow {
    std::uint8_t* bytes;
    std::size_t size;
};

MapRow mapRow(PageFile& file, const Format& format, std::uint32_t map)
{
    PageBytes& holder = file.change(pointerPage(map));
    const ByteView page(holder.data(), holder.size());
    if (page.u8(0) != dataPageType || pointerRow(map) >= dataRowCount(page, format))
        corrupt("een gebruikskaart verwijst naar een niet-bestaande rij");
    const RowSlot slot = dataRow(page, format, pointerRow(map));
    if (slot.deleted || slot.bytes.size() < inlineBitsStart) corrupt("een gebruikskaart ontbreekt");
    return {holder.data() + (slot.bytes.data() - page.data()), slot.bytes.size()};
}

void markReference(PageFile& file, const Format& format, std::uint32_t map, std::uint32_t page, bool on,
                   const std::function<std::uint32_t()>& newMapPage)
{
    const std::size_t perPage = format.usageMapPageBits();
    const std::size_t slot = 1 + 4 * (page / perPage);
    MapRow row = mapRow(file, format, map);
    if (slot + 4 > row.size) corrupt("de gebruikskaart kan pagina " + std::to_string(page) + " niet bevatten");
    std::uint32_t bitsPage = ByteView(row.bytes, row.size).u32(slot);
    if (bitsPage == 0) {
        if (!on) return;
        bitsPage = newMapPage();
        PageBytes& fresh = file.change(bitsPage);
        std::fill(fresh.begin(), fresh.end(), 0);
        fresh[0] = usageMapPageType;
        fresh[1] = 0x01;
        row = mapRow(file, format, map);  // the new page may have moved the map's page in memory
        store32(row.bytes + slot, bitsPage);
    }
    PageBytes& bits = file.change(bitsPage);
    if (bits[0] != usageMapPageType) corrupt("pagina " + std::to_string(bitsPage) + " is geen gebruikskaart");
    setBit(bits.data() + mapPageBitsStart, page % perPage, on);
}

// The pages an inline map marks, then the map rewritten as a reference map that marks the same.
void makeReference(PageFile& file, const Format& format, std::uint32_t map,
                   const std::function<std::uint32_t()>& newMapPage)
{
    MapRow row = mapRow(file, format, map);
    const std::uint32_t start = ByteView(row.bytes, row.size).u32(1);
    std::vector<std::uint32_t> marked;
    for (std::size_t i = 0; i < (row.size - inlineBitsStart) * 8; ++i)
        if (row.bytes[inlineBitsStart + i / 8] & (1u << (i % 8)))
            marked.push_back(start + static_cast<std::uint32_t>(i));
    std::fill(row.bytes, row.bytes + row.size, 0);
    row.bytes[0] = referenceUsageMap;
    for (std::uint32_t page : marked) markReference(file, format, map, page, true, newMapPage);
}

}  // namespace

void markUsageMap(PageFile& file, const Format& format, std::uint32_t map, std::uint32_t page, bool on,
                  const std::function<std::uint32_t()>& newMapPage, bool recordOutside)
{
    MapRow row = mapRow(file, format, map);
    switch (row.bytes[0]) {
    case inlineUsageMap: {
        const std::uint32_t start = ByteView(row.bytes, row.size).u32(1);
        const std::uint64_t reach = (row.size - inlineBitsStart) * 8;
        if (page >= start && page - start < reach) {
            setBit(row.bytes + inlineBitsStart, page - start, on);
            return;
        }
        if (!on && !recordOutside) return;
        makeReference(file, format, map, newMapPage);
        if (recordOutside && !on)  // pages the inline map could not reach counted as free; now they do not
            return;
        markReference(file, format, map, page, on, newMapPage);
        return;
    }
    case referenceUsageMap: markReference(file, format, map, page, on, newMapPage); return;
    default: corrupt("onbekend soort gebruikskaart");
    }
}

}  // namespace querimo::jet
