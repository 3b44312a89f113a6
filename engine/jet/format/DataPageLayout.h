#pragma once
#include <cstddef>
#include <cstdint>

// A data page, which also holds long values and usage maps: type 0x01, a constant 0x01, the free space at
// 2, the owning table definition page (Format::dataOwnerOffset), the row count and one 16-bit entry per row
// in the row table. Rows are stored from the end of the page backwards: row n ends where row n-1 starts.
namespace querimo::jet {

inline constexpr std::uint8_t dataPageType = 0x01;
inline constexpr std::size_t freeSpaceOffset = 2;
// A row table entry: the offset of the row, with two flags in its top bits.
inline constexpr std::uint16_t rowDeletedFlag = 0x8000;
inline constexpr std::uint16_t rowOverflowFlag = 0x4000;  // the row holds a pointer to where it lives now
inline constexpr std::uint16_t rowOffsetMask = 0x1FFF;
inline constexpr int maxRowsPerDataPage = 255;
inline constexpr std::uint32_t longValueOwner = 0x4C41564C;  // "LVAL": the owner of a page of long values

}  // namespace querimo::jet
