#include "jet/pages/Rc4.h"

#include <array>
#include <utility>

namespace querimo::jet {

void rc4Apply(const std::uint8_t* key, std::size_t keyLength, std::uint8_t* data, std::size_t length)
{
    std::array<std::uint8_t, 256> state;
    for (int i = 0; i < 256; ++i) state[i] = static_cast<std::uint8_t>(i);
    std::uint8_t j = 0;
    for (int i = 0; i < 256; ++i) {
        j = static_cast<std::uint8_t>(j + state[i] + key[i % keyLength]);
        std::swap(state[i], state[j]);
    }
    std::uint8_t x = 0, y = 0;
    for (std::size_t n = 0; n < length; ++n) {
        ++x;
        y = static_cast<std::uint8_t>(y + state[x]);
        std::swap(state[x], state[y]);
        data[n] ^= state[static_cast<std::uint8_t>(state[x] + state[y])];
    }
}

}  // namespace querimo::jet
