#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Value.h"
#include "jet/Database.h"

namespace querimo::jet {

// One column of an index as the key encoder needs it.
struct KeyColumn {
    ColumnType type = ColumnType::Text;
    bool ascending = true;
};

// The bytes Access stores for a row's key in an index leaf entry (without the row pointer), so that
// comparing keys byte by byte gives the index order. Text follows the General sort order (Jet 3: the
// Access 97 codes of Windows-1252; Jet 4: the 2000-2003 codes of every UTF-16 unit).
struct IndexKey {
    std::string bytes;
    // Set when a text value holds a character without a code (Jet 3: one Windows-1252 cannot hold); bytes is
    // then meaningless and the statement must be refused rather than write a wrong index.
    std::optional<char32_t> unencodable;
};

// values holds one value per key column, already converted to the column's type.
IndexKey encodeIndexKey(Version version, const std::vector<KeyColumn>& columns, const std::vector<Value>& values);

// The Dutch message for a key that cannot be encoded.
std::string unencodableKeyMessage(char32_t character, const std::string& indexName, const std::string& tableName);

}  // namespace querimo::jet
