#pragma once
#include <string>

#include "jet/ByteView.h"
#include "jet/Format.h"
#include "jet/PageFile.h"

namespace querimo::jet {

inline constexpr std::size_t longValueReferenceSize = 12;

// The stored bytes of a Memo or OLE Object value from the reference in its row: inline after the
// reference, in one row of a long value page, or spread over a chain of such rows.
std::string readLongValue(PageFile& file, const Format& format, ByteView reference);

}  // namespace querimo::jet
