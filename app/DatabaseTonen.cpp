// Opening a database: through the open dialog, a recent entry or the login options.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTableView>
#include <QTextEdit>
#include <QTreeWidget>

#include "app/Routines.h"
#include "app/frmQuerimo.h"
#include "db/frmOpties.h"

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
    const QString path = pathArgument;  // the caller may pass the open database's own path, which changes below
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setWindowTitle("Querimo");
    rtbSQL->clear();
    Paneel("status")->setText("Database " + FileNamePart(path) + " wordt geopend...");
    // Opening a large file takes seconds on this thread: paint the status now, not after it.
    Paneel("status")->repaint();

    const std::optional<QString> fout = database.Openen(path);
    if (!fout) {
        setWindowTitle("Querimo - " + DisplayName(path, Routines::ProgrammaMap()));
        recenteDatabases.Bijwerken(path);
        rtbSQL->show();
        PlakkenInstellen();
        dgdSQL->show();
        treStruktuur->show();
        KnoppenBijwerken();
        StruktuurVullen();
        // The user came to type a statement, not to search the tree.
        rtbSQL->setFocus();
    } else {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        QMessageBox box(QMessageBox::Warning, "Fout bij openen database " + path, *fout, QMessageBox::Ok, this);
        box.setObjectName("OpenFout");
        box.exec();
        QApplication::restoreOverrideCursor();
        rtbSQL->hide();
        dgdSQL->hide();
        treStruktuur->hide();
        uitvoering.ZetRijenGetoond(false);
        KnoppenBijwerken();
    }
    QApplication::restoreOverrideCursor();
    Paneel("status")->clear();
}

// The recent entries of the file menu show the list as it now stands.
void frmQuerimo::LastFileTonen()
{
    const RecentEntries& entries = recenteDatabases.Lijst();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        Routines::SetTag(mnuLastFile[i], entries[i].tag);
        mnuLastFile[i]->setText(entries[i].caption);
        mnuLastFile[i]->setVisible(entries[i].visible);
    }
    mnuStreep4->setVisible(recenteDatabases.IetsZichtbaar());
}

void frmQuerimo::LastFileKiezen(int index)
{
    DatabaseOpenen(recenteDatabases.Lijst()[static_cast<std::size_t>(index)].tag);
}

// The login options; after OK an open database is opened again with the new values.
void frmQuerimo::OptiesTonen()
{
    frmOpties dialog(database.Waarden, this);
    if (dialog.exec() != QDialog::Accepted) return;
    database.Waarden = dialog.Waarden();
    if (database.Open()) DatabaseOpenen(database.HuidigeDb());
}
