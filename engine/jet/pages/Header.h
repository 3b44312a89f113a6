#pragma once
#include <cstdint>
#include <string>

#include "jet/Database.h"
#include "jet/format/HeaderLayout.h"
#include "jet/pages/ByteView.h"

namespace querimo::jet {

// What page 0 of a Jet file says about the whole file.
struct DatabaseHeader {
    Version version = Version::Jet4;
    int fileVersion = 1;  // 0 Jet 3, 1 Jet 4, 2 Access 2007, 3 2010, 5 2016, 6 2019
    std::uint32_t encodingKey = 0;  // non-zero: every page after page 0 is RC4-encoded
    int codePage = 0;
    int sortOrder = 0;
    std::string password;  // the database password, UTF-8; empty when none is set
};

// Reads a raw (still masked) page 0. Files that are not Jet 3, Jet 4 or Access 2007-2019 give a Dutch DbError naming path.
DatabaseHeader decodeHeader(ByteView page0, const std::string& path);

// The masked header area: XOR-ing it with this stream reveals the fields, and masks them again.
void toggleHeaderMask(std::uint8_t* page0, Version version);

}  // namespace querimo::jet
