#pragma once
#include <vector>

#include "ado/Recordset.h"
#include "sql/RowBuffer.h"

namespace querimo::sql {

// The rows of a query result for a record set: packed SQLite values, turned into Access values of each
// column's type only when asked for.
class ResultRows : public ado::RowSource {
public:
    ResultRows(RowBuffer rows, std::vector<int> adoTypes) : rows_(std::move(rows)), types_(std::move(adoTypes)) {}

    std::size_t rowCount() const override { return rows_.rowCount(); }
    Value value(std::size_t row, std::size_t column) const override;

private:
    RowBuffer rows_;
    std::vector<int> types_;
};

// An SQLite value (as a packed cell) read back as an Access value of the given ADO type.
Value accessValue(const RowBuffer::Cell& cell, int adoType);

}  // namespace querimo::sql
