#pragma once
#include <QObject>
#include <QString>
#include <optional>

#include "ado/Connection.h"

namespace querimo::db {

// The values a database is opened with; they last for one run.
struct Aanmelding {
    QString Gebruiker = QStringLiteral("Admin");
    QString Paswoord;
    QString dbPaswoord;
    bool dbExclusief = false;
};

// The open database: its connection, the login values and the path it was opened from.
class Databaseverbinding : public QObject {
    Q_OBJECT

public:
    explicit Databaseverbinding(QString programmaMap, QObject* parent = nullptr);

    ado::Connection Verbinding;
    Aanmelding Waarden;

    // The path of the open database; empty while none is open.
    const QString& HuidigeDb() const { return huidigeDb_; }
    bool Open() const { return !huidigeDb_.isEmpty(); }

    // Closes what is open and opens path with the login values. Nothing on success, else the text for the user.
    std::optional<QString> Openen(const QString& path);

private:
    QString programmaMap_;
    QString huidigeDb_;
};

}  // namespace querimo::db
