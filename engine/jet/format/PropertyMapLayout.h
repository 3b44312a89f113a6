#pragma once
#include <cstdint>

// A property map (the LvProp long value of MSysObjects): 'MR2\0' (Jet 4) or 'KKD\0' (Jet 3), then chunks,
// each a 32-bit length and a 16-bit kind: one list of property names, then one chunk of values for the
// object itself and one per column that has properties.
namespace querimo::jet {

inline constexpr std::uint16_t propertyNameListChunk = 0x80;
inline constexpr std::uint16_t propertyObjectChunk = 0x00;
inline constexpr std::uint16_t propertyColumnChunk = 0x01;

}  // namespace querimo::jet
