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

namespace {

// The first of `count` numbers from `base` not below `sought`. The search takes no branch on the keys (the
// step is arithmetic), so lookups at random places do not stall on mispredictions.
std::size_t firstNotBelowIn(const std::uint64_t* base, std::size_t count, std::uint64_t sought)
{
    if (count == 0) return 0;
    const std::uint64_t* at = base;
    while (count > 1) {
        const std::size_t half = count / 2;
        at += static_cast<std::size_t>(at[half - 1] < sought) * half;
        count -= half;
    }
    return static_cast<std::size_t>(at - base) + (*at < sought ? 1 : 0);
}

}  // namespace

// A key lies below the sought one when its number is smaller, or equal while it is shorter (a start of the
// sought one): then below the next number. Keys are often numbers counted up (AutoNumber): where the sought
// one lies between the first and the last key tells where to look, and a few neighbours confirm it.
std::size_t PackedKeys::firstNotBelow(std::string_view key) const
{
    std::uint64_t sought = packed(key);
    if (length_ < key.size()) {
        if (sought == UINT64_MAX) return keys_.size();
        ++sought;
    }
    const std::size_t count = keys_.size();
    if (count <= 2 * window) return firstNotBelowIn(keys_.data(), count, sought);
    const std::uint64_t first = keys_.front(), last = keys_.back();
    if (sought <= first) return 0;
    if (sought > last) return count;
    const double share = static_cast<double>(sought - first) / static_cast<double>(last - first);
    const auto guess = std::min(count - 1, static_cast<std::size_t>(share * static_cast<double>(count - 1)));
    const std::size_t from = guess > window ? guess - window : 0;
    const std::size_t to = std::min(count - 1, guess + window);
    // keys_[from] below and keys_[to] not: the answer lies after from, at to at the latest.
    if (keys_[from] < sought && keys_[to] >= sought)
        return from + 1 + firstNotBelowIn(keys_.data() + from + 1, to - from, sought);
    return firstNotBelowIn(keys_.data(), count, sought);
}

}  // namespace querimo::jet
