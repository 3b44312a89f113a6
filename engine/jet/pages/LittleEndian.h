#pragma once
#include <cstdint>
#include <string>

namespace querimo::jet {

// Writing the file's little-endian numbers (ByteView reads them).
inline void store16(std::uint8_t* at, std::uint32_t value)
{
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void store32(std::uint8_t* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::string little32(std::uint32_t value)
{
    std::string out(4, '\0');
    store32(reinterpret_cast<std::uint8_t*>(out.data()), value);
    return out;
}

}  // namespace querimo::jet
