#pragma once
#include <QString>
#include <QStringList>

namespace querimo::historiek {

// Positions are handed around as 16-bit numbers, so the list holds at most this many entries.
inline constexpr int MaxAantal = 32767;

// Positions count from 1 to the number of entries.
inline bool PositieBestaat(int index, int aantal)
{
    return index >= 1 && index <= aantal;
}
inline bool VorigeMogelijk(int index)
{
    return index >= 2;
}
inline bool VolgendeMogelijk(int index, int aantal)
{
    return index < aantal;
}

// Appends the statement and returns its position. At the limit the oldest entry makes room,
// so the newest statement is always recorded and every position stays addressable.
int Opnemen(QStringList& historiek, const QString& opdracht);

}  // namespace querimo::historiek
