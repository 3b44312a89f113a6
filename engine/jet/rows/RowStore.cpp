#include "jet/rows/RowStore.h"

#include <algorithm>
#include <optional>

#include "jet/pages/LittleEndian.h"
#include "jet/pages/UsageMap.h"
#include "jet/pages/UsageMapWriter.h"
#include "jet/rows/DataPage.h"
#include "jet/rows/DataPageWriter.h"

namespace querimo::jet {
namespace {

// Pages of the free-space map tried before a new page is taken; one that cannot take the row leaves the map.
constexpr int pagesTried = 3;

}  // namespace

RowStore::RowStore(PageFile& file, const Format& format, PageAllocator& pages, TableLayout& table)
    : file_(file), format_(format), pages_(pages), table_(table)
{}

RowStore::Place RowStore::locate(RowId row)
{
    const auto missing = [&] {
        return DbError(errc::fail,
                       "De rij " + std::to_string(row) + " bestaat niet (meer) in de tabel '" + table_.def.name + "'.");
    };
    const std::uint32_t number = pointerPage(row);
    if (number >= file_.pageCount()) throw missing();
    const PageRef holder = file_.page(number);
    const ByteView page(holder->data(), holder->size());
    if (page.u8(0) != dataPageType || page.u32(format_.dataOwnerOffset) != table_.def.definitionPage
        || pointerRow(row) >= dataRowCount(page, format_))
        throw missing();
    const RowSlot slot = dataRow(page, format_, pointerRow(row));
    if (slot.deleted) throw missing();
    Place place{number, pointerRow(row), slot.overflow, 0};
    if (slot.overflow) {
        place.target = slot.bytes.u32(0);
        if (pointerPage(place.target) >= file_.pageCount())
            corrupt("een verplaatste rij verwijst naar een ongeldige plaats");
    }
    return place;
}

std::string RowStore::read(RowId row)
{
    const Place at = locate(row);
    const std::uint32_t pointer = at.overflow ? at.target : row;
    const PageRef holder = file_.page(pointerPage(pointer));
    const ByteView page(holder->data(), holder->size());
    if (page.u8(0) != dataPageType || pointerRow(pointer) >= dataRowCount(page, format_))
        corrupt("een verplaatste rij verwijst naar een ongeldige plaats");
    const RowSlot slot = dataRow(page, format_, pointerRow(pointer), true);
    if (slot.overflow) corrupt("een verplaatste rij verwijst naar nog een verplaatsing");
    return slot.bytes.bytes(0, slot.bytes.size());
}

void RowStore::markFree(std::uint32_t page, bool free)
{
    markUsageMap(file_, format_, table_.freeSpaceMap, page, free, [&] { return pages_.allocate(); });
}

std::uint32_t RowStore::newDataPage()
{
    const std::uint32_t page = pages_.allocate();
    layoutDataPage(file_.change(page), format_, table_.def.definitionPage);
    markUsageMap(file_, format_, table_.usedPagesMap, page, true, [&] { return pages_.allocate(); });
    markFree(page, true);
    return page;
}

std::uint32_t RowStore::place(const std::string& bytes, std::uint16_t flags)
{
    if (bytes.size() + 2 > format_.pageSize - format_.dataRowTableOffset)
        throw DbError(errc::fail, "De rij is te groot voor een pagina van de tabel '" + table_.def.name + "'.");
    // The newest pages have the most room.
    std::optional<std::uint32_t> placed;
    int tried = 0;
    visitNewestUsageMapPages(file_, format_, table_.freeSpaceMap, [&](std::uint32_t number) {
        const PageRef page = file_.page(number);
        const ByteView view(page->data(), page->size());
        if (view.u8(0) != dataPageType || view.u32(format_.dataOwnerOffset) != table_.def.definitionPage) return true;
        if (rowFits(*page, format_, bytes.size())) {
            placed = number << 8 | static_cast<std::uint32_t>(addRow(file_.change(number), format_, bytes, flags));
            return false;
        }
        markFree(number, false);
        return ++tried < pagesTried;
    });
    if (placed) return *placed;
    const std::uint32_t number = newDataPage();
    return number << 8 | static_cast<std::uint32_t>(addRow(file_.change(number), format_, bytes, flags));
}

RowId RowStore::insert(const std::string& bytes)
{
    const RowId row = place(bytes, 0);
    adjustRowCount(+1);
    return row;
}

void RowStore::replace(RowId row, const std::string& bytes)
{
    const Place at = locate(row);
    if (at.overflow) {
        // Back home when it fits there again, else in its current place, else somewhere new.
        if (replaceRow(file_.change(at.page), format_, at.row, bytes, 0)) {
            removeRow(file_.change(pointerPage(at.target)), format_, pointerRow(at.target));
            markFree(pointerPage(at.target), true);
            return;
        }
        if (replaceRow(file_.change(pointerPage(at.target)), format_, pointerRow(at.target), bytes, rowDeletedFlag))
            return;
        removeRow(file_.change(pointerPage(at.target)), format_, pointerRow(at.target));
        markFree(pointerPage(at.target), true);
    } else if (replaceRow(file_.change(at.page), format_, at.row, bytes, 0)) {
        return;
    }
    // The moved row is marked deleted where it lands, so a scan meets it only through the pointer.
    const std::uint32_t target = place(bytes, rowDeletedFlag);
    if (!replaceRow(file_.change(at.page), format_, at.row, little32(target), rowOverflowFlag))
        corrupt("een rij is te klein voor een verwijzing");
    markFree(at.page, true);
}

void RowStore::remove(RowId row)
{
    const Place at = locate(row);
    if (at.overflow) {
        removeRow(file_.change(pointerPage(at.target)), format_, pointerRow(at.target));
        markFree(pointerPage(at.target), true);
    }
    removeRow(file_.change(at.page), format_, at.row);
    markFree(at.page, true);
    adjustRowCount(-1);
}

void RowStore::patchDefinition(std::size_t offset, std::uint32_t value)
{
    PageBytes& page = file_.change(table_.def.definitionPage);
    if (offset + 4 > page.size()) corrupt("de tabeldefinitie is te kort");
    store32(page.data() + offset, value);
}

void RowStore::adjustRowCount(int change)
{
    table_.def.rowCount = static_cast<std::uint32_t>(static_cast<std::int64_t>(table_.def.rowCount) + change);
    patchDefinition(format_.tdefRowCount, table_.def.rowCount);
}

void RowStore::setLastAutoNumber(std::uint32_t value)
{
    table_.nextAutoNumber = value;
    patchDefinition(format_.tdefRowCount + 4, value);
}

}  // namespace querimo::jet
