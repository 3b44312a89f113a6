#include "jet/rows/RowEncoder.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>

#include "core/Error.h"
#include "core/ExtendedDate.h"
#include "core/Text.h"
#include "jet/format/LongValueLayout.h"
#include "jet/format/TableDefinitionLayout.h"
#include "jet/rows/LongValue.h"

namespace querimo::jet {

namespace {

void putLittle(std::string& out, std::size_t at, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i, value >>= 8)
        out[at + static_cast<std::size_t>(i)] = static_cast<char>(value & 0xFF);
}

std::string little(std::uint64_t value, int bytes)
{
    std::string out(static_cast<std::size_t>(bytes), '\0');
    putLittle(out, 0, value, bytes);
    return out;
}

[[noreturn]] void refuse(const std::string& what, const ColumnDef& column)
{
    throw DbError(errc::typeMismatch, what + " (kolom '" + column.name + "')");
}

// Date/Time Extended from its text "yyyy-mm-dd hh:mm:ss.fffffff" (layout in TableDefinitionLayout.h).
std::string extendedDateBytes(const std::string& text, const ColumnDef& column)
{
    const auto e = datetime::parseExtendedText(text);
    if (!e) refuse("'" + text + "' is geen datum en tijd (jjjj-mm-dd uu:mm:ss.fffffff)", column);
    char out[96];  // room for any number; a parsed value always takes extendedDateSize - 1 characters
    std::snprintf(out, sizeof out, "%019lld:%012lld%07lld:7", static_cast<long long>(e->days),
                  static_cast<long long>(e->seconds), static_cast<long long>(e->ticks));
    return std::string(out, extendedDateSize - 1) + '\0';
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}": the first three groups are stored little-endian.
std::string guidBytes(const std::string& text, const ColumnDef& column)
{
    std::string hex;
    for (char ch : text)
        if (std::isxdigit(static_cast<unsigned char>(ch)))
            hex += ch;
        else if (ch != '{' && ch != '}' && ch != '-')
            refuse("De waarde '" + text + "' is geen geldige GUID", column);
    if (hex.size() != 32) refuse("De waarde '" + text + "' is geen geldige GUID", column);
    std::string bytes;
    for (std::size_t i = 0; i < 32; i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    std::reverse(bytes.begin(), bytes.begin() + 4);
    std::reverse(bytes.begin() + 4, bytes.begin() + 6);
    std::reverse(bytes.begin() + 6, bytes.begin() + 8);
    return bytes;
}

// Exact decimal text ("-12.340") to Jet 4's form: a sign byte, then the value scaled to the column's
// scale as a 128-bit number in four 32-bit little-endian words, the most significant word first.
std::string decimalBytes(const std::string& text, const ColumnDef& column)
{
    bool negative = false;
    std::string digits;
    int fraction = -1;
    for (char ch : text) {
        if (ch == '-' && digits.empty() && !negative)
            negative = true;
        else if (ch == '.' && fraction < 0)
            fraction = 0;
        else if (ch >= '0' && ch <= '9') {
            digits += ch;
            if (fraction >= 0) ++fraction;
        } else
            refuse("De waarde '" + text + "' is geen geldig getal", column);
    }
    if (digits.empty()) refuse("De waarde '" + text + "' is geen geldig getal", column);
    const int places = std::max(fraction, 0);
    if (places > column.scale) {
        // Only trailing zeros may be dropped; rounding is the caller's business.
        const std::size_t cut = digits.size() - static_cast<std::size_t>(places - column.scale);
        if (digits.find_first_not_of('0', cut) != std::string::npos)
            refuse("De waarde '" + text + "' heeft meer decimalen dan de kolom toestaat", column);
        digits.resize(cut);
    } else {
        digits.append(static_cast<std::size_t>(column.scale - places), '0');
    }
    const std::size_t significant = digits.find_first_not_of('0');
    if (significant != std::string::npos && digits.size() - significant > static_cast<std::size_t>(column.precision))
        refuse("De waarde '" + text + "' past niet in de precisie van de kolom", column);
    std::uint32_t words[4] = {};  // most significant first
    for (char d : digits) {
        std::uint64_t carry = static_cast<std::uint64_t>(d - '0');
        for (int w = 3; w >= 0; --w) {
            const std::uint64_t v = std::uint64_t{words[w]} * 10 + carry;
            words[w] = static_cast<std::uint32_t>(v);
            carry = v >> 32;
        }
        if (carry) refuse("De waarde '" + text + "' is te groot", column);
    }
    std::string out(1, negative && significant != std::string::npos ? '\x80' : '\0');
    for (std::uint32_t w : words) out += little(w, 4);
    return out;
}

// Compressed Unicode holds characters U+0001..U+00FF as single bytes after the marker FF FE.
std::optional<std::string> compressUnicode(const std::u16string& units)
{
    std::string out = "\xFF\xFE";
    for (char16_t u : units) {
        if (u == 0 || u > 0xFF) return std::nullopt;
        out += static_cast<char>(u);
    }
    return out;
}

}  // namespace

std::string encodeJetText(const std::string& utf8, Version version, bool mayCompress, const std::string& columnName)
{
    if (version == Version::Jet3) {
        std::string out;
        std::size_t pos = 0;
        while (pos < utf8.size()) {
            const char32_t c = text::decodeUtf8(utf8, pos);
            std::string one;
            text::appendUtf8(one, c);
            const std::string mapped = text::toWindows1252(one);
            if (mapped == "?" && c != U'?')
                throw DbError(errc::typeMismatch, "Het teken '" + one + "' kan niet worden opgeslagen in de kolom '"
                                                      + columnName + "' van een Access 97-database");
            out += mapped;
        }
        return out;
    }
    const std::string plain = text::toUtf16le(utf8);
    if (mayCompress) {
        std::u16string units(plain.size() / 2, u'\0');
        for (std::size_t i = 0; i < units.size(); ++i)
            units[i] = static_cast<char16_t>(static_cast<unsigned char>(plain[2 * i])
                                             | (static_cast<unsigned char>(plain[2 * i + 1]) << 8));
        if (auto compressed = compressUnicode(units); compressed && compressed->size() < plain.size())
            return *compressed;
    }
    return plain;
}

std::string inlineLongValue(const std::string& stored)
{
    std::string reference(longValueReferenceSize, '\0');
    putLittle(reference, 0, stored.size(), 3);
    reference[3] = static_cast<char>(longValueInlineByte);
    return reference + stored;
}

RowEncoder::RowEncoder(const Format& format, const TableLayout& table) : format_(format), table_(table)
{
    for (std::size_t i = 0; i < table.def.columns.size(); ++i)
        if (table.def.columns[i].fixed && table.def.columns[i].type != ColumnType::Boolean)
            fixedSize_ =
                std::max(fixedSize_, static_cast<std::size_t>(table.storage[i].fixedOffset + table.storage[i].length));
}

std::string RowEncoder::fixedBytes(const ColumnDef& column, const ColumnStorage& storage, const Value& value) const
{
    switch (column.type) {
    case ColumnType::Byte: return little(static_cast<std::uint64_t>(value.integer), 1);
    case ColumnType::Integer: return little(static_cast<std::uint64_t>(value.integer), 2);
    case ColumnType::Long:
    case ColumnType::Complex: return little(static_cast<std::uint64_t>(value.integer), 4);
    case ColumnType::Currency:
    case ColumnType::BigInt: return little(static_cast<std::uint64_t>(value.integer), 8);
    case ColumnType::Single: return little(std::bit_cast<std::uint32_t>(static_cast<float>(value.real)), 4);
    case ColumnType::Double:
    case ColumnType::DateTime: return little(std::bit_cast<std::uint64_t>(value.real), 8);
    case ColumnType::Guid: return guidBytes(value.bytes, column);
    case ColumnType::Decimal: return decimalBytes(value.bytes, column);
    case ColumnType::DateTimeExtended: return extendedDateBytes(value.bytes, column);
    default: {
        // Fixed-length text and binary: padded to the column's size (text with spaces).
        std::string bytes = variableBytes(column, storage, value);
        if (bytes.size() > static_cast<std::size_t>(storage.length))
            refuse("De waarde is te lang voor het veld", column);
        std::string pad = column.type == ColumnType::Text ? encodeJetText(" ", format_.version, false, column.name)
                                                          : std::string(1, '\0');
        while (bytes.size() + pad.size() <= static_cast<std::size_t>(storage.length)) bytes += pad;
        bytes.resize(static_cast<std::size_t>(storage.length), '\0');
        return bytes;
    }
    }
}

std::string RowEncoder::variableBytes(const ColumnDef& column, const ColumnStorage& storage, const Value& value) const
{
    switch (column.type) {
    case ColumnType::Text: {
        std::size_t characters = 0;
        for (std::size_t pos = 0; pos < value.bytes.size(); ++characters) text::decodeUtf8(value.bytes, pos);
        if (column.size > 0 && characters > static_cast<std::size_t>(column.size))
            refuse("De tekst is langer dan de veldlengte van " + std::to_string(column.size) + " tekens", column);
        return encodeJetText(value.bytes, format_.version, storage.compressedUnicode, column.name);
    }
    case ColumnType::Binary:
        if (static_cast<std::size_t>(storage.length) > 0
            && value.bytes.size() > static_cast<std::size_t>(storage.length))
            refuse("De waarde is langer dan de veldlengte van " + std::to_string(storage.length) + " bytes", column);
        return value.bytes;
    case ColumnType::Memo:
        // Memos kept inside the row are compressed whatever the column's flag says (as Access files show).
        return inlineLongValue(encodeJetText(value.bytes, format_.version, true, column.name));
    case ColumnType::OleObject: return inlineLongValue(value.bytes);
    default: return fixedBytes(column, storage, value);  // a fixed type kept in the variable part
    }
}

std::string RowEncoder::encode(const std::vector<Value>& values,
                               const std::vector<std::optional<std::string>>* storedLongValues) const
{
    const auto& columns = table_.def.columns;
    const std::size_t columnCount = static_cast<std::size_t>(table_.maxColumns);
    const std::size_t maskBytes = (columnCount + 7) / 8;
    std::string row(format_.rowCountSize + fixedSize_, '\0');
    putLittle(row, 0, columnCount, static_cast<int>(format_.rowCountSize));
    std::string mask(maskBytes, '\0');
    auto markPresent = [&](const ColumnDef& column) {
        const auto n = static_cast<std::size_t>(column.number);
        if (n >= columnCount) refuse("Het kolomnummer valt buiten de tabeldefinitie", column);
        mask[n / 8] = static_cast<char>(mask[n / 8] | (1 << (n % 8)));
    };

    // Variable data in the order of the offset table.
    std::vector<std::size_t> variableOrder;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const ColumnDef& column = columns[i];
        const Value& value = i < values.size() ? values[i] : Value{};
        if (column.type == ColumnType::Boolean) {
            if (!value.isNull() && value.integer != 0) markPresent(column);
            continue;
        }
        if (value.isNull()) {
            if (column.required) refuse("Dit veld moet een waarde hebben", column);
            continue;
        }
        markPresent(column);
        if (column.fixed) {
            const std::string bytes = fixedBytes(column, table_.storage[i], value);
            std::memcpy(row.data() + format_.rowCountSize + table_.storage[i].fixedOffset, bytes.data(), bytes.size());
        } else {
            variableOrder.push_back(i);
        }
    }
    if (table_.variableColumns == 0) return row + mask;

