#pragma once
#include <vector>

#include "jet/Database.h"
#include "jet/pages/PageFile.h"

namespace querimo::jet {

// The pages of a new database: the header, the global usage map, the definitions of MSysObjects (on page 2,
// where readers look for it), MSysACEs, MSysQueries and MSysRelationships, their usage maps, their index
// pages, and the data pages of the rows they start with (the catalog rows and access rights Access writes).
// Page i of the file is element i; none of them is encoded. aceVersion: 0 for an .mdb, else the version byte of
// an .accdb (Jet 4 pages), which adds the system tables of complex columns.
std::vector<PageBytes> newDatabasePages(Version version, double created, int aceVersion = 0);

}  // namespace querimo::jet
