#pragma once
#include <cstddef>
#include <cstdint>

// A Memo or OLE Object value in its row is a 12-byte reference: a 32-bit length with two flags in its top
// bits, a row pointer and 4 unused bytes; the value follows inline, or lives in one long value row, or in a
// chain of rows each starting with the pointer to the next.
namespace querimo::jet {

inline constexpr std::size_t longValueReferenceSize = 12;
inline constexpr std::uint32_t longValueLengthMask = 0x3FFFFFFF;
inline constexpr std::uint32_t longValueInlineFlag = 0x80000000;
inline constexpr std::uint32_t longValueSingleRowFlag = 0x40000000;
// The same flags in the reference's fourth byte, where a writer sets them.
inline constexpr std::uint8_t longValueInlineByte = longValueInlineFlag >> 24;
inline constexpr std::uint8_t longValueSingleRowByte = longValueSingleRowFlag >> 24;

}  // namespace querimo::jet
