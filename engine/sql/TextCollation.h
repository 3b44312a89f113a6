#pragma once
#include <sqlite3.h>

#include <string>
#include <string_view>

#include "jet/Database.h"

namespace querimo::sql {

// Compares UTF-8 text as Access does in a database whose text follows `order`: by the order's sort keys (letter
// case ignored, accents after the letters, hyphens and apostrophes only breaking ties), then, between texts
// whose keys are equal, as compareFolded does, so that the order is total and equal texts are also equal
// ignoring case (a seek on a key finds them all). TextOrder::Unknown: compareFolded alone. Negative, zero or
// positive.
int compareText(std::string_view a, std::string_view b, jet::TextOrder order);

// The first part of compareText: by the order's sort keys alone (0 for every pair in TextOrder::Unknown).
int compareSortKeys(std::string_view a, std::string_view b, jet::TextOrder order);

// Code points after letter case folding: what text compares by in an order we have no codes for.
int compareFolded(std::string_view a, std::string_view b);

// The text with letter case folded as compareFolded folds it: equal keys for texts that compare equal (and
// for some more under compareText).
std::string textKey(std::string_view s);

// Registers compareText in `order` as the collation named textCollation.
void registerTextCollation(sqlite3* db, jet::TextOrder order);

}  // namespace querimo::sql
