#include "history/HistoriekRegels.h"

namespace querimo::historiek {

int Opnemen(QStringList& historiek, const QString& opdracht)
{
    while (historiek.size() >= MaxAantal) historiek.removeFirst();
    historiek.append(opdracht);
    return static_cast<int>(historiek.size());
}

}  // namespace querimo::historiek
