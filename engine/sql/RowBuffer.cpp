#include "sql/RowBuffer.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "sql/Sql.h"
#include "sql/SqliteValue.h"

namespace querimo::sql {

namespace {

template <typename T>
void appendRaw(std::string& data, T v)
{
    char raw[sizeof(T)];
    std::memcpy(raw, &v, sizeof(T));
    data.append(raw, sizeof(T));
}

template <typename T>
T readRaw(const char* p)
{
    T v;
    std::memcpy(&v, p, sizeof(T));
    return v;
}

}  // namespace

void RowBuffer::addInteger(std::int64_t v)
{
    data_.push_back(static_cast<char>(Tag::Integer));
    appendRaw(data_, v);
}

void RowBuffer::addReal(double v)
{
    data_.push_back(static_cast<char>(Tag::Real));
    appendRaw(data_, v);
}

void RowBuffer::addBytes(Tag tag, std::string_view bytes)
{
    data_.push_back(static_cast<char>(tag));
    appendRaw(data_, static_cast<std::uint32_t>(bytes.size()));
    data_.append(bytes);
}

void RowBuffer::addSqlite(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: addInteger(sqlite3_value_int64(v)); break;
    case SQLITE_FLOAT: addReal(sqlite3_value_double(v)); break;
    case SQLITE_TEXT: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
        addBytes(Tag::Text, std::string_view(p, static_cast<std::size_t>(sqlite3_value_bytes(v))));
        break;
    }
    case SQLITE_BLOB: {
        const auto* p = static_cast<const char*>(sqlite3_value_blob(v));
        addBytes(Tag::Blob, std::string_view(p ? p : "", static_cast<std::size_t>(sqlite3_value_bytes(v))));
        break;
    }
    default: addNull(); break;
    }
}

void RowBuffer::addValue(const Value& v)
{
    visitSqliteForm(
        v, [&](std::int64_t x) { addInteger(x); }, [&](double x) { addReal(x); },
        [&](const std::string& s) { addBytes(Tag::Text, s); }, [&](const std::string& s) { addBytes(Tag::Blob, s); },
        [&] { addNull(); });
}

namespace {
std::atomic<std::size_t> budget{std::size_t{256} << 20};
}

std::size_t resultMemoryBudget()
{
    return budget.load();
}

void setResultMemoryBudget(std::size_t bytes)
{
    budget.store(bytes);
}

void RowBuffer::sealChunk()
{
    dataStart_ += data_.size();
    chunkStarts_.push_back(dataStart_ - data_.size());
    chunks_.push_back(std::move(data_));
    data_ = std::string();
    if (memoryHeld() < budget_) return;
    for (const std::string& chunk : chunks_) spill_.append(chunk);
    chunks_.clear();
    chunkStarts_.clear();
    for (std::size_t i = 0; i < rowStarts_.size(); ++i)
        if ((spilledRows_ + i) % rowsPerMark == 0) spilledMarks_.push_back(rowStarts_[i]);
    spilledRows_ += rowStarts_.size();
    rowStarts_ = std::vector<std::size_t>();
}

const char* RowBuffer::rowBytes(std::size_t row) const
{
    if (row < spilledRows_) return spilledRowBytes(row);
    const std::size_t start = rowStarts_[row - spilledRows_];
    if (start >= dataStart_) return data_.data() + (start - dataStart_);
    const auto chunk = std::upper_bound(chunkStarts_.begin(), chunkStarts_.end(), start) - 1;
    return chunks_[static_cast<std::size_t>(chunk - chunkStarts_.begin())].data() + (start - *chunk);
}

// From the nearest offset kept, or the row found last, step over the rows in between.
const char* RowBuffer::spilledRowBytes(std::size_t row) const
{
    if (row != lastSpilledRow_ || lastSpilledSize_ == 0) {
        std::size_t at = row - row % rowsPerMark, start = spilledMarks_[row / rowsPerMark];
        if (lastSpilledSize_ != 0 && lastSpilledRow_ < row && lastSpilledRow_ >= at) {
            at = lastSpilledRow_ + 1;
            start = lastSpilledStart_ + lastSpilledSize_;
        }
        for (; at < row; ++at) start += spilledRowSize(start);
        lastSpilledRow_ = row;
        lastSpilledStart_ = start;
        lastSpilledSize_ = spilledRowSize(start);
    }
    return spilledBytes(lastSpilledStart_, lastSpilledSize_);
}

std::size_t RowBuffer::spilledRowSize(std::size_t start) const
{
    std::size_t at = start;
    for (std::size_t c = 0; c < columns_; ++c) {
        switch (static_cast<Tag>(*spilledBytes(at++, 1))) {
        case Tag::Null: break;
        case Tag::Integer:
        case Tag::Real: at += 8; break;
        case Tag::Text:
        case Tag::Blob: at += 4 + readRaw<std::uint32_t>(spilledBytes(at, 4)); break;
        }
    }
    return at - start;
}

const char* RowBuffer::spilledBytes(std::size_t start, std::size_t length) const
{
    if (start < windowStart_ || start + length > windowStart_ + window_.size()) {
        // The bytes from here on, as far as the window reaches; at least those asked for.
        const std::size_t read = std::min<std::size_t>(std::max(readWindow, length), spill_.size() - start);
        window_.resize(read);
        windowStart_ = start;
        spill_.read(start, window_.data(), read);
    }
    return window_.data() + (start - windowStart_);
}

RowBuffer::Cell RowBuffer::cell(std::size_t row, std::size_t column) const
{
    const char* p = rowBytes(row);
    for (std::size_t c = 0;; ++c) {
        Cell cell;
        cell.tag = static_cast<Tag>(*p++);
        std::size_t size = 0;
        switch (cell.tag) {
        case Tag::Null: break;
        case Tag::Integer:
            cell.integer = readRaw<std::int64_t>(p);
            size = 8;
            break;
        case Tag::Real:
            cell.real = readRaw<double>(p);
            size = 8;
            break;
        case Tag::Text:
        case Tag::Blob: {
            const auto length = readRaw<std::uint32_t>(p);
            cell.bytes = std::string_view(p + 4, length);
            size = 4 + length;
            break;
        }
        }
        if (c == column) return cell;
        p += size;
    }
}

void RowBuffer::resultCell(sqlite3_context* ctx, std::size_t row, std::size_t column) const
{
    const Cell c = cell(row, column);
    // A row from the file lives in the read window, which the next row may replace.
    const sqlite3_destructor_type lifetime = spilled() ? SQLITE_TRANSIENT : SQLITE_STATIC;
    switch (c.tag) {
    case Tag::Null: sqlite3_result_null(ctx); break;
    case Tag::Integer: sqlite3_result_int64(ctx, c.integer); break;
    case Tag::Real: sqlite3_result_double(ctx, c.real); break;
    case Tag::Text: sqlite3_result_text64(ctx, c.bytes.data(), c.bytes.size(), lifetime, SQLITE_UTF8); break;
    case Tag::Blob: sqlite3_result_blob64(ctx, c.bytes.data(), c.bytes.size(), lifetime); break;
    }
}

}  // namespace querimo::sql
