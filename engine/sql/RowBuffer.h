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

// Rows of SQLite values packed into byte chunks of about a megabyte: a tag byte per cell, then 8 bytes for a
// number or a 4-byte length and the bytes of a text or blob. One offset per row; no allocation per cell, and
// no copy of everything read so far when it grows. Beyond memoryBudget bytes the rows go to a temporary
// file, gone with the buffer; only their offsets stay in memory. A cell of such a row stays valid until a
// cell of another row is asked for.
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
        if (data_.size() >= chunkSize || dataStart_ - spill_.size() + data_.size() >= budget_) sealChunk();
        rowStarts_.push_back(dataStart_ + data_.size());
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
    static constexpr std::size_t chunkSize = 1 << 20;
    static constexpr std::size_t readWindow = 64 << 10;  // read at a time from the file

    void sealChunk();  // data_ joins chunks_, or all of them go to the file when they reach the budget
    const char* rowBytes(std::size_t row) const;

    std::size_t columns_;
    std::size_t budget_;
    // In order: the file, the full chunks, data_; offsets count through all three as if they were one.
    SpillFile spill_;
    std::vector<std::string> chunks_;
    std::vector<std::size_t> chunkStarts_;
    std::string data_;
    std::size_t dataStart_ = 0;
    std::vector<std::size_t> rowStarts_;
    mutable std::string window_;  // bytes of spill_ from windowStart_
    mutable std::size_t windowStart_ = 0;
};

}  // namespace querimo::sql
