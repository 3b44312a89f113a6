#include "db/RecenteDatabases.h"

#include <algorithm>

namespace querimo::db {

RecenteDatabases::RecenteDatabases(QString programmaMap, QObject* parent)
    : QObject(parent), programmaMap_(std::move(programmaMap))
{
}

bool RecenteDatabases::IetsZichtbaar() const
{
    return std::any_of(entries_.begin(), entries_.end(), [](const RecentEntry& e) { return e.visible; });
}

void RecenteDatabases::Herstellen(const std::array<QString, 4>& stored)
{
    entries_ = RecentRestore(stored, programmaMap_);
    emit Gewijzigd();
}

void RecenteDatabases::Bijwerken(const QString& path)
{
    RecentUpdate(entries_, path, programmaMap_);
    emit Gewijzigd();
}

std::array<QString, 4> RecenteDatabases::TeBewaren() const
{
    std::array<QString, 4> paths;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].visible) paths[i] = entries_[i].tag;
    return paths;
}

}  // namespace querimo::db
