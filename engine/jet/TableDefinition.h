#pragma once
#include <string>

#include "jet/Format.h"
#include "jet/PageFile.h"
#include "jet/TableLayout.h"

namespace querimo::jet {

// Reads the table definition that starts on page `page` (and may continue on further pages).
TableLayout readTableDefinition(PageFile& file, const Format& format, std::uint32_t page, const std::string& name);

}  // namespace querimo::jet
