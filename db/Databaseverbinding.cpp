#include "db/Databaseverbinding.h"

#include "core/Error.h"

namespace querimo::db {

Databaseverbinding::Databaseverbinding(QString programmaMap, QObject* parent)
    : QObject(parent), programmaMap_(std::move(programmaMap))
{
}

std::optional<QString> Databaseverbinding::Openen(const QString& path)
{
    try {
        if (Verbinding.State() != ado::ObjectState::Closed) Verbinding.Close();
    } catch (const std::exception&) {
        // A connection that will not close cleanly is dropped by the open below all the same.
    }
    std::optional<QString> fout;
    try {
        Verbinding.Mode = Waarden.dbExclusief ? ado::adModeShareExclusive : ado::adModeShareDenyNone;
        Verbinding.Provider = "microsoft.jet.oledb.4.0";
        ado::Properties& properties = Verbinding.GetProperties();
        properties("Data Source") = path.toStdString();
        properties("Jet OLEDB:Database Password") = Waarden.dbPaswoord.toStdString();
        properties("Jet OLEDB:System database") = (programmaMap_ + "/system.mdw").toStdString();
        properties("User ID") = Waarden.Gebruiker.toStdString();
        properties("Password") = Waarden.Paswoord.toStdString();
        Verbinding.Open();
    } catch (const DbError& error) {
        // A refused login gets one Dutch text; every other failure keeps the engine's own description.
        fout = error.number() == errc::authentication ? QStringLiteral("Gebruiker, paswoord of databasepaswoord verkeerd")
                                                     : QString::fromStdString(error.description());
    } catch (const std::exception& error) {
        fout = QString::fromStdString(error.what());
    }
    huidigeDb_ = fout ? QString() : path;
    return fout;
}

}  // namespace querimo::db
