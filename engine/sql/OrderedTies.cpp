#include "sql/OrderedTies.h"

#include <algorithm>

#include "sql/TextCollation.h"

namespace querimo::sql {

namespace {

bool sameValue(const Value& a, const Value& b)
{
    return a.kind == b.kind && a.integer == b.integer && (a.real == b.real || (a.real != a.real && b.real != b.real))
           && a.bytes == b.bytes;
}

}  // namespace

OrderedTies::OrderedTies(std::unique_ptr<jet::TableScan> rows, std::vector<std::size_t> earlier, std::size_t text,
                         bool descending, jet::TextOrder order)
    : rows_(std::move(rows)), earlier_(std::move(earlier)), text_(text), descending_(descending), order_(order)
{
}

bool OrderedTies::sameRun(const std::vector<Value>& a, const std::vector<Value>& b) const
{
    for (const std::size_t c : earlier_)
        if (!sameValue(a[c], b[c])) return false;
    const Value& x = a[text_];
    const Value& y = b[text_];
    if (x.isNull() || y.isNull()) return x.isNull() && y.isNull();
    return compareSortKeys(x.bytes, y.bytes, order_) == 0;
}

bool OrderedTies::readRun()
{
    run_.clear();
    nextInRun_ = 0;
    if (following_) {
        run_.push_back(std::move(*following_));
        following_.reset();
    } else {
        Row first;
        if (!rows_->next(first.first)) return false;
        first.second = rows_->rowId();
        run_.push_back(std::move(first));
    }
    for (;;) {
        Row row;
        if (!rows_->next(row.first)) break;
        row.second = rows_->rowId();
        if (!sameRun(run_.front().first, row.first)) {
            following_ = std::move(row);
            break;
        }
        run_.push_back(std::move(row));
    }
    if (run_.size() > 1 && !run_.front().first[text_].isNull())
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
