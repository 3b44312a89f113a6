#include "jet/rows/DataPage.h"
#include "jet/format/DataPageLayout.h"

namespace querimo::jet {
namespace {}  // namespace

int dataRowCount(ByteView page, const Format& format)
{
    const int count = page.u16(format.dataRowCountOffset);
    if (!page.contains(format.dataRowTableOffset, 2 * static_cast<std::size_t>(count)))
        corrupt("de rijentabel van een gegevenspagina is te groot");
    return count;
}

RowSlot dataRow(ByteView page, const Format& format, int row, bool evenDeleted)
{
    const std::uint16_t entry = page.u16(format.dataRowTableOffset + 2 * static_cast<std::size_t>(row));
    RowSlot slot;
    slot.deleted = (entry & rowDeletedFlag) != 0;
    slot.overflow = (entry & rowOverflowFlag) != 0;
    if (slot.deleted && !evenDeleted) return slot;
    const std::size_t start = entry & rowOffsetMask;
    const std::size_t end =
        row == 0 ? page.size()
                 : page.u16(format.dataRowTableOffset + 2 * static_cast<std::size_t>(row - 1)) & rowOffsetMask;
    if (start > end || end > page.size() || start < format.dataRowTableOffset)
        corrupt("een rij ligt buiten haar pagina");
    slot.bytes = page.sub(start, end - start);
    return slot;
}

}  // namespace querimo::jet
