#pragma once
#include <cstddef>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "jet/Database.h"

namespace querimo::sql {

// Rows of an index walked for an ORDER BY whose last term is a text column: rows whose texts have equal keys
// (trailing spaces, ß and ss) come in the index in no particular order; this puts each such run in the order
// the text collation gives, so that the rows come as a sort would give them.
class OrderedTies : public jet::TableScan {
public:
    // `earlier`: the positions of the ORDER BY's other columns, whose values a run shares; `text`: the text
    // column's position, sorted descending when `descending`.
    OrderedTies(std::unique_ptr<jet::TableScan> rows, std::vector<std::size_t> earlier, std::size_t text,
                bool descending, jet::TextOrder order);

    bool next(std::vector<Value>& row) override;
    jet::RowId rowId() const override { return rowId_; }
    bool seekAgain(const jet::KeyRange& range) override;

private:
    bool sameRun(const std::vector<Value>& a, const std::vector<Value>& b) const;
    bool readRun();

    using Row = std::pair<std::vector<Value>, jet::RowId>;
    std::unique_ptr<jet::TableScan> rows_;
    std::vector<std::size_t> earlier_;
    std::size_t text_;
    bool descending_;
    jet::TextOrder order_;
    std::vector<Row> run_;  // the current run, handed out from nextInRun_ on
    std::size_t nextInRun_ = 0;
    std::optional<Row> following_;  // read past the end of the run
    jet::RowId rowId_ = 0;
};

}  // namespace querimo::sql
