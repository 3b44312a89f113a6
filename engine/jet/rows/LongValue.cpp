#include "jet/rows/LongValue.h"

#include <algorithm>
#include <unordered_set>

#include "jet/format/LongValueLayout.h"
#include "jet/rows/DataPage.h"
#include "jet/tables/TableLayout.h"

namespace querimo::jet {
namespace {

RowSlot longValueRow(PageFile& file, const Format& format, std::uint32_t pointer, PageRef& holder)
{
    holder = file.page(pointerPage(pointer));
    const ByteView page(holder->data(), holder->size());
    const int row = pointerRow(pointer);
    if (page.u8(0) != dataPageType || row >= dataRowCount(page, format))
        corrupt("een lange waarde (Memo of OLE) verwijst naar een ongeldige plaats");
    const RowSlot slot = dataRow(page, format, row);
    if (slot.deleted) corrupt("een lange waarde (Memo of OLE) verwijst naar een verwijderde rij");
    return slot;
}

}  // namespace

std::string readLongValue(PageFile& file, const Format& format, ByteView reference)
{
    if (reference.size() < longValueReferenceSize) corrupt("een verwijzing naar een lange waarde is te kort");
    const std::uint32_t word = reference.u32(0);
    const std::size_t length = word & longValueLengthMask;
    if (word & longValueInlineFlag) return reference.bytes(longValueReferenceSize, length);

    PageRef holder;
    if (word & longValueSingleRowFlag) {
        const RowSlot slot = longValueRow(file, format, reference.u32(4), holder);
        return slot.bytes.bytes(0, length);
    }

    std::string value;
    value.reserve(std::min<std::size_t>(length, 1 << 20));
    std::unordered_set<std::uint32_t> seen;
    for (std::uint32_t pointer = reference.u32(4); value.size() < length;) {
        if (pointer == 0) corrupt("een lange waarde (Memo of OLE) is korter dan aangegeven");
        if (!seen.insert(pointer).second) corrupt("de pagina's van een lange waarde (Memo of OLE) vormen een kring");
        const RowSlot slot = longValueRow(file, format, pointer, holder);
        const std::uint32_t next = slot.bytes.u32(0);
        const std::size_t take = std::min(slot.bytes.size() - 4, length - value.size());
        value.append(reinterpret_cast<const char*>(slot.bytes.data() + 4), take);
        pointer = next;
    }
    return value;
}

}  // namespace querimo::jet
