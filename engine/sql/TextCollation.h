#pragma once
#include <sqlite3.h>

#include <string>
#include <string_view>

namespace querimo::sql {

// Compares UTF-8 text as Access does: letter case ignored. Negative, zero or positive.
int compareText(std::string_view a, std::string_view b);

// The text with letter case folded as compareText folds it: equal keys for texts that compare equal.
std::string textKey(std::string_view s);

// Registers compareText as the collation named textCollation.
void registerTextCollation(sqlite3* db);

}  // namespace querimo::sql
