#include "jet/rows/TableScanner.h"

#include "jet/rows/DataPage.h"
#include "jet/rows/StoredRow.h"

namespace querimo::jet {
TableScanner::TableScanner(PageFile& file, const Format& format, const TableLayout& table,
                           std::vector<std::uint32_t> pages, const StopSignal* stop)
    : file_(file), format_(format), table_(table), decoder_(file, format, table), pages_(std::move(pages)), stop_(stop)
{}

bool TableScanner::next(std::vector<Value>& row)
{
    try {
        return advance(row);
    } catch (const CorruptFile& e) {
        throw damagedFile(file_.path(), e);
    }
}

bool TableScanner::advance(std::vector<Value>& row)
{
    for (;;) {
        while (!page_ || row_ >= rowCount_) {
            page_.reset();
            if (pageIndex_ >= pages_.size()) return false;
            if (stop_) stop_->check();
            PageRef candidate = file_.page(pages_[pageIndex_++]);
            const ByteView view(candidate->data(), candidate->size());
            // The usage map may still list pages the table gave up; only its own data pages count.
            if (view.u8(0) != dataPageType || view.u32(format_.dataOwnerOffset) != table_.def.definitionPage) continue;
            rowCount_ = dataRowCount(view, format_);
            row_ = 0;
            page_ = std::move(candidate);
        }
        const ByteView view(page_->data(), page_->size());
        const RowSlot slot = dataRow(view, format_, row_++);
        if (slot.deleted) continue;
        rowId_ = pages_[pageIndex_ - 1] << 8 | static_cast<RowId>(row_ - 1);
        if (!slot.overflow) {
            decoder_.decode(slot.bytes, row);
            return true;
        }
        PageRef elsewhere;
        decoder_.decode(followMovedRow(file_, format_, slot.bytes, elsewhere), row);
        return true;
    }
}

}  // namespace querimo::jet
