#include "sql/ResultRows.h"

#include <cmath>
#include <limits>

#include "core/ValueText.h"
#include "sql/functions/TextForms.h"

namespace querimo::sql {

namespace {

using t = DataType;

// The value as SQLite holds it, when the column's type does not fit (a function that returned another type).
Value byStorage(const RowBuffer::Cell& c)
{
    switch (c.tag) {
    case RowBuffer::Tag::Null: return Value::null();
    case RowBuffer::Tag::Integer:
        if (c.integer >= std::numeric_limits<std::int32_t>::min()
            && c.integer <= std::numeric_limits<std::int32_t>::max())
            return Value::int32(static_cast<std::int32_t>(c.integer));
        return Value::dbl(static_cast<double>(c.integer));
    case RowBuffer::Tag::Real: return Value::dbl(c.real);
    case RowBuffer::Tag::Text: return Value::text(std::string(c.bytes));
    case RowBuffer::Tag::Blob: return Value::binary(std::string(c.bytes));
    }
    return Value::null();
}

bool numeric(const RowBuffer::Cell& c)
{
    return c.tag == RowBuffer::Tag::Integer || c.tag == RowBuffer::Tag::Real;
}
double number(const RowBuffer::Cell& c)
{
    return c.tag == RowBuffer::Tag::Integer ? static_cast<double>(c.integer) : c.real;
}

}  // namespace

Value accessValue(const RowBuffer::Cell& c, DataType dataType)
{
    if (c.tag == RowBuffer::Tag::Null) return Value::null();
    switch (dataType) {
    case t::Boolean:
        if (numeric(c)) return Value::boolean(number(c) != 0);
        break;
    case t::UnsignedTinyInt:
        if (c.tag == RowBuffer::Tag::Integer && c.integer >= 0 && c.integer <= 255)
            return Value::byte(static_cast<std::uint8_t>(c.integer));
        break;
    case t::SmallInt:
        if (c.tag == RowBuffer::Tag::Integer && c.integer >= -32768 && c.integer <= 32767)
            return Value::int16(static_cast<std::int16_t>(c.integer));
        break;
    case t::Integer: break;  // byStorage gives Long, or Double beyond its range
    case t::BigInt:
        if (c.tag == RowBuffer::Tag::Integer) return Value::int64(c.integer);
        break;
    case t::Currency:
        if (numeric(c) && std::fabs(number(c)) < 9.2e14) return Value::currency(std::llround(number(c) * 10000.0));
        break;
    case t::Single:
        if (numeric(c)) return Value::single(static_cast<float>(number(c)));
        break;
    case t::Double:
        if (numeric(c)) return Value::dbl(number(c));
        break;
    case t::Date:
        if (numeric(c)) return Value::dateTime(number(c));
        break;
    case t::Numeric:
        if (numeric(c)) return Value::decimal(functions::numberText(number(c)));
        break;
    case t::VarWChar:
    case t::LongVarWChar:
        if (c.tag == RowBuffer::Tag::Text || c.tag == RowBuffer::Tag::Blob) return Value::text(std::string(c.bytes));
        return Value::text(exportText(byStorage(c)));
    case t::Guid:
        if (c.tag == RowBuffer::Tag::Text) return Value::guid(std::string(c.bytes));
        break;
    case t::VarBinary:
    case t::LongVarBinary:
        if (c.tag == RowBuffer::Tag::Blob || c.tag == RowBuffer::Tag::Text) return Value::binary(std::string(c.bytes));
        break;
    default: break;
    }
    return byStorage(c);
}

void ResultRows::append(sqlite3_stmt* stmt)
{
    bool waited = false;
    {
        const std::lock_guard lock(mutex_);
        rows_.beginRow();
        for (std::size_t c = 0; c < types_.size(); ++c)
            rows_.addSqlite(sqlite3_column_value(stmt, static_cast<int>(c)));
        waited = waiting_ > 0;
    }
    // Most rows nobody waits for.
    if (waited) changed_.notify_all();
}

void ResultRows::finish()
{
    {
        const std::lock_guard lock(mutex_);
        complete_ = true;
    }
    changed_.notify_all();
}

void ResultRows::fail(const DbError& error)
{
    {
        const std::lock_guard lock(mutex_);
        failure_ = error;
        complete_ = true;
        rows_ = RowBuffer(types_.size());  // a spilled part's temporary file goes now
    }
    changed_.notify_all();
}

bool ResultRows::waitFor(std::unique_lock<std::mutex>& lock, std::size_t row) const
{
    ++waiting_;
    changed_.wait(lock, [&] { return complete_ || row < rows_.rowCount(); });
    --waiting_;
    if (failure_) throw *failure_;
    return row < rows_.rowCount();
}

std::size_t ResultRows::rowCount() const
{
    std::unique_lock lock(mutex_);
    waitFor(lock, std::numeric_limits<std::size_t>::max());
    return rows_.rowCount();
}

std::size_t ResultRows::rowsSoFar() const
{
    const std::lock_guard lock(mutex_);
    return rows_.rowCount();
}

bool ResultRows::complete() const
{
    const std::lock_guard lock(mutex_);
    return complete_;
}

bool ResultRows::hasRow(std::size_t row) const
{
    std::unique_lock lock(mutex_);
    return waitFor(lock, row);
}

Value ResultRows::value(std::size_t row, std::size_t column) const
{
    std::unique_lock lock(mutex_);
    if (!waitFor(lock, row)) throw DbError(errc::fail, "Die recordpositie bestaat niet.");
    return accessValue(rows_.cell(row, column), types_.at(column));
}

}  // namespace querimo::sql
