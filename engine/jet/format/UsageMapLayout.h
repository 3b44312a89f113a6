#pragma once
#include <cstdint>

// A usage map is a row on a data page. Its first byte says its kind: inline (the first page it covers, then
// a bitmap of the pages from there) or reference (pointers to pages of type 0x05, each a bitmap after a
// 4-byte header).
namespace querimo::jet {

inline constexpr std::uint8_t inlineUsageMap = 0x00;
inline constexpr std::uint8_t referenceUsageMap = 0x01;
inline constexpr std::uint8_t usageMapPageType = 0x05;

}  // namespace querimo::jet
