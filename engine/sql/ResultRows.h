#pragma once
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <vector>

#include "core/Error.h"

#include "sql/RowBuffer.h"
#include "sql/Sql.h"

namespace querimo::sql {

// The rows of a query result for a record set: packed SQLite values, turned into Access values of each
// column's type only when asked for. The executing thread appends while others read: each row joins under
// the lock, and readers take a copy of a value under it, as appending may move the bytes.
class ResultRows : public RowSource {
public:
    ResultRows(std::vector<DataType> dataTypes, std::size_t memoryBudget)
        : rows_(dataTypes.size(), memoryBudget), types_(std::move(dataTypes))
    {}

    // For the executing thread.
    void append(sqlite3_stmt* stmt);  // the row the statement stands on
    void finish();
    void fail(const DbError& error);  // the rows go; readers get the error
    bool unwanted() const { return unwanted_.load(std::memory_order_relaxed); }

    std::size_t rowCount() const override;
    std::size_t rowsSoFar() const override;
    bool complete() const override;
    bool hasRow(std::size_t row) const override;
    Value value(std::size_t row, std::size_t column) const override;
    void letGo() const override { unwanted_.store(true, std::memory_order_relaxed); }

private:
    // Waits until the row is there or no more come; throws the failure.
    bool waitFor(std::unique_lock<std::mutex>& lock, std::size_t row) const;

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    RowBuffer rows_;
    std::vector<DataType> types_;
    bool complete_ = false;
    mutable int waiting_ = 0;  // readers in waitFor
    std::optional<DbError> failure_;
    mutable std::atomic<bool> unwanted_{false};
};

// An SQLite value (as a packed cell) read back as an Access value of the given ADO type.
Value accessValue(const RowBuffer::Cell& cell, DataType dataType);

}  // namespace querimo::sql
