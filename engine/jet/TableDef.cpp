#include "core/Text.h"
#include "jet/Database.h"

namespace querimo::jet {

const ColumnDef* TableDef::column(std::string_view wanted) const
{
    for (const ColumnDef& c : columns)
        if (text::equalsIgnoreCase(c.name, wanted)) return &c;
    return nullptr;
}

const ColumnDef* TableDef::columnByNumber(int number) const
{
    for (const ColumnDef& c : columns)
        if (c.number == number) return &c;
    return nullptr;
}

}  // namespace querimo::jet
