#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "jet/Database.h"
#include "jet/pages/ByteView.h"

namespace querimo::jet {

// One property Access keeps for an object: its Jet type code and stored bytes.
struct StoredProperty {
    int type = 0;
    std::string bytes;
};

// The properties of MSysObjects.LvProp: by object ("" for the table itself, else a column name), then by
// property name ("Required", "DefaultValue", ...).
using PropertyMaps = std::map<std::string, std::map<std::string, StoredProperty>>;

PropertyMaps readPropertyMaps(ByteView stored, Version version);

// A Yes/No property that is set and true.
bool propertyIsTrue(const PropertyMaps& maps, const std::string& object, const std::string& property);

// A text property (such as DefaultValue) as UTF-8; empty when it is not set.
std::string propertyText(const PropertyMaps& maps, const std::string& object, const std::string& property,
                         Version version);

// A number property (Byte, Integer or Long, as stored); nullopt when it is not set or no such number.
std::optional<std::int32_t> propertyNumber(const PropertyMaps& maps, const std::string& object,
                                           const std::string& property);

}  // namespace querimo::jet
