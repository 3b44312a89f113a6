#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "jet/tables/TableLayout.h"

namespace querimo::jet {

// The system tables of a new database, laid out as Access lays them out, without pages: MSysObjects,
// MSysACEs, MSysQueries and MSysRelationships, in that order; for an .accdb (aceVersion, the header's version
// byte, not 0) then MSysComplexColumns and the MSysComplexType_ templates of complex columns, their columns in
// the file's sort order. The caller assigns definition pages, index root pages and usage maps.
std::vector<TableLayout> systemTableLayouts(Version version, int aceVersion = 0);

// The catalog flags of the system table of this name as Access gives them.
std::uint32_t systemTableFlags(const std::string& name);

}  // namespace querimo::jet
