#include "jet/tables/IndexKey.h"

#include <bit>
#include <cstdio>
#include <cstring>

#include "core/Error.h"
#include "core/Text.h"
#include "jet/tables/IndexKeyText.h"

namespace querimo::jet {

namespace {

// Flag byte before each column: a value follows, or the column is Null (sorting first ascending,
// last descending).
constexpr char ascendingValue = 0x7F;
constexpr char descendingValue = static_cast<char>(0x80);
constexpr char ascendingNull = 0x00;
constexpr char descendingNull = static_cast<char>(0xFF);

std::string bigEndian(std::uint64_t bits, int bytes)
{
    std::string out(static_cast<std::size_t>(bytes), '\0');
    for (int i = bytes - 1; i >= 0; --i, bits >>= 8) out[static_cast<std::size_t>(i)] = static_cast<char>(bits & 0xFF);
    return out;
}

void invert(std::string& bytes)
{
    for (char& b : bytes) b = static_cast<char>(~static_cast<unsigned char>(b));
}

// Two's complement integers: sign bit flipped, so negative numbers sort first.
std::string integerKey(std::int64_t value, int bytes, bool ascending)
{
    std::string out = bigEndian(static_cast<std::uint64_t>(value), bytes);
    out[0] = static_cast<char>(out[0] ^ 0x80);
    if (!ascending) invert(out);
    return out;
}

// IEEE numbers: positive ones get the sign bit set, negative ones are inverted whole, which orders them.
std::string floatingKey(std::uint64_t bits, int bytes, bool ascending)
{
    std::string out = bigEndian(bits, bytes);
    const bool negative = (static_cast<unsigned char>(out[0]) & 0x80) != 0;
    if (!negative) out[0] = static_cast<char>(out[0] ^ 0x80);
    if (negative == ascending) invert(out);
    return out;
}

// Binary values go in 8-byte segments, each followed by a length byte: 9 when more segments follow,
// else the number of bytes used in the last segment (zero-padded). Descending inverts everything except
// the length bytes of the segments that are not last.
std::string binaryKey(const std::string& data, bool ascending)
{
    std::string out;
    std::size_t pos = 0;
    while (data.size() - pos > 8) {
        std::string segment = data.substr(pos, 8);
        if (!ascending) invert(segment);
        out += segment;
        out += '\x09';
        pos += 8;
    }
    if (pos < data.size()) {
        std::string segment = data.substr(pos);
        const auto used = static_cast<char>(segment.size());
        segment.resize(8, '\0');
        segment += used;
        if (!ascending) invert(segment);
        out += segment;
    }
    return out;
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" to its 16 bytes in the order the text shows them.
std::string guidBytes(const std::string& text)
{
    std::string out;
    int high = -1;
    for (char ch : text) {
        int digit;
        if (ch >= '0' && ch <= '9')
            digit = ch - '0';
        else if (ch >= 'a' && ch <= 'f')
            digit = ch - 'a' + 10;
        else if (ch >= 'A' && ch <= 'F')
            digit = ch - 'A' + 10;
        else
            continue;
        if (high < 0)
            high = digit;
        else
            out += static_cast<char>(high << 4 | digit), high = -1;
    }
    if (out.size() != 16) throw DbError(errc::typeMismatch, "De waarde '" + text + "' is geen geldige GUID");
    return out;
}

[[noreturn]] void unsupported(ColumnType type)
{
    throw DbError(errc::fail, "Een index op een kolom van dit type (" + std::to_string(static_cast<int>(type))
                                  + ") kan niet worden bijgewerkt");
}

}  // namespace

IndexKey encodeIndexKey(Version version, const std::vector<KeyColumn>& columns, const std::vector<Value>& values)
{
    IndexKey key;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const KeyColumn& column = columns[i];
        const Value& value = i < values.size() ? values[i] : Value{};
        // Yes/No is never Null in Jet; a missing value counts as No.
        if (value.isNull() && column.type != ColumnType::Boolean) {
            key.bytes += column.ascending ? ascendingNull : descendingNull;
            continue;
        }
        key.bytes += column.ascending ? ascendingValue : descendingValue;
        switch (column.type) {
        case ColumnType::Boolean: {
            const bool yes = value.integer != 0;
            key.bytes += (yes == column.ascending) ? '\x00' : '\xFF';
            break;
        }
        case ColumnType::Byte: {
            std::string b(1, static_cast<char>(value.integer & 0xFF));
            if (!column.ascending) invert(b);
            key.bytes += b;
            break;
        }
        case ColumnType::Integer: key.bytes += integerKey(value.integer, 2, column.ascending); break;
        case ColumnType::Long:
        case ColumnType::Complex: key.bytes += integerKey(value.integer, 4, column.ascending); break;
        case ColumnType::Currency:
        case ColumnType::BigInt: key.bytes += integerKey(value.integer, 8, column.ascending); break;
        case ColumnType::Single:
            key.bytes += floatingKey(std::bit_cast<std::uint32_t>(static_cast<float>(value.real)), 4, column.ascending);
            break;
        case ColumnType::Double:
        case ColumnType::DateTime:
            key.bytes += floatingKey(std::bit_cast<std::uint64_t>(value.real), 8, column.ascending);
            break;
        case ColumnType::Guid: key.bytes += binaryKey(guidBytes(value.bytes), column.ascending); break;
        case ColumnType::Binary: key.bytes += binaryKey(value.bytes, column.ascending); break;
        case ColumnType::Text:
        case ColumnType::Memo:
            if (column.collation == Collation::Unknown) {
                key.unknownSortOrder = true;
                return key;
            }
            if (auto failed = appendTextKey(key.bytes, version, column.collation, value.bytes, column.ascending)) {
                key.unencodable = failed;
                return key;
            }
            break;
        default: unsupported(column.type);
        }
    }
    return key;
}

KeyColumn keyColumn(Version version, const TableLayout& table, std::size_t position, bool ascending)
{
    const ColumnDef& column = table.def.columns.at(position);
    const ColumnStorage& storage = table.storage.at(position);
    return {storage.typeCode != 0 ? static_cast<ColumnType>(storage.typeCode) : column.type, ascending,
            collationOf(version, storage)};
}

Collation collationOf(Version version, const ColumnStorage& storage)
{
    if (storage.sortOrder != generalSortOrder) return Collation::Unknown;
    if (version == Version::Jet4 && (storage.sortOrderTail & 0xFF00) == general2010SortOrderTail)
        return Collation::General2010;
    if (version == Version::Jet4 && (storage.sortOrderTail & 0xFF00) != 0) return Collation::Unknown;
    return Collation::General;
}

std::string unencodableKeyMessage(const IndexKey& key, const std::string& indexName, const std::string& tableName)
{
    if (!key.unencodable)
        return "De index '" + indexName + "' van de tabel '" + tableName
               + "' gebruikt een sorteervolgorde voor tekst die niet wordt ondersteund; de opdracht is niet uitgevoerd";
    std::string shown;
    text::appendUtf8(shown, *key.unencodable);
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(*key.unencodable));
    return "Het teken '" + shown + "' (" + code + ") kan niet in de index '" + indexName + "' van de tabel '"
           + tableName + "' worden opgenomen; de opdracht is niet uitgevoerd";
}

}  // namespace querimo::jet
