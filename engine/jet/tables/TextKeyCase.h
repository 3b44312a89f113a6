#pragma once
#include <string>
#include <string_view>

#include "jet/Database.h"
#include "jet/tables/IndexKey.h"

namespace querimo::jet {

// Whether every text whose characters are letter-case forms (text::foldCase) of those of utf8 has the key
// utf8 has: then a seek for that key finds every text a comparison ignoring case finds.
bool keyCoversCaseForms(Version version, Collation collation, std::string_view utf8);

// The text codes alone (no accents, nothing after them) of the longest start of utf8 whose characters
// share their text codes with all their case forms: every text that starts with case forms of those
// characters has a key whose text codes start with these bytes. Inverted for a descending column.
std::string caseFormTextCodes(Version version, Collation collation, std::string_view utf8, bool ascending);

}  // namespace querimo::jet
