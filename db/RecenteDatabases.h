#pragma once
#include <QObject>

#include "db/RecentFiles.h"

namespace querimo::db {

// The four recent databases of the file menu, as restored at start and moved up by every opening.
class RecenteDatabases : public QObject {
    Q_OBJECT

public:
    explicit RecenteDatabases(QString programmaMap, QObject* parent = nullptr);

    const RecentEntries& Lijst() const { return entries_; }
    bool IetsZichtbaar() const;

    void Herstellen(const std::array<QString, 4>& stored);
    void Bijwerken(const QString& path);
    // The paths to store: a hidden entry stores nothing.
    std::array<QString, 4> TeBewaren() const;

signals:
    void Gewijzigd();

private:
    QString programmaMap_;
    RecentEntries entries_;
};

}  // namespace querimo::db
