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

const CatalogEntry* Database::findEntry(std::string_view name) const
{
    for (const CatalogEntry& entry : catalog())
        if (text::equalsIgnoreCase(entry.name, name)) return &entry;
    return nullptr;
}

}  // namespace querimo::jet
