#pragma once
#include <string>

#include "jet/format/Format.h"
#include "jet/pages/PageFile.h"
#include "jet/tables/TableLayout.h"

namespace querimo::jet {

// Reads the table definition that starts on page `page` (and may continue on further pages).
TableLayout readTableDefinition(PageFile& file, const Format& format, std::uint32_t page, const std::string& name);

// The same table reduced to the named columns (those that exist), so a scan decodes nothing else.
TableLayout withColumnsOnly(const TableLayout& table, const std::vector<std::string>& names);

}  // namespace querimo::jet
