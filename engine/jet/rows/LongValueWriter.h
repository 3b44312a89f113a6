#pragma once
#include <optional>
#include <string>

#include "jet/format/Format.h"
#include "jet/pages/ByteView.h"
#include "jet/pages/PageAllocator.h"
#include "jet/pages/PageFile.h"
#include "jet/tables/TableLayout.h"

namespace querimo::jet {

// Memo and OLE Object values that do not stay inside their row: one row of a long value page when they fit
// one, a chain of such rows otherwise. A column with usage maps of its own (Jet 4) keeps its long value
// pages in them, as Access does; for other columns `hint` remembers the last page used, so small values
// share pages (a stale hint is checked and dropped).
class LongValueWriter {
public:
    LongValueWriter(PageFile& file, const Format& format, PageAllocator& pages, std::uint32_t& hint);

    // The 12-byte reference for a row, or nothing when the value is small enough to stay inside the row.
    // maps: the column's usage maps, or null.
    std::optional<std::string> store(const std::string& stored, const LongValueMaps* maps = nullptr);
    // Frees the long value pages' rows a stored reference leads to (nothing for a value inside the row).
    void free(ByteView reference, const LongValueMaps* maps = nullptr);

private:
    std::uint32_t placeRow(const std::string& bytes, const LongValueMaps* maps);  // row pointer
    std::optional<std::uint32_t> placeOnMappedPage(const std::string& bytes, const LongValueMaps& maps);
    std::uint32_t newPage(const LongValueMaps* maps);

    PageFile& file_;
    const Format& format_;
    PageAllocator& pages_;
    std::uint32_t& hint_;
};

}  // namespace querimo::jet
