#pragma once
#include <vector>

#include "sql/RowBuffer.h"
#include "sql/Sql.h"

namespace querimo::sql {

// The rows of a query result for a record set: packed SQLite values, turned into Access values of each
// column's type only when asked for.
class ResultRows : public RowSource {
public:
    ResultRows(RowBuffer rows, std::vector<DataType> dataTypes) : rows_(std::move(rows)), types_(std::move(dataTypes))
    {}

    std::size_t rowCount() const override { return rows_.rowCount(); }
    Value value(std::size_t row, std::size_t column) const override;

private:
    RowBuffer rows_;
    std::vector<DataType> types_;
};

// An SQLite value (as a packed cell) read back as an Access value of the given ADO type.
Value accessValue(const RowBuffer::Cell& cell, DataType dataType);

}  // namespace querimo::sql
