#include "sql/OrderedTies.h"

#include <algorithm>

#include "sql/TextCollation.h"

namespace querimo::sql {

OrderedTies::OrderedTies(std::unique_ptr<jet::TableScan> rows, std::vector<std::size_t> earlier, std::size_t text,
                         bool descending, jet::TextOrder order)
    : rows_(std::move(rows)), earlier_(std::move(earlier)), text_(text), descending_(descending), order_(order)
{}

bool OrderedTies::sameRun(const std::vector<Value>& a, const std::vector<Value>& b) const
{
    for (const std::size_t c : earlier_)
        if (!(a[c] == b[c])) return false;
    const Value& x = a[text_];
    const Value& y = b[text_];
    // Nulls need no order among themselves: each is a run of its own, so that many of them are not held.
    if (x.isNull() || y.isNull()) return false;
    return compareSortKeys(x.bytes, y.bytes, order_) == 0;
}

bool OrderedTies::readRun()
{
    run_.clear();
    nextInRun_ = 0;
    if (following_) {
        run_.push_back(std::move(*following_));
        following_.reset();
    }
    for (Row row; rows_->next(row.first); row = Row{}) {
        row.second = rows_->rowId();
        if (!run_.empty() && !sameRun(run_.front().first, row.first)) {
            following_ = std::move(row);
            break;
        }
        run_.push_back(std::move(row));
    }
    if (run_.empty()) return false;
    if (run_.size() > 1)
        std::stable_sort(run_.begin(), run_.end(), [this](const Row& a, const Row& b) {
            const int c = compareText(a.first[text_].bytes, b.first[text_].bytes, order_);
            return descending_ ? c > 0 : c < 0;
        });
    return true;
}

bool OrderedTies::next(std::vector<Value>& row)
{
    if (nextInRun_ >= run_.size() && !readRun()) return false;
    Row& r = run_[nextInRun_++];
    row = std::move(r.first);
    rowId_ = r.second;
    return true;
}

bool OrderedTies::seekAgain(const jet::KeyRange& range)
{
    if (!rows_->seekAgain(range)) return false;
    run_.clear();
    nextInRun_ = 0;
    following_.reset();
    return true;
}

}  // namespace querimo::sql
