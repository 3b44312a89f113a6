#include "jet/rows/LongValueWriter.h"

#include <set>

#include "jet/format/LongValueLayout.h"
#include "jet/pages/LittleEndian.h"
#include "jet/pages/UsageMap.h"
#include "jet/pages/UsageMapWriter.h"
#include "jet/rows/DataPage.h"
#include "jet/rows/DataPageWriter.h"
#include "jet/rows/LongValue.h"

namespace querimo::jet {
namespace {

// Access keeps values up to this size inside the row.
constexpr std::size_t largestInlineValue = 64;
constexpr std::size_t chainLinkSize = 4;

std::string reference(std::size_t length, std::uint8_t flags, std::uint32_t pointer)
{
    std::string out = little32(static_cast<std::uint32_t>(length));
    out[3] = static_cast<char>(flags);
    return out + little32(pointer) + little32(0);
}

bool isLongValuePage(const PageBytes& page, const Format& format)
{
    const ByteView view(page.data(), page.size());
    return view.u8(0) == dataPageType && view.u32(format.dataOwnerOffset) == longValueOwner;
}

// Pages of the column's free-space map tried before a new page is taken; one that cannot take the row
// leaves the map.
constexpr int mappedPagesTried = 3;

bool hasMaps(const LongValueMaps* maps)
{
    return maps && maps->usedPagesMap != 0 && maps->freeSpaceMap != 0;
}

}  // namespace

LongValueWriter::LongValueWriter(PageFile& file, const Format& format, PageAllocator& pages, std::uint32_t& hint)
    : file_(file), format_(format), pages_(pages), hint_(hint)
{}

std::optional<std::uint32_t> LongValueWriter::placeOnMappedPage(const std::string& bytes, const LongValueMaps& maps)
{
    std::optional<std::uint32_t> placed;
    int tried = 0;
    visitNewestUsageMapPages(file_, format_, maps.freeSpaceMap, [&](std::uint32_t number) {
        const PageRef page = file_.page(number);
        if (!isLongValuePage(*page, format_)) return true;
        if (rowFits(*page, format_, bytes.size())) {
            placed = number << 8 | static_cast<std::uint32_t>(addRow(file_.change(number), format_, bytes));
            return false;
        }
        markUsageMap(file_, format_, maps.freeSpaceMap, number, false, [&] { return pages_.allocate(); });
        return ++tried < mappedPagesTried;
    });
    return placed;
}

std::uint32_t LongValueWriter::newPage(const LongValueMaps* maps)
{
    const std::uint32_t number = pages_.allocate();
    layoutDataPage(file_.change(number), format_, longValueOwner);
    if (hasMaps(maps)) {
        markUsageMap(file_, format_, maps->usedPagesMap, number, true, [&] { return pages_.allocate(); });
        markUsageMap(file_, format_, maps->freeSpaceMap, number, true, [&] { return pages_.allocate(); });
    } else {
        hint_ = number;
    }
    return number;
}

std::uint32_t LongValueWriter::placeRow(const std::string& bytes, const LongValueMaps* maps)
{
    if (hasMaps(maps)) {
        if (const auto placed = placeOnMappedPage(bytes, *maps)) return *placed;
    } else if (hint_ != 0 && hint_ < file_.pageCount()) {
        const PageRef page = file_.page(hint_);
        if (isLongValuePage(*page, format_) && rowFits(*page, format_, bytes.size()))
            return hint_ << 8 | static_cast<std::uint32_t>(addRow(file_.change(hint_), format_, bytes));
    }
    const std::uint32_t number = newPage(maps);
    return number << 8 | static_cast<std::uint32_t>(addRow(file_.change(number), format_, bytes));
}

std::optional<std::string> LongValueWriter::store(const std::string& stored, const LongValueMaps* maps)
{
    if (stored.size() <= largestInlineValue) return std::nullopt;
    // A row of its own page leaves room for the row table entry; a chain row also holds the next link.
    const std::size_t largestRow = format_.pageSize - format_.dataRowTableOffset - 2;
    if (stored.size() <= largestRow) return reference(stored.size(), longValueSingleRowByte, placeRow(stored, maps));
    // Chains are written back to front, so every row knows where the next one is.
    const std::size_t piece = largestRow - chainLinkSize;
    std::uint32_t next = 0;
    for (std::size_t end = stored.size(); end > 0;) {
        const std::size_t begin = (end - 1) / piece * piece;
        next = placeRow(little32(next) + stored.substr(begin, end - begin), maps);
        end = begin;
    }
    return reference(stored.size(), 0, next);
}

void LongValueWriter::free(ByteView stored, const LongValueMaps* maps)
{
    if (stored.size() < longValueReferenceSize || (stored.u8(3) & longValueInlineByte)) return;
    const bool single = (stored.u8(3) & longValueSingleRowByte) != 0;
    std::set<std::uint32_t> seen;
    for (std::uint32_t pointer = stored.u32(4); pointer != 0 && seen.insert(pointer).second;) {
        PageBytes& page = file_.change(pointerPage(pointer));
        const ByteView view(page.data(), page.size());
        if (view.u8(0) != dataPageType || pointerRow(pointer) >= dataRowCount(view, format_))
            corrupt("een lange waarde (Memo of OLE) verwijst naar een ongeldige plaats");
        const RowSlot slot = dataRow(view, format_, pointerRow(pointer));
        if (slot.deleted) corrupt("een lange waarde (Memo of OLE) verwijst naar een verwijderde rij");
        const std::uint32_t next = single ? 0 : slot.bytes.u32(0);
        removeRow(page, format_, pointerRow(pointer));
        if (hasMaps(maps))
            markUsageMap(file_, format_, maps->freeSpaceMap, pointerPage(pointer), true,
                         [&] { return pages_.allocate(); });
        pointer = next;
    }
}

}  // namespace querimo::jet
