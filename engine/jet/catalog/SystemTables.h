#pragma once
#include <vector>

#include "jet/tables/TableLayout.h"

namespace querimo::jet {

// The system tables of a new database, laid out as Access lays them out, without pages: MSysObjects,
// MSysACEs, MSysQueries and MSysRelationships, in that order. The caller assigns definition pages, index
// root pages and usage maps.
std::vector<TableLayout> systemTableLayouts(Version version);

}  // namespace querimo::jet
