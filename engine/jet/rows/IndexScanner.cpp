#include "jet/rows/IndexScanner.h"

#include "jet/pages/Corruption.h"
#include "jet/rows/StoredRow.h"

namespace querimo::jet {

IndexScanner::IndexScanner(PageFile& file, const Format& format, const TableLayout& table, IndexWalk walk,
                           const StopSignal* stop, BoundsOf boundsOf)
    : file_(file), format_(format), table_(table), decoder_(file, format, table), walk_(std::move(walk)), stop_(stop),
      boundsOf_(std::move(boundsOf))
{}

bool IndexScanner::seekAgain(const KeyRange& range)
{
    if (!boundsOf_) return false;
    try {
        std::optional<KeyBounds> bounds = boundsOf_(range);
        if (!bounds) return false;
        walk_.restart(std::move(*bounds));
        return true;
    } catch (const CorruptFile& e) {
        throw damagedFile(file_.path(), e);
    }
}

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
