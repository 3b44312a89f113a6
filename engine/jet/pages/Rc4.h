#pragma once
#include <cstddef>
#include <cstdint>

namespace querimo::jet {

// RC4 applied in place: Jet masks its header and encodes pages with it. Applying it twice restores the data.
void rc4Apply(const std::uint8_t* key, std::size_t keyLength, std::uint8_t* data, std::size_t length);

}  // namespace querimo::jet
