// The recent-database entries of the file menu.
#include <QAction>

#include "app/Routines.h"
#include "app/frmQuerimo.h"
#include "db/RecentFiles.h"

void frmQuerimo::LastFileTonen(int index, const QString& path, const QString& caption)
{
    Routines::SetTag(mnuLastFile[index], path);
    mnuLastFile[index]->setText(caption);
    mnuLastFile[index]->setVisible(true);
    mnuStreep4->setVisible(true);
}

void frmQuerimo::LastFileBijwerken(const QString& path)
{
    RecentEntries entries;
    for (int i = 0; i < 4; ++i)
        entries[i] = {mnuLastFile[i]->isVisible(), Routines::Tag(mnuLastFile[i]), mnuLastFile[i]->text()};
    RecentUpdate(entries, path, Routines::ProgrammaMap());
    for (int i = 0; i < 4; ++i) {
        Routines::SetTag(mnuLastFile[i], entries[i].tag);
        mnuLastFile[i]->setText(entries[i].caption);
        mnuLastFile[i]->setVisible(entries[i].visible);
    }
    mnuStreep4->setVisible(true);
}

void frmQuerimo::LastFileKiezen(int index)
{
    DatabaseOpenen(Routines::Tag(mnuLastFile[index]));
}
