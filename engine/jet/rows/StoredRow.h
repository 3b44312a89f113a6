#pragma once
#include <array>
#include <memory>

#include "jet/Database.h"
#include "jet/format/Format.h"
#include "jet/pages/ByteView.h"
#include "jet/pages/PageFile.h"

namespace querimo::jet {

// The bytes of a row that moved, where its pointer (and any pointers after it) lead; holder keeps that
// page. A pointer to nowhere, or pointers in a circle, raise CorruptFile.
ByteView followMovedRow(PageFile& file, const Format& format, ByteView pointer, PageRef& holder);

// The data pages a reader read rows from lately, kept for the rows after: rows found through an index often
// share pages, and a join's lookups come back to the pages of a small table. A page is handed out again while
// the file's generation stays put. One slot until the reader is sought again (a join), then one per page
// number modulo the slot count.
struct HeldPages {
    struct Slot {
        PageRef bytes;
        std::uint32_t number = 0;
        std::uint64_t generation = 0;  // 0 (never the file's) for a changed page, which may change again
    };
    Slot one;
    std::unique_ptr<std::array<Slot, 128>> many;
    PageRef moved;  // the page a moved row was found on

    Slot& slotOf(std::uint32_t number) { return many ? (*many)[number % many->size()] : one; }
};

// The bytes of the row `row` of the table with this definition page, wherever it moved; held keeps the
// page. A row that is not there (an index pointing to a deleted row or to another table) raises CorruptFile.
ByteView storedRowBytes(PageFile& file, const Format& format, std::uint32_t definitionPage, RowId row, HeldPages& held);

}  // namespace querimo::jet
