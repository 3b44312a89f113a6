#pragma once
#include <optional>
#include <string>

#include "jet/ByteView.h"
#include "jet/Format.h"
#include "jet/PageAllocator.h"
#include "jet/PageFile.h"

namespace querimo::jet {

// Memo and OLE Object values that do not stay inside their row: one row of a long value page when they fit
// one, a chain of such rows otherwise. Long value pages belong to no table; `hint` remembers the last one
// used, so small values share pages (a stale hint is checked and dropped).
class LongValueWriter {
public:
    LongValueWriter(PageFile& file, const Format& format, PageAllocator& pages, std::uint32_t& hint);

    // The 12-byte reference for a row, or nothing when the value is small enough to stay inside the row.
    std::optional<std::string> store(const std::string& stored);
    // Frees the long value pages' rows a stored reference leads to (nothing for a value inside the row).
    void free(ByteView reference);

private:
    std::uint32_t placeRow(const std::string& bytes);  // row pointer

    PageFile& file_;
    const Format& format_;
    PageAllocator& pages_;
    std::uint32_t& hint_;
};

}  // namespace querimo::jet
