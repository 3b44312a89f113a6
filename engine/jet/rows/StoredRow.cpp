#include "jet/rows/StoredRow.h"

#include "jet/pages/Corruption.h"
#include "jet/rows/DataPage.h"
#include "jet/tables/TableLayout.h"

namespace querimo::jet {

namespace {

constexpr int maxOverflowHops = 64;

const PageRef& dataPage(PageFile& file, std::uint32_t number, HeldPages& held)
{
    HeldPages::Slot& slot = held.slotOf(number);
    if (slot.bytes && slot.number == number && slot.generation == file.generation()) return slot.bytes;
    if (number == 0 || number >= file.pageCount())
        corrupt("een index verwijst naar pagina " + std::to_string(number) + ", die niet bestaat");
    slot.bytes = file.page(number);
    slot.number = number;
    slot.generation = file.changed(number) ? 0 : file.generation();
    return slot.bytes;
}

}  // namespace

ByteView followMovedRow(PageFile& file, const Format& format, ByteView pointer, PageRef& holder)
{
    for (int hop = 0; hop < maxOverflowHops; ++hop) {
        const std::uint32_t target = pointer.u32(0);
        if (pointerPage(target) == 0 || pointerPage(target) >= file.pageCount())
            corrupt("een verplaatste rij verwijst naar een ongeldige plaats");
        holder = file.page(pointerPage(target));
        const ByteView page(holder->data(), holder->size());
        if (page.u8(0) != dataPageType || pointerRow(target) >= dataRowCount(page, format))
            corrupt("een verplaatste rij verwijst naar een ongeldige plaats");
        const RowSlot slot = dataRow(page, format, pointerRow(target), true);
        if (!slot.overflow) return slot.bytes;
        pointer = slot.bytes;
    }
    corrupt("de verwijzingen van een verplaatste rij vormen een kring");
}

ByteView storedRowBytes(PageFile& file, const Format& format, std::uint32_t definitionPage, RowId row, HeldPages& held)
{
    const PageRef& holder = dataPage(file, pointerPage(row), held);
    const ByteView page(holder->data(), holder->size());
    if (page.u8(0) != dataPageType || page.u32(format.dataOwnerOffset) != definitionPage
        || pointerRow(row) >= dataRowCount(page, format))
        corrupt("een index verwijst naar een rij die niet bij de tabel hoort");
    const RowSlot slot = dataRow(page, format, pointerRow(row));
    if (slot.deleted) corrupt("een index verwijst naar een verwijderde rij");
    if (!slot.overflow) return slot.bytes;
    return followMovedRow(file, format, slot.bytes, held.moved);
}

}  // namespace querimo::jet
