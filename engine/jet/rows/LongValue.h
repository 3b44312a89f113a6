#pragma once
#include <string>

#include "jet/format/Format.h"
#include "jet/format/LongValueLayout.h"
#include "jet/pages/ByteView.h"
#include "jet/pages/PageFile.h"

namespace querimo::jet {

// The stored bytes of a Memo or OLE Object value from the reference in its row: inline after the
// reference, in one row of a long value page, or spread over a chain of such rows.
std::string readLongValue(PageFile& file, const Format& format, ByteView reference);

}  // namespace querimo::jet
