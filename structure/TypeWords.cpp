#include "structure/TypeWords.h"

QString TypeOmschrijving(std::int16_t dataType)
{
    switch (dataType) {
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
    case 139: return "getal";
    case 11: return "logisch";
    case 129:
    case 130:
    case 200:
    case 201:
    case 202:
    case 203: return "tekst";
    case 7:
    case 133: return "datum";
    case 64:
    case 134:
    case 135: return "tijd";
    default: return "onbekend";
    }
}
