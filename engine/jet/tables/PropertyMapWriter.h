#pragma once
#include <string>

#include "jet/tables/PropertyMaps.h"

namespace querimo::jet {

// The stored form of MSysObjects.LvProp, the inverse of readPropertyMaps: the list of property names, then
// the table's own properties (object "") and one block per column.
std::string writePropertyMaps(const PropertyMaps& maps, Version version);

// A column's Required and DefaultValue as the properties Access keeps for them (removed when unset).
void setColumnProperties(PropertyMaps& maps, const ColumnDef& column, Version version);

}  // namespace querimo::jet
