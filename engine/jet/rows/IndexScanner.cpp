#include "jet/rows/IndexScanner.h"

#include "jet/pages/Corruption.h"
#include "jet/rows/StoredRow.h"

namespace querimo::jet {

IndexScanner::IndexScanner(PageFile& file, const Format& format, const TableLayout& table, IndexWalk walk,
                           const StopSignal* stop)
    : file_(file), format_(format), table_(table), decoder_(file, format, table), walk_(std::move(walk)), stop_(stop)
{}

bool IndexScanner::next(std::vector<Value>& row)
{
    if (stop_) stop_->check();
    try {
        if (!walk_.next(rowId_)) return false;
        PageRef page;
        decoder_.decode(storedRowBytes(file_, format_, table_.def.definitionPage, rowId_, page), row);
        return true;
    } catch (const CorruptFile& e) {
        throw damagedFile(file_.path(), e);
    }
}

}  // namespace querimo::jet
