#pragma once
#include "jet/format/DataPageLayout.h"
#include "jet/format/Format.h"
#include "jet/pages/ByteView.h"

namespace querimo::jet {

// One entry of a data page's row table.
struct RowSlot {
    ByteView bytes;  // empty for deleted rows
    bool deleted = false;
    bool overflow = false;  // bytes hold a row pointer to where the row lives now
};

// Number of rows in the row table of a data (or long value) page.
int dataRowCount(ByteView page, const Format& format);
// A deleted row comes back without bytes unless `evenDeleted` (rows moved to an overflow place are marked
// deleted on their new page, yet a row pointer still leads there).
RowSlot dataRow(ByteView page, const Format& format, int row, bool evenDeleted = false);

}  // namespace querimo::jet
