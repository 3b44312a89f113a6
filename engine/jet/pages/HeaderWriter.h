#pragma once
#include <cstdint>
#include <string>

#include "jet/Database.h"
#include "jet/pages/PageFile.h"

namespace querimo::jet {

// Page 0 of a new database created at `created` (an Access date): Windows-1252 text, the General sort order,
// pages not encoded, no password; masked as Access stores it. aceVersion: 0 for an .mdb, else the version byte of
// an .accdb, whose header names the newer General order where that version uses it.
PageBytes newHeaderPage(Version version, double created, int aceVersion = 0);

// Stores `password` (UTF-8, empty for none) in a masked page 0. A password Access could not keep (longer than
// 20 characters, or with characters Jet 3 cannot store) is a DbError.
void storeHeaderPassword(PageBytes& page0, Version version, const std::string& password);

}  // namespace querimo::jet
