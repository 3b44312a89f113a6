#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Value.h"
#include "jet/Database.h"
#include "jet/tables/TableLayout.h"

namespace querimo::jet {

// Which codes a text column's keys take, by the sort order its definition names.
enum class Collation : std::uint8_t {
    General,      // the General order of the file's version: Access 97's codes in Jet 3, 2000-2007's in Jet 4
    General2010,  // the newer General order of Access 2010 and later
    Unknown,      // any other sort order: no keys can be made
};

// One column of an index as the key encoder needs it.
struct KeyColumn {
    ColumnType type = ColumnType::Text;
    bool ascending = true;
    Collation collation = Collation::General;
};

// The key column for the table's column at `position`: its type as stored (a kind the reader shows as another
// type keeps its own code, which the encoder refuses) and its text sort order.
KeyColumn keyColumn(Version version, const TableLayout& table, std::size_t position, bool ascending);

// The codes a column with this sort order takes.
Collation collationOf(Version version, const ColumnStorage& storage);

// The bytes Access stores for a row's key in an index leaf entry (without the row pointer), so that
// comparing keys byte by byte gives the index order. Text follows the General sort order (Jet 3: the
// Access 97 codes of Windows-1252; Jet 4: the 2000-2003 codes of every UTF-16 unit).
struct IndexKey {
    std::string bytes;
    // Set when a text value holds a character without a code (Jet 3: one Windows-1252 cannot hold); bytes is
    // then meaningless and the statement must be refused rather than write a wrong index.
    std::optional<char32_t> unencodable;
    // Set when a text column has a sort order whose codes we do not know; bytes is meaningless too.
    bool unknownSortOrder = false;

    bool encodable() const { return !unencodable && !unknownSortOrder; }
};

// values holds one value per key column, already converted to the column's type.
IndexKey encodeIndexKey(Version version, const std::vector<KeyColumn>& columns, const std::vector<Value>& values);

// The Dutch message for a key that cannot be encoded (one that is not encodable()).
std::string unencodableKeyMessage(const IndexKey& key, const std::string& indexName, const std::string& tableName);

}  // namespace querimo::jet
