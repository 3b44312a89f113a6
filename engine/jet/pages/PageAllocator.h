#pragma once
#include <cstdint>

#include "jet/format/Format.h"
#include "jet/pages/PageFile.h"

namespace querimo::jet {

// Hands out pages for new data, long value, index, usage map and definition pages inside a statement,
// and takes back pages nobody uses any more. It keeps the database's global page bookkeeping as Access does.
class PageAllocator {
public:
    PageAllocator(PageFile& file, const Format& format);
    // A page filled with zeros, already changed in the page file (the caller lays it out).
    std::uint32_t allocate();
    void release(std::uint32_t page);

private:
    PageFile& file_;
    const Format& format_;
};

}  // namespace querimo::jet
