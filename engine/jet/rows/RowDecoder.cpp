#include "jet/rows/RowDecoder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/ExtendedDate.h"
#include "jet/format/TableDefinitionLayout.h"
#include "jet/rows/JetText.h"
#include "jet/rows/LongValue.h"

namespace querimo::jet {

namespace {

bool storedNumber(ByteView data, std::size_t at, std::size_t count, std::int64_t& out)
{
    out = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        const std::uint8_t c = data.u8(i);
        if (c < '0' || c > '9') return false;
        out = out * 10 + (c - '0');
    }
    return true;
}

// Date/Time Extended (layout in TableDefinitionLayout.h); bytes of another layout read as they are.
Value extendedDateValue(ByteView data)
{
    constexpr std::int64_t lastDay = 3652058;  // 31 December 9999
    std::int64_t high = 0, days = 0, seconds = 0, ticks = 0;
    const bool known = data.size() >= extendedDateSize && storedNumber(data, 0, 12, high) && high == 0
                       && storedNumber(data, 12, 7, days) && days <= lastDay && data.u8(19) == ':'
                       && storedNumber(data, 20, 12, seconds) && seconds < 86400 && storedNumber(data, 32, 7, ticks);
    if (!known) return Value::binary(data.bytes(0, data.size()));
    return Value::text(datetime::extendedText({days, seconds, ticks}));
}

}  // namespace

RowDecoder::RowDecoder(PageFile& file, const Format& format, const TableLayout& table)
    : file_(file), format_(format), table_(table)
{}

// Offsets of the variable columns (and, as the last entry, the end of the variable data), from the table
// at the end of the row. Jet 3 stores single bytes and counts the 256-byte steps in a jump table.
const std::vector<std::size_t>& RowDecoder::variableOffsets(ByteView row, std::size_t maskBytes) const
{
    const std::size_t size = row.size();
    std::vector<std::size_t>& offsets = offsets_;
    offsets.clear();
    if (format_.jet4()) {
        if (size < maskBytes + 2) corrupt("een rij is te kort");
        const std::size_t count = row.u16(size - maskBytes - 2);
        if (size < maskBytes + 4 + 2 * count) corrupt("de tabel van variabele kolommen past niet in de rij");
        for (std::size_t i = 0; i <= count; ++i) offsets.push_back(row.u16(size - maskBytes - 4 - 2 * i));
    } else {
        if (size < maskBytes + 2) corrupt("een rij is te kort");
        const std::size_t count = row.u8(size - maskBytes - 1);
        const std::size_t last = size - 1;
        std::size_t jumps = last / 256;
        if (last < maskBytes + jumps + 1 + count) corrupt("de tabel van variabele kolommen past niet in de rij");
        const std::size_t first = last - maskBytes - jumps - 1;
        if ((first - count) / 256 < jumps) --jumps;  // the last jump entry is only filler
        std::size_t used = 0;
        for (std::size_t i = 0; i <= count; ++i) {
            while (used < jumps && i == row.u8(last - maskBytes - used - 1)) ++used;
            offsets.push_back(row.u8(first - i) + 256 * used);
        }
    }
    for (std::size_t i = 0; i + 1 < offsets.size(); ++i)
        if (offsets[i] > offsets[i + 1] || offsets[i + 1] > size)
            corrupt("de tabel van variabele kolommen is ongeldig");
    return offsets;
}

void RowDecoder::decode(ByteView row, std::vector<Value>& values) const
{
    const std::size_t columnCount = format_.jet4() ? row.u16(0) : row.u8(0);
    const std::size_t maskBytes = (columnCount + 7) / 8;
    if (row.size() < format_.rowCountSize + maskBytes) corrupt("een rij is te kort");
    const ByteView nullMask = row.sub(row.size() - maskBytes, maskBytes);
    const bool anyVariable =
        std::any_of(table_.def.columns.begin(), table_.def.columns.end(), [](const ColumnDef& c) { return !c.fixed; });
    static const std::vector<std::size_t> none;
    const std::vector<std::size_t>& offsets = anyVariable ? variableOffsets(row, maskBytes) : none;

    values.resize(table_.def.columns.size());
    for (std::size_t i = 0; i < table_.def.columns.size(); ++i) {
        const ColumnDef& column = table_.def.columns[i];
        const ColumnStorage& storage = table_.storage[i];
        const std::size_t n = static_cast<std::size_t>(column.number);
        const bool present = n < columnCount && (nullMask.u8(n / 8) & (1u << (n % 8))) != 0;
        if (column.type == ColumnType::Boolean && !column.calculated) {
            values[i] = Value::boolean(present);
        } else if (!present) {
            values[i] = Value::null();
        } else if (column.fixed) {
            const ByteView data = row.sub(format_.rowCountSize + storage.fixedOffset, storage.length);
            values[i] = column.calculated ? calculatedValue(column, data) : fixedValue(column, data);
        } else {
            const std::size_t v = static_cast<std::size_t>(storage.variableIndex);
            if (v + 1 >= offsets.size()) {
                values[i] = Value::null();  // added after this row was written
            } else {
                const ByteView data = row.sub(offsets[v], offsets[v + 1] - offsets[v]);
                values[i] = column.calculated ? calculatedValue(column, data) : variableValue(column, data);
            }
        }
    }
}

