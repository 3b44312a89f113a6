#include "jet/tables/IndexRange.h"

#include "core/Error.h"
#include "jet/tables/IndexPages.h"
#include "jet/tables/TextKeyCase.h"

namespace querimo::jet {

namespace {

// The flag byte of a present value (see IndexKey.cpp); Null flags lie below it ascending, above it descending.
constexpr char ascendingValue = 0x7F;
constexpr char descendingValue = static_cast<char>(0x80);

bool isText(const KeyColumn& column)
{
    return column.type == ColumnType::Text || column.type == ColumnType::Memo;
}

// Texts equal but for letter case must share a key, or the seek would miss some of them.
bool keysCoverCaseForms(Version version, const std::vector<KeyColumn>& columns, const std::vector<Value>& values)
{
    for (std::size_t i = 0; i < values.size(); ++i)
        if (isText(columns[i]) && !values[i].isNull()
            && !keyCoversCaseForms(version, columns[i].collation, values[i].bytes))
            return false;
    return true;
}

}  // namespace

bool KeyBounds::beforeLow(const std::string& key) const
{
    if (!low) return false;
    const int order = keyAgainst(key, low->bytes);
    return order == 0 ? !low->inclusive : order < 0;
}

bool KeyBounds::afterHigh(const std::string& key) const
{
    if (!high) return false;
    const int order = keyAgainst(key, high->bytes);
    return order == 0 ? !high->inclusive : order > 0;
}

std::optional<KeyBounds> keyBounds(Version version, const std::vector<KeyColumn>& columns, const KeyRange& range)
{
    KeyBounds bounds;
    if (!keyBounds(version, columns, range, bounds)) return std::nullopt;
    return bounds;
}

namespace {

void setBound(std::optional<KeyBounds::Bound>& bound, const std::string& bytes, bool inclusive)
{
    if (!bound) {
        bound = KeyBounds::Bound{bytes, inclusive};
        return;
    }
    bound->bytes.assign(bytes);
    bound->inclusive = inclusive;
}

}  // namespace

bool keyBounds(Version version, const std::vector<KeyColumn>& columns, const KeyRange& range, KeyBounds& bounds)
{
    const bool ranged = range.from || range.to || range.startsWith;
    if (range.equal.size() + (ranged ? 1 : 0) > columns.size())
        throw DbError(errc::fail, "Een zoekbereik noemt meer kolommen dan de index heeft");
    // A value for every column (a join's lookup by its whole key) needs no copy of the columns.
    std::vector<KeyColumn> some;
    if (range.equal.size() < columns.size())
        some.assign(columns.begin(), columns.begin() + static_cast<std::ptrdiff_t>(range.equal.size()));
    const std::vector<KeyColumn>& leading = range.equal.size() < columns.size() ? some : columns;
    const IndexKey prefix = encodeIndexKey(version, leading, range.equal);
    if (!prefix.encodable() || !keysCoverCaseForms(version, leading, range.equal)) return false;
    bounds.backward = range.backward;
    if (!ranged) {
        if (prefix.bytes.empty()) {
            bounds.low.reset();
            bounds.high.reset();
            return true;
        }
        setBound(bounds.low, prefix.bytes, true);
        setBound(bounds.high, prefix.bytes, true);
        return true;
    }
    const KeyColumn& column = columns[range.equal.size()];
    if (range.startsWith) {
        if (!isText(column))
            throw DbError(errc::fail, "Een zoekbereik op het begin van een tekst vraagt een tekstkolom");
        if (column.collation == Collation::Unknown) return false;
        const std::string codes = caseFormTextCodes(version, column.collation, *range.startsWith, column.ascending);
        if (codes.empty()) return false;  // every text would do: a scan costs less
        const char flag = column.ascending ? ascendingValue : descendingValue;
        const std::string start = prefix.bytes + flag + codes;
        setBound(bounds.low, start, true);
        setBound(bounds.high, start, true);
        return true;
    }
    const auto bound = [&](const std::optional<Value>& value, bool inclusive) -> std::optional<KeyBounds::Bound> {
        // Without a value: every present value, no Null.
        if (!value) return KeyBounds::Bound{prefix.bytes + (column.ascending ? ascendingValue : descendingValue), true};
        const IndexKey key = encodeIndexKey(version, {column}, {*value});
        if (!key.encodable()) return std::nullopt;
        return KeyBounds::Bound{prefix.bytes + key.bytes, inclusive};
    };
    auto smallest = bound(range.from, range.fromInclusive), largest = bound(range.to, range.toInclusive);
    if (!smallest || !largest) return false;
    if (!column.ascending) std::swap(smallest, largest);
    bounds.low = std::move(smallest);
    bounds.high = std::move(largest);
    return true;
}

}  // namespace querimo::jet
