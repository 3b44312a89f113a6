#pragma once
#include <string>
#include <vector>

#include "jet/Database.h"
#include "jet/rows/RowDecoder.h"

namespace querimo::jet {

// Reads a table's data pages in page order, each once, holding one page at a time. Rows that moved to
// another page are read where the pointer leads. Must not outlive the database it reads. With a stop signal,
// a requested stop ends the scan with a DbError before the next page.
class TableScanner : public TableScan {
public:
    TableScanner(PageFile& file, const Format& format, const TableLayout& table, std::vector<std::uint32_t> pages,
                 const StopSignal* stop = nullptr);
    bool next(std::vector<Value>& row) override;
    RowId rowId() const override { return rowId_; }

private:
    bool advance(std::vector<Value>& row);

    PageFile& file_;
    const Format& format_;
    const TableLayout& table_;
    RowDecoder decoder_;
    std::vector<std::uint32_t> pages_;
    const StopSignal* stop_;
    std::size_t pageIndex_ = 0;
    PageRef page_;
    int row_ = 0;
    int rowCount_ = 0;
    RowId rowId_ = 0;
};

}  // namespace querimo::jet
