#pragma once
#include <string>

#include "core/Value.h"

namespace querimo {

// The fixed text form for the command line and for comparisons: independent of the user's settings.
//   numbers: "." as decimal point, no digit grouping; Single and Double as the shortest text that reads back
//   to the same value; Currency with at most 4 decimals (trailing zeros dropped); Decimal exactly as stored
//   dates: "YYYY-MM-DD HH:MM:SS", or "YYYY-MM-DD" when the time of day is zero
//   Yes/No: 1 and 0; binary: upper-case hex; GUID: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"; Null: empty
std::string exportText(const Value& v);
// Appends exportText(v) to out, without a temporary string (for streaming export).
void appendExportText(std::string& out, const Value& v);

// The text form shown to the user (grid, clipboard): numbers use the decimal separator of the current C
// library locale (LC_NUMERIC) and no grouping; Currency shows at least 2 decimals; dates use the same
// unambiguous form as exportText in every region; Yes/No reads "Waar" or "Onwaar"; Null is empty.
std::string displayText(const Value& v);

}  // namespace querimo
