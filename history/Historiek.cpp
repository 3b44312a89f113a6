#include "history/Historiek.h"

#include "history/HistoriekRegels.h"

namespace querimo::historiek {

bool Historiek::VorigeMogelijk() const
{
    return historiek::VorigeMogelijk(index_);
}

bool Historiek::VolgendeMogelijk() const
{
    return historiek::VolgendeMogelijk(index_, static_cast<int>(lijst_.size()));
}

int Historiek::Opnemen(const QString& opdracht)
{
    const int positie = historiek::Opnemen(lijst_, opdracht);
    emit Gewijzigd();
    return positie;
}

std::optional<QString> Historiek::Naar(int index)
{
    if (!PositieBestaat(index, static_cast<int>(lijst_.size()))) return std::nullopt;
    index_ = index;
    emit Gewijzigd();
    return lijst_.at(index - 1);
}

void Historiek::Leegmaken()
{
    lijst_.clear();
    index_ = 0;
    emit Gewijzigd();
}

}  // namespace querimo::historiek
