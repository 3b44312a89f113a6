#include "jet/tables/PackedKeys.h"

#include <algorithm>
#include <cstdint>

namespace querimo::jet {

namespace {

// Up to 8 bytes as a big-endian number, zeros after them: numbers order as the bytes do.
std::uint64_t packed(std::string_view bytes)
{
    std::uint64_t value = 0;
    const std::size_t length = std::min<std::size_t>(bytes.size(), 8);
    for (std::size_t i = 0; i < 8; ++i)
        value = value << 8 | (i < length ? static_cast<unsigned char>(bytes[i]) : 0u);
    return value;
}

}  // namespace

bool PackedKeys::add(std::string_view key)
{
    if (refused_) return false;
    if (keys_.empty()) length_ = key.size();
    if (key.size() != length_ || key.size() > 8) {
        refuse();
        return false;
    }
    keys_.push_back(packed(key));
    return true;
}

void PackedKeys::refuse()
{
    refused_ = true;
    keys_.clear();
    keys_.shrink_to_fit();
}

// A key lies below the sought one when its number is smaller, or equal while it is shorter (a start of the
// sought one): then below the next number. The search takes no branch on the keys (the step is arithmetic),
// so a join's lookups at random places do not stall on mispredictions.
std::size_t PackedKeys::firstNotBelow(std::string_view key) const
{
    std::uint64_t sought = packed(key);
    if (length_ < key.size()) {
        if (sought == UINT64_MAX) return keys_.size();
        ++sought;
    }
    if (keys_.empty()) return 0;
    const std::uint64_t* base = keys_.data();
    std::size_t length = keys_.size();
    while (length > 1) {
        const std::size_t half = length / 2;
        base += static_cast<std::size_t>(base[half - 1] < sought) * half;
        length -= half;
    }
    return static_cast<std::size_t>(base - keys_.data()) + (*base < sought ? 1 : 0);
}

}  // namespace querimo::jet
