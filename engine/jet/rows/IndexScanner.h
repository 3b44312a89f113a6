#pragma once
#include <functional>
#include <optional>
#include <vector>

#include "jet/Database.h"
#include "jet/rows/RowDecoder.h"
#include "jet/rows/StoredRow.h"
#include "jet/tables/IndexWalk.h"

namespace querimo::jet {

// The rows an index walk leads to, in its order, each read from its data page. Must not outlive the
// database it reads.
class IndexScanner : public TableScan {
public:
    // The key bounds of another range of the walk's index into its second argument, for seekAgain; false when
    // the range has no keys.
    using BoundsOf = std::function<bool(const KeyRange&, KeyBounds&)>;

    // uniqueKey: the column count of a unique index on whole numbers, else 0. A range that gives each of its
    // columns a value finds one row at most, so the walk ends with it instead of reading the entry after it.
    IndexScanner(PageFile& file, const Format& format, const TableLayout& table, IndexWalk walk,
                 const StopSignal* stop = nullptr, BoundsOf boundsOf = {}, std::size_t uniqueKey = 0,
                 const KeyRange* range = nullptr);
    bool next(std::vector<Value>& row) override;
    RowId rowId() const override { return rowId_; }
    bool seekAgain(const KeyRange& range) override;

private:
    PageFile& file_;
    const Format& format_;
    const TableLayout& table_;
    RowDecoder decoder_;
    HeldPages pages_;
    IndexWalk walk_;
    RowId rowId_ = 0;
    const StopSignal* stop_;
    BoundsOf boundsOf_;
    KeyBounds again_;  // the bounds of the last seekAgain, their room used for the next
    std::size_t uniqueKey_;
    bool oneRow_ = false;  // the range finds one row at most
    bool found_ = false;   // and next() gave it
};

}  // namespace querimo::jet
