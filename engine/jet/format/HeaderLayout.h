#pragma once
#include <cstddef>

// Page 0, the database header: a type byte 0x00, the format name, then from 0x14 the version. From 0x18 on,
// 126 (Jet 3) or 128 (Jet 4) bytes are masked with RC4 under a fixed key; the database password inside
// them is masked once more, with the creation date (Jet 4).
namespace querimo::jet::header {

inline constexpr std::size_t versionOffset = 0x14;  // 0 Jet 3, 1 Jet 4, 2 and up Access 2007 and later
inline constexpr std::size_t maskedStart = 0x18;
inline constexpr std::size_t passwordOffset = 0x42;
inline constexpr std::size_t passwordCharacters = 20;
inline constexpr std::size_t creationDateOffset = 0x72;
inline constexpr std::size_t bytesNeeded = 0x98;  // up to the end of the masked area

// Version bytes of the .accdb files Access 2007, 2010, 2016 and 2019 make.
inline constexpr int access2007 = 2, access2010 = 3, access2016 = 5, access2019 = 6;
// Access 2010 and 2016 make their files in the newer General sort order; 2007 and 2019 in the older one.
inline constexpr bool newerGeneralOrder(int aceVersion)
{
    return aceVersion == access2010 || aceVersion == access2016;
}

}  // namespace querimo::jet::header
