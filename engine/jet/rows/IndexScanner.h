#pragma once
#include <functional>
#include <optional>
#include <vector>

#include "jet/Database.h"
#include "jet/rows/RowDecoder.h"
#include "jet/tables/IndexWalk.h"

namespace querimo::jet {

// The rows an index walk leads to, in its order, each read from its data page. Must not outlive the
// database it reads.
class IndexScanner : public TableScan {
public:
    // The key bounds of another range of the walk's index, for seekAgain; nullopt when the range has no keys.
    using BoundsOf = std::function<std::optional<KeyBounds>(const KeyRange&)>;

    IndexScanner(PageFile& file, const Format& format, const TableLayout& table, IndexWalk walk,
                 const StopSignal* stop = nullptr, BoundsOf boundsOf = {});
    bool next(std::vector<Value>& row) override;
    RowId rowId() const override { return rowId_; }
    bool seekAgain(const KeyRange& range) override;

private:
    PageFile& file_;
    const Format& format_;
    const TableLayout& table_;
    RowDecoder decoder_;
    IndexWalk walk_;
    RowId rowId_ = 0;
    const StopSignal* stop_;
    BoundsOf boundsOf_;
};

}  // namespace querimo::jet
