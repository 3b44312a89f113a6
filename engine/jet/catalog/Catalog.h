#pragma once
#include <string>
#include <vector>

#include "jet/Database.h"

namespace querimo::jet {

inline constexpr std::uint32_t catalogDefinitionPage = 2;  // MSysObjects, in every Jet file

// The columns of MSysObjects the catalog needs.
const std::vector<std::string>& catalogColumns();

// The objects of the file from the rows of MSysObjects (read by `scan`): tables, linked tables and
// stored queries; containers, relationships and the like are left out.
std::vector<CatalogEntry> readCatalog(const TableDef& msysObjects, TableScan& scan);

// The definition page of a table from its catalog id.
inline std::uint32_t definitionPageOf(const CatalogEntry& entry)
{
    return static_cast<std::uint32_t>(entry.id) & 0x00FFFFFF;
}

}  // namespace querimo::jet