Value RowDecoder::fixedValue(const ColumnDef& column, ByteView data) const
{
    switch (column.type) {
    case ColumnType::Byte: return Value::byte(data.u8(0));
    case ColumnType::Integer: return Value::int16(data.i16(0));
    case ColumnType::Long:
    case ColumnType::Complex: return Value::int32(data.i32(0));
    case ColumnType::Currency: return Value::currency(data.i64(0));
    case ColumnType::BigInt: return Value::int64(data.i64(0));
    case ColumnType::Single: return Value::single(data.f32(0));
    case ColumnType::Double: return Value::dbl(data.f64(0));
    case ColumnType::DateTime: return Value::dateTime(data.f64(0));
    case ColumnType::Guid: return Value::guid(guidText(data));
    case ColumnType::Decimal: return Value::decimal(decimalText(data, column.scale));
    case ColumnType::DateTimeExtended: return extendedDateValue(data);
    default: return variableValue(column, data);
    }
}

namespace {

// A calculated Decimal has a layout of its own: the length of what follows (2 bytes), its scale, its sign, then
// the digits' magnitude in at most 16 bytes, most significant first in 8-byte little-endian groups (a 4-byte
// group leads when the length is no multiple of 8). The scale is the value's own, not the column's.
Value calculatedDecimal(ByteView result)
{
    if (result.size() < 4) return Value::null();
    const std::size_t stated = result.u16(0);
    const std::size_t length =
        std::min({stated >= 2 ? stated - 2 : result.size(), result.size() - 4, std::size_t{16}}) / 4 * 4;
    // As an ordinary Decimal: the sign, then four 4-byte words, most significant first.
    std::uint8_t plain[17] = {};
    plain[0] = result.u8(3);
    std::size_t word = 4 - length / 4;
    const ByteView digits = result.sub(4, length);
    std::size_t at = 0;
    if (length % 8 != 0) {
        std::memcpy(plain + 1 + 4 * word++, digits.data(), 4);
        at = 4;
    }
    for (; at < length; at += 8, word += 2) {
        std::memcpy(plain + 1 + 4 * word, digits.data() + at + 4, 4);
        std::memcpy(plain + 1 + 4 * (word + 1), digits.data() + at, 4);
    }
    return Value::decimal(decimalText(ByteView(plain, sizeof plain), std::min<int>(result.u8(2), 28)));
}

}  // namespace

// A calculated column keeps the result of its expression wrapped: 16 bytes, the result's length (4 bytes), the
// result, 3 bytes; a Memo wraps the long value's content. Yes/No is a byte there, not a bit of the null mask.
Value RowDecoder::calculatedValue(const ColumnDef& column, ByteView data) const
{
    std::string longValue;
    if (column.type == ColumnType::Memo) {
        longValue = readLongValue(file_, format_, data);
        data = ByteView(reinterpret_cast<const std::uint8_t*>(longValue.data()), longValue.size());
    }
    if (data.size() < calculatedValueOffset) return Value::null();
    const ByteView result =
        data.sub(calculatedValueOffset, std::min<std::size_t>(data.u32(16), data.size() - calculatedValueOffset));
    if (result.size() == 0) return Value::null();
    switch (column.type) {
    case ColumnType::Boolean: return Value::boolean(result.u8(0) != 0);
    case ColumnType::Text:
    case ColumnType::Memo: return Value::text(decodeJetText(result, format_.version));
    case ColumnType::Decimal: return calculatedDecimal(result);
    default: return fixedValue(column, result);
    }
}

Value RowDecoder::variableValue(const ColumnDef& column, ByteView data) const
{
    switch (column.type) {
    case ColumnType::Text: return Value::text(decodeJetText(data, format_.version));
    case ColumnType::Binary: return Value::binary(data.bytes(0, data.size()));
    case ColumnType::Memo: {
        const std::string stored = readLongValue(file_, format_, data);
        return Value::text(decodeJetText(ByteView(reinterpret_cast<const std::uint8_t*>(stored.data()), stored.size()),
                                         format_.version));
    }
    case ColumnType::OleObject: return Value::binary(readLongValue(file_, format_, data));
    default: return fixedValue(column, data);  // fixed types stored as variable data by older files
    }
}

std::string decimalText(ByteView stored, int scale)
{
    std::uint32_t words[4];
    for (int w = 0; w < 4; ++w) words[w] = stored.u32(1 + 4 * w);
    std::string digits;
    bool nonZero = true;
    while (nonZero) {
        std::uint64_t remainder = 0;
        nonZero = false;
        for (auto& word : words) {
            const std::uint64_t current = (remainder << 32) | word;
            word = static_cast<std::uint32_t>(current / 10);
            remainder = current % 10;
            nonZero = nonZero || word != 0;
        }
        digits.push_back(static_cast<char>('0' + remainder));
    }
    const std::size_t places = static_cast<std::size_t>(std::clamp(scale, 0, 38));
    while (digits.size() <= places) digits.push_back('0');
    std::reverse(digits.begin(), digits.end());
    if (places > 0) {
        const std::size_t whole = digits.size() - places;
        digits = digits.substr(0, whole) + '.' + digits.substr(whole);
    }
    const bool negative = stored.u8(0) != 0 && digits.find_first_not_of("0.") != std::string::npos;
    return negative ? "-" + digits : digits;
}

std::string guidText(ByteView stored)
{
    char text[39];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", stored.u32(0), stored.u16(4),
                  stored.u16(6), stored.u8(8), stored.u8(9), stored.u8(10), stored.u8(11), stored.u8(12), stored.u8(13),
                  stored.u8(14), stored.u8(15));
    return text;
}

}  // namespace querimo::jet
