#pragma once
#include <string>

#include "core/Value.h"

namespace querimo {

// The fixed text form for export and scripts: "." decimal point, ISO dates, 1/0, hex binary, NULL as empty.
std::string exportText(const Value& v);

// The text form shown to the user (grid, clipboard): follows the C library's current locale.
std::string displayText(const Value& v);

}  // namespace querimo
