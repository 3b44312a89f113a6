#pragma once
#include <vector>

#include "jet/Database.h"
#include "jet/rows/RowDecoder.h"
#include "jet/tables/IndexWalk.h"

namespace querimo::jet {

// The rows an index walk leads to, in its order, each read from its data page. Must not outlive the
// database it reads.
class IndexScanner : public TableScan {
public:
    IndexScanner(PageFile& file, const Format& format, const TableLayout& table, IndexWalk walk,
                 const StopSignal* stop = nullptr);
    bool next(std::vector<Value>& row) override;
    RowId rowId() const override { return rowId_; }

private:
    PageFile& file_;
    const Format& format_;
    const TableLayout& table_;
    RowDecoder decoder_;
    IndexWalk walk_;
    RowId rowId_ = 0;
    const StopSignal* stop_;
};

}  // namespace querimo::jet
