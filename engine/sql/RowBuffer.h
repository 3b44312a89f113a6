#pragma once
#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Value.h"

namespace querimo::sql {

// Rows of SQLite values packed into one byte buffer: a tag byte per cell, then 8 bytes for a number or a
// 4-byte length and the bytes of a text or blob. One offset per row; no allocation per cell.
class RowBuffer {
public:
    enum class Tag : std::uint8_t { Null, Integer, Real, Text, Blob };

    struct Cell {
        Tag tag = Tag::Null;
        std::int64_t integer = 0;
        double real = 0;
        std::string_view bytes;
    };

    explicit RowBuffer(std::size_t columns) : columns_(columns) {}

    void beginRow() { rowStarts_.push_back(data_.size()); }
    void addNull() { data_.push_back(static_cast<char>(Tag::Null)); }
    void addInteger(std::int64_t v);
    void addReal(double v);
    void addBytes(Tag tag, std::string_view bytes);
    void addSqlite(sqlite3_value* v);
    void addValue(const Value& v);  // in the SQLite form of an Access value

    std::size_t rowCount() const { return rowStarts_.size(); }
    std::size_t columnCount() const { return columns_; }
    Cell cell(std::size_t row, std::size_t column) const;
    void resultCell(sqlite3_context* ctx, std::size_t row, std::size_t column) const;

private:
    std::size_t columns_;
    std::string data_;
    std::vector<std::size_t> rowStarts_;
};

}  // namespace querimo::sql
