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
// number or a 4-byte length and the bytes of a text or blob. One offset per row in memory; no allocation per
// cell, and no copy of everything read so far when it grows. When the rows and their offsets reach memoryBudget
// bytes they go to a temporary file, gone with the buffer; of the rows there only every 64th offset stays in
// memory, the others are found by stepping over the rows before them, so memory stays within the budget
// however many rows come. A cell of such a row stays valid until a cell of another row is asked for.
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
        if (data_.size() >= chunkSize || memoryHeld() >= budget_) sealChunk();
        rowStarts_.push_back(dataStart_ + data_.size());
    }
    void addNull() { data_.push_back(static_cast<char>(Tag::Null)); }
    void addInteger(std::int64_t v);
    void addReal(double v);
    void addBytes(Tag tag, std::string_view bytes);
    void addSqlite(sqlite3_value* v);
    void addValue(const Value& v);  // in the SQLite form of an Access value

    std::size_t rowCount() const { return spilledRows_ + rowStarts_.size(); }
    bool spilled() const { return spill_.size() > 0; }
    std::size_t columnCount() const { return columns_; }
    Cell cell(std::size_t row, std::size_t column) const;
    // The bytes the rows take in memory: those not in the file and the offsets.
    std::size_t memoryHeld() const
    {
        return static_cast<std::size_t>(dataStart_ - spill_.size()) + data_.size()
               + (rowStarts_.capacity() + spilledMarks_.capacity()) * sizeof(std::size_t);
    }
    void resultCell(sqlite3_context* ctx, std::size_t row, std::size_t column) const;

private:
    static constexpr std::size_t chunkSize = 1 << 20;
    static constexpr std::size_t readWindow = 64 << 10;  // read at a time from the file
    static constexpr std::size_t rowsPerMark = 64;       // rows in the file per offset kept

    void sealChunk();  // data_ joins chunks_, or all of them go to the file when they reach the budget
    const char* rowBytes(std::size_t row) const;
    const char* spilledRowBytes(std::size_t row) const;
    const char* spilledBytes(std::size_t start, std::size_t length) const;  // valid until the next call
    std::size_t spilledRowSize(std::size_t start) const;

    std::size_t columns_;
    std::size_t budget_;
    // In order: the file, the full chunks, data_; offsets count through all three as if they were one.
    SpillFile spill_;
    std::vector<std::string> chunks_;
    std::vector<std::size_t> chunkStarts_;
    std::string data_;
    std::size_t dataStart_ = 0;
    std::vector<std::size_t> rowStarts_;      // the rows after those in the file
    std::size_t spilledRows_ = 0;             // rows in the file
    std::vector<std::size_t> spilledMarks_;   // offsets of rows 0, rowsPerMark, 2 * rowsPerMark... in the file
    // The row in the file found last (none while its size is 0), so that reading rows in order steps over none.
    mutable std::size_t lastSpilledRow_ = 0;
    mutable std::size_t lastSpilledStart_ = 0;
    mutable std::size_t lastSpilledSize_ = 0;
    mutable std::string window_;  // bytes of spill_ from windowStart_
    mutable std::size_t windowStart_ = 0;
};

}  // namespace querimo::sql
