#pragma once

namespace querimo::exec {

// The ADO type numbers whose columns are shown right-aligned and sized to their caption.
bool IsNumeriekType(int adoType);

// Caption width + 100 twips, rounded half to even, at least 1000 twips.
int NumeriekeKolomBreedte(double kopBreedteTwips);

}  // namespace querimo::exec
