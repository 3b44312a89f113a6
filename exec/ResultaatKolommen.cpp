#include "exec/ResultaatKolommen.h"

#include <algorithm>
#include <cmath>

namespace querimo::exec {

bool IsNumeriekType(int adoType)
{
    switch (adoType) {
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 14:
    case 16:
    case 17:
    case 18:
    case 19:
    case 20:
    case 21:
    case 131:
    case 139: return true;
    default: return false;
    }
}

int NumeriekeKolomBreedte(double kopBreedteTwips)
{
    // std::nearbyint rounds a half to the even neighbour in the default rounding mode.
    return std::max(1000, static_cast<int>(std::nearbyint(kopBreedteTwips + 100)));
}

}  // namespace querimo::exec
