#pragma once
#include <sqlite3.h>

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "core/Value.h"
#include "sql/SpillFile.h"

namespace querimo::sql {

// Rows of SQLite values packed into one byte buffer: a tag byte per cell, then 8 bytes for a number or a
// 4-byte length and the bytes of a text or blob. One offset per row; no allocation per cell. Beyond
// memoryBudget bytes the rows go on in a temporary file, gone with the buffer; only their offsets stay in
// memory. A cell of such a row stays valid until a cell of another row is asked for.
class RowBuffer {
public:
    enum class Tag : std::uint8_t { Null, Integer, Real, Text, Blob };

    struct Cell {
        Tag tag = Tag::Null;
        std::int64_t integer = 0;
        double real = 0;
        std::string_view bytes;
    };

    explicit RowBuffer(std::size_t columns, std::size_t memoryBudget = std::numeric_limits<std::size_t>::max())
        : columns_(columns), budget_(memoryBudget)
    {}

    void beginRow()
    {
        if (data_.size() >= budget_ || (spill_.size() > 0 && data_.size() >= spillChunk)) spill();
        rowStarts_.push_back(spill_.size() + data_.size());
    }
    void addNull() { data_.push_back(static_cast<char>(Tag::Null)); }
    void addInteger(std::int64_t v);
    void addReal(double v);
    void addBytes(Tag tag, std::string_view bytes);
    void addSqlite(sqlite3_value* v);
    void addValue(const Value& v);  // in the SQLite form of an Access value

    std::size_t rowCount() const { return rowStarts_.size(); }
    bool spilled() const { return spill_.size() > 0; }
    std::size_t columnCount() const { return columns_; }
    Cell cell(std::size_t row, std::size_t column) const;
    void resultCell(sqlite3_context* ctx, std::size_t row, std::size_t column) const;

private:
    static constexpr std::size_t spillChunk = 1 << 20;   // written at a time once the file is in use
    static constexpr std::size_t readWindow = 64 << 10;  // read at a time from the file

    void spill();
    const char* rowBytes(std::size_t row) const;

    std::size_t columns_;
    std::size_t budget_;
    std::string data_;                    // the rows after those in spill_
    std::vector<std::size_t> rowStarts_;  // offsets as if spill_ and data_ were one
    SpillFile spill_;
    mutable std::string window_;  // bytes of spill_ from windowStart_
    mutable std::size_t windowStart_ = 0;
};

}  // namespace querimo::sql