    std::sort(variableOrder.begin(), variableOrder.end(), [&](std::size_t a, std::size_t b) {
        return table_.storage[a].variableIndex < table_.storage[b].variableIndex;
    });
    std::vector<std::size_t> offsets(static_cast<std::size_t>(table_.variableColumns), 0);
    std::size_t next = 0;  // next entry of the offset table to fill
    for (std::size_t i : variableOrder) {
        const auto index = static_cast<std::size_t>(table_.storage[i].variableIndex);
        if (index >= offsets.size()) refuse("De kolom valt buiten de tabel van variabele kolommen", columns[i]);
        // Null or deleted columns before this one take its offset: they hold no bytes.
        for (; next <= index; ++next) offsets[next] = row.size();
        if (isLongValue(columns[i].type) && storedLongValues && i < storedLongValues->size() && (*storedLongValues)[i])
            row += *(*storedLongValues)[i];
        else
            row += variableBytes(columns[i], table_.storage[i], values[i]);
    }
    for (; next < offsets.size(); ++next) offsets[next] = row.size();
    const std::size_t end = row.size();
    return row + trailer(offsets, end, maskBytes) + mask;
}

// Jet 4: end of data, the offsets last to first, their count (2 bytes each). Jet 3 has single bytes and,
// for offsets past 255, a jump table that names the first entry in each next 256-byte block.
std::string RowEncoder::trailer(const std::vector<std::size_t>& offsets, std::size_t end, std::size_t maskBytes) const
{
    std::string out;
    if (format_.jet4()) {
        out += little(end, 2);
        for (auto it = offsets.rbegin(); it != offsets.rend(); ++it) out += little(*it, 2);
        out += little(offsets.size(), 2);
        return out;
    }
    std::vector<std::size_t> all = offsets;
    all.push_back(end);
    if (offsets.size() > 255) throw DbError(errc::fail, "De tabel heeft te veel kolommen van variabele lengte");
    // One jump entry per 256-byte block the offsets reach; Access adds a filler entry (FF) when only the
    // trailer itself runs into the next block, so that the entries always number (row size - 1) / 256.
    const std::size_t jumps = end / 256;
    std::size_t entries = jumps;
    while ((end + 1 + offsets.size() + entries + 1 + maskBytes - 1) / 256 > entries) ++entries;
    if (end + 1 + offsets.size() + entries + 1 + maskBytes > format_.pageSize)
        throw DbError(errc::fail, "De rij is te groot voor een pagina");
    out += static_cast<char>(end & 0xFF);
    for (auto it = offsets.rbegin(); it != offsets.rend(); ++it) out += static_cast<char>(*it & 0xFF);
    out.append(entries - jumps, '\xFF');
    for (std::size_t block = jumps; block >= 1; --block) {
        const auto first = std::find_if(all.begin(), all.end(), [&](std::size_t o) { return o >= 256 * block; });
        out += static_cast<char>(first - all.begin());
    }
    out += static_cast<char>(offsets.size());
    return out;
}

}  // namespace querimo::jet
