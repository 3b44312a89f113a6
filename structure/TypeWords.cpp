#include "structure/TypeWords.h"

QString TypeOmschrijving(querimo::ado::DataType dataType)
{
    using querimo::ado::TypeFamily;
    switch (querimo::ado::familyOf(dataType)) {
    case TypeFamily::Number: return "getal";
    case TypeFamily::Boolean: return "logisch";
    case TypeFamily::Text: return "tekst";
    case TypeFamily::Date: return "datum";
    case TypeFamily::Time: return "tijd";
    default: return "onbekend";
    }
}
