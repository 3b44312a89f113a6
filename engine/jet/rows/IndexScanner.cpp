#include "jet/rows/IndexScanner.h"

#include <algorithm>

#include "jet/pages/Corruption.h"
#include "jet/rows/StoredRow.h"

namespace querimo::jet {

namespace {

bool oneRow(std::size_t uniqueKey, const KeyRange* range)
{
    return uniqueKey != 0 && range && range->equal.size() == uniqueKey && !range->from && !range->to
           && !range->startsWith
           && std::none_of(range->equal.begin(), range->equal.end(), [](const Value& v) { return v.isNull(); });
}

}  // namespace

IndexScanner::IndexScanner(PageFile& file, const Format& format, const TableLayout& table, IndexWalk walk,
                           const StopSignal* stop, BoundsOf boundsOf, std::size_t uniqueKey, const KeyRange* range)
    : file_(file), format_(format), table_(table), decoder_(file, format, table), walk_(std::move(walk)), stop_(stop),
      boundsOf_(std::move(boundsOf)), uniqueKey_(uniqueKey), oneRow_(oneRow(uniqueKey, range))
{}

bool IndexScanner::seekAgain(const KeyRange& range)
{
    if (!boundsOf_) return false;
    try {
        if (!boundsOf_(range, again_)) return false;
        if (!pages_.many) pages_.many = std::make_unique<std::array<HeldPages::Slot, 128>>();
        walk_.restart(again_);
        oneRow_ = oneRow(uniqueKey_, &range);
        found_ = false;
        return true;
    } catch (const CorruptFile& e) {
        throw damagedFile(file_.path(), e);
    }
}

bool IndexScanner::next(std::vector<Value>& row)
{
    if (stop_) stop_->check();
    try {
        if ((oneRow_ && found_) || !walk_.next(rowId_)) return false;
        found_ = true;
        decoder_.decode(storedRowBytes(file_, format_, table_.def.definitionPage, rowId_, pages_), row);
        return true;
    } catch (const CorruptFile& e) {
        throw damagedFile(file_.path(), e);
    }
}

}  // namespace querimo::jet
