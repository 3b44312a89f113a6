#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "jet/format/DataPageLayout.h"
#include "jet/format/Format.h"
#include "jet/pages/PageFile.h"

namespace querimo::jet {

// Rows on a data page (table rows and long value rows alike). Rows lie from the end of the page towards its
// row table, row 0 last; the free-space field counts the bytes between them. Deleted rows keep their entry
// (row numbers never shift) but give up their bytes at once, as Access does.

// An empty data page; owner is the table definition page, or the long value marker.
void layoutDataPage(PageBytes& page, const Format& format, std::uint32_t owner);

// Whether a row of `length` bytes can be added.
bool rowFits(const PageBytes& page, const Format& format, std::size_t length);
// Adds a row; its number. The caller has checked rowFits().
int addRow(PageBytes& page, const Format& format, std::string_view bytes, std::uint16_t flags = 0);
// Gives row `row` new bytes and flags; false (page unchanged) when they do not fit.
bool replaceRow(PageBytes& page, const Format& format, int row, std::string_view bytes, std::uint16_t flags);
// Marks the row deleted and frees its bytes.
void removeRow(PageBytes& page, const Format& format, int row);

}  // namespace querimo::jet
