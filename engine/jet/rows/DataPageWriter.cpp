#include "jet/rows/DataPageWriter.h"

#include <cstring>

#include "jet/format/DataPageLayout.h"
#include "jet/pages/Corruption.h"
#include "jet/pages/LittleEndian.h"

namespace querimo::jet {
namespace {

std::uint16_t get16(const PageBytes& page, std::size_t at)
{
    if (at + 2 > page.size()) corrupt("een veld ligt buiten de pagina");
    return static_cast<std::uint16_t>(page[at] | (page[at + 1] << 8));
}

void put16(PageBytes& page, std::size_t at, std::uint32_t value)
{
    store16(page.data() + at, value);
}

int rowCount(const PageBytes& page, const Format& format)
{
    const int count = get16(page, format.dataRowCountOffset);
    if (format.dataRowTableOffset + 2 * static_cast<std::size_t>(count) > page.size() || count > 256)
        corrupt("de rijentabel van een gegevenspagina is te groot");
    return count;
}

std::size_t entryAt(const Format& format, int row)
{
    return format.dataRowTableOffset + 2 * static_cast<std::size_t>(row);
}

std::size_t rowStart(const PageBytes& page, const Format& format, int row)
{
    return get16(page, entryAt(format, row)) & rowOffsetMask;
}

std::size_t rowEnd(const PageBytes& page, const Format& format, int row)
{
    return row == 0 ? page.size() : rowStart(page, format, row - 1);
}

// Where the rows begin: the start of the last one, or the end of an empty page.
std::size_t rowsBegin(const PageBytes& page, const Format& format)
{
    const int count = rowCount(page, format);
    return count == 0 ? page.size() : rowStart(page, format, count - 1);
}

// The bytes between the row table and the rows, counted from the page itself, not its free-space field.
std::size_t gap(const PageBytes& page, const Format& format)
{
    const std::size_t tableEnd = entryAt(format, rowCount(page, format));
    const std::size_t begin = rowsBegin(page, format);
    if (begin < tableEnd) corrupt("de rijen van een gegevenspagina overlappen haar rijentabel");
    return begin - tableEnd;
}

void setFreeSpace(PageBytes& page, const Format& format)
{
    put16(page, freeSpaceOffset, static_cast<std::uint32_t>(gap(page, format)));
}

// Moves the bytes of every row after `row` (they lie below it) by `shift` towards the page's end
// (negative: towards its start), with their row table entries.
void shiftRowsAfter(PageBytes& page, const Format& format, int row, std::ptrdiff_t shift)
{
    const int count = rowCount(page, format);
    const std::size_t begin = rowsBegin(page, format);
    const std::size_t end = rowStart(page, format, row);
    if (begin > end) corrupt("de rijen van een gegevenspagina liggen niet op volgorde");
    std::memmove(page.data() + begin + shift, page.data() + begin, end - begin);
    for (int r = row + 1; r < count; ++r) {
        const std::uint16_t entry = get16(page, entryAt(format, r));
        put16(page, entryAt(format, r),
              (entry & ~rowOffsetMask) | static_cast<std::uint16_t>((entry & rowOffsetMask) + shift));
    }
}

}  // namespace

void layoutDataPage(PageBytes& page, const Format& format, std::uint32_t owner)
{
    std::fill(page.begin(), page.end(), 0);
    page[0] = 0x01;
    page[1] = 0x01;
    store32(page.data() + format.dataOwnerOffset, owner);
    setFreeSpace(page, format);
}

bool rowFits(const PageBytes& page, const Format& format, std::size_t length)
{
    return rowCount(page, format) < maxRowsPerDataPage && gap(page, format) >= length + 2;
}

int addRow(PageBytes& page, const Format& format, std::string_view bytes, std::uint16_t flags)
{
    const int row = rowCount(page, format);
    const std::size_t start = rowsBegin(page, format) - bytes.size();
    std::memcpy(page.data() + start, bytes.data(), bytes.size());
    put16(page, format.dataRowCountOffset, static_cast<std::uint32_t>(row + 1));
    put16(page, entryAt(format, row), static_cast<std::uint32_t>(start) | flags);
    setFreeSpace(page, format);
    return row;
}

bool replaceRow(PageBytes& page, const Format& format, int row, std::string_view bytes, std::uint16_t flags)
{
    if (row < 0 || row >= rowCount(page, format)) corrupt("een rij bestaat niet op haar pagina");
    const std::size_t start = rowStart(page, format, row), end = rowEnd(page, format, row);
    if (start > end) corrupt("een rij ligt buiten haar pagina");
    const std::ptrdiff_t growth = static_cast<std::ptrdiff_t>(bytes.size()) - static_cast<std::ptrdiff_t>(end - start);
    if (growth > static_cast<std::ptrdiff_t>(gap(page, format))) return false;
    const std::size_t oldBegin = rowsBegin(page, format);
    shiftRowsAfter(page, format, row, -growth);
    if (growth < 0)  // the bytes the rows moved away from
        std::memset(page.data() + oldBegin, 0, static_cast<std::size_t>(-growth));
    const std::size_t newStart = end - bytes.size();
    if (!bytes.empty()) std::memcpy(page.data() + newStart, bytes.data(), bytes.size());
    put16(page, entryAt(format, row), static_cast<std::uint32_t>(newStart) | flags);
    setFreeSpace(page, format);
    return true;
}

void removeRow(PageBytes& page, const Format& format, int row)
{
    replaceRow(page, format, row, {}, rowDeletedFlag);
}

}  // namespace querimo::jet
