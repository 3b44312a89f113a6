#pragma once
#include <string>

#include "jet/Database.h"
#include "jet/pages/ByteView.h"

namespace querimo::jet {

// Text as a Jet file stores it, to UTF-8: Jet 4 holds UCS-2, optionally in the compressed form that starts
// with FF FE; Jet 3 holds single bytes in the database's code page (Windows-1252).
std::string decodeJetText(ByteView bytes, Version version);

}  // namespace querimo::jet
