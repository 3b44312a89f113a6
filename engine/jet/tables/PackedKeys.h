#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace querimo::jet {

// The keys of one index page when they all have one length of at most 8 bytes (numbers, dates): each as a
// big-endian number padded with zeros, so that a search compares integers instead of bytes.
class PackedKeys {
public:
    // Adds the next key in page order; false, and empty for good, when the keys cannot be packed.
    bool add(std::string_view key);
    void reserve(std::size_t count) { keys_.reserve(count); }
    void refuse();  // the keys cannot be packed after all: empty for good
    bool empty() const { return keys_.empty(); }
    // The first key not below `key`.
    std::size_t firstNotBelow(std::string_view key) const;

private:
    static constexpr std::size_t window = 8;  // neighbours on each side of where a key is guessed to be
    std::vector<std::uint64_t> keys_;
    std::size_t length_ = 0;
    bool refused_ = false;
};

}  // namespace querimo::jet
