// Opening a database: through the open dialog, a recent entry or the login options.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTableView>
#include <QTextEdit>
#include <QTreeWidget>

#include "app/Routines.h"
#include "app/frmQuerimo.h"
#include "core/Error.h"
#include "db/RecentFiles.h"

namespace {

// The Dutch text for a failed open; the engine's own description unless the login was refused.
QString openFailureText(std::int32_t number, const QString& description)
{
    if (number == querimo::errc::authentication) return "Gebruiker, paswoord of databasepaswoord verkeerd";
    return description;
}

}  // namespace

void frmQuerimo::DatabaseKiezen()
{
    if (!dlgDatabaseOpenen.FileName.isEmpty()) {
        dlgDatabaseOpenen.InitDir = FolderPart(dlgDatabaseOpenen.FileName);
        dlgDatabaseOpenen.FileName.clear();
    }
    if (!dlgDatabaseOpenen.ShowOpen(this)) return;
    DatabaseOpenen(dlgDatabaseOpenen.FileName);
}

void frmQuerimo::DatabaseOpenen(const QString& pathArgument)
{
    const QString path = pathArgument;  // the caller may pass HuidigeDb itself, which changes below
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setWindowTitle("Querimo");
    const QString fileName = FileNamePart(path);
    rtbSQL->clear();
    Paneel("status")->setText("Database " + fileName + " wordt geopend...");

    bool opened = false;
    std::int32_t failureNumber = querimo::errc::fail;
    QString failureText;
    try {
        if (Verbinding.State() != querimo::ado::ObjectState::Closed) Verbinding.Close();
    } catch (const std::exception&) {
        // A connection that will not close cleanly is dropped by the open below all the same.
    }
    try {
        Verbinding.Mode = dbExclusief ? querimo::ado::adModeShareExclusive : querimo::ado::adModeShareDenyNone;
        Verbinding.Provider = "microsoft.jet.oledb.4.0";
        querimo::ado::Properties& properties = Verbinding.GetProperties();
        properties("Data Source") = path.toStdString();
        properties("Jet OLEDB:Database Password") = dbPaswoord.toStdString();
        properties("Jet OLEDB:System database") = (Routines::ProgrammaMap() + "/system.mdw").toStdString();
        properties("User ID") = Gebruiker.toStdString();
        properties("Password") = Paswoord.toStdString();
        Verbinding.Open();
        opened = true;
    } catch (const querimo::DbError& error) {
        failureNumber = error.number();
        failureText = QString::fromStdString(error.description());
    } catch (const std::exception& error) {
        failureText = QString::fromStdString(error.what());
    }

    if (opened) {
        setWindowTitle("Querimo - " + DisplayName(path, Routines::ProgrammaMap()));
        LastFileBijwerken(path);
        rtbSQL->show();
        mnuTekstOpenen->setEnabled(true);
        Knop("open")->setEnabled(true);
        mnuBewerken->setEnabled(true);
        PlakkenInstellen();
        Knop("delete")->setEnabled(true);
        dgdSQL->show();
        treStruktuur->show();
        HuidigeDb = path;
        StruktuurVullen();
    } else {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        QMessageBox box(QMessageBox::Warning, "Fout bij openen database " + path,
                        openFailureText(failureNumber, failureText), QMessageBox::Ok, this);
        box.setObjectName("OpenFout");
        box.exec();
        QApplication::restoreOverrideCursor();
        rtbSQL->hide();
        dgdSQL->hide();
        treStruktuur->hide();
        mnuTekstOpenen->setEnabled(false);
        Knop("open")->setEnabled(false);
        mnuBewerken->setEnabled(false);
        mnuPlakken->setEnabled(false);
        mnuDataKopieren->setEnabled(false);
        Knop("paste")->setEnabled(false);
        Knop("delete")->setEnabled(false);
        HuidigeDb.clear();
    }
    QApplication::restoreOverrideCursor();
    Paneel("status")->clear();
}

void frmQuerimo::PlakkenInstellen()
{
    const QMimeData* klembord = QApplication::clipboard()->mimeData();
    mnuPlakken->setEnabled(klembord && klembord->hasText());
    Knop("paste")->setEnabled(mnuPlakken->isEnabled());
}
