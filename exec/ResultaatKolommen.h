#pragma once
#include "ado/Recordset.h"

namespace querimo::exec {

// The types whose columns are shown right-aligned and sized to their caption.
bool IsNumeriekType(ado::DataType type);

// Caption width + 100 twips, rounded half to even, at least 1000 twips.
int NumeriekeKolomBreedte(double kopBreedteTwips);

}  // namespace querimo::exec
