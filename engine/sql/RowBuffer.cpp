#include "sql/RowBuffer.h"

#include <cstring>

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

RowBuffer::Cell RowBuffer::cell(std::size_t row, std::size_t column) const
{
    const char* p = data_.data() + rowStarts_[row];
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
    switch (c.tag) {
    case Tag::Null: sqlite3_result_null(ctx); break;
    case Tag::Integer: sqlite3_result_int64(ctx, c.integer); break;
    case Tag::Real: sqlite3_result_double(ctx, c.real); break;
    case Tag::Text: sqlite3_result_text64(ctx, c.bytes.data(), c.bytes.size(), SQLITE_STATIC, SQLITE_UTF8); break;
    case Tag::Blob: sqlite3_result_blob64(ctx, c.bytes.data(), c.bytes.size(), SQLITE_STATIC); break;
    }
}

}  // namespace querimo::sql
