#include "exec/ResultaatKolommen.h"

#include <algorithm>
#include <cmath>

namespace querimo::exec {

bool IsNumeriekType(ado::DataType type)
{
    return ado::familyOf(type) == ado::TypeFamily::Number;
}

int NumeriekeKolomBreedte(double kopBreedteTwips)
{
    // std::nearbyint rounds a half to the even neighbour in the default rounding mode.
    return std::max(1000, static_cast<int>(std::nearbyint(kopBreedteTwips + 100)));
}

}  // namespace querimo::exec
