#pragma once
#include <cstddef>
#include <cstdint>

// A table definition: type 0x02, a constant 0x01, 'VC' (or free space), the next page of the definition;
// then the table header, one entry per real index, the column entries, the column names, the real index
// definitions, the logical index definitions and their names (offsets in Format).
namespace querimo::jet {

inline constexpr std::uint8_t tableDefinitionPageType = 0x02;
inline constexpr std::size_t definitionPageHeaderSize = 8;

// Column flags.
inline constexpr std::uint8_t columnFixedLengthFlag = 0x01;
inline constexpr std::uint8_t columnUpdatableFlag = 0x02;
inline constexpr std::uint8_t columnAutoLongFlag = 0x04;
inline constexpr std::uint8_t columnAutoGuidFlag = 0x40;
inline constexpr std::uint8_t columnCompressedUnicodeFlag = 0x01;  // in the Jet 4 extra flags
inline constexpr std::uint8_t columnCalculatedFlags = 0xC0;        // in the extra flags (Access 2010 and later)
// A calculated column's value: 16 bytes, the result's length (4 bytes) at 16, the result from 20, 3 more bytes.
inline constexpr std::size_t calculatedValueOffset = 20;
inline constexpr std::size_t calculatedValueExtra = 23;

// Date/Time Extended values: 19 digits of days since year 1, ':', 12 digits of seconds since midnight, 7 of
// 100-nanosecond steps, then ":7" and a zero byte.
inline constexpr std::size_t extendedDateSize = 42;

// Real index flags.
inline constexpr std::uint8_t indexUniqueFlag = 0x01;
inline constexpr std::uint8_t indexIgnoreNullsFlag = 0x02;
inline constexpr std::uint8_t indexRequiredFlag = 0x08;
inline constexpr std::uint8_t indexJet4Flag = 0x80;  // Access 2000 and later set it on every index
inline constexpr std::size_t maxIndexColumns = 10;

// Logical index kinds, and the referential action stored outside relationships.
inline constexpr std::uint8_t primaryKeyIndexKind = 0x01;
inline constexpr std::uint8_t foreignKeyIndexKind = 0x02;
inline constexpr std::uint8_t noReferentialAction = 0x04;
// The actions of a relationship, in the update and the delete byte of both its logical index entries (Access
// writes the same on either side; 0 where a change is refused).
inline constexpr std::uint8_t cascadeUpdatesAction = 0x01;  // update byte
inline constexpr std::uint8_t cascadeDeletesAction = 0x01;  // delete byte
inline constexpr std::uint8_t cascadeNullAction = 0x02;     // delete byte: the referring columns become Null

}  // namespace querimo::jet
