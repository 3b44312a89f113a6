// Loading the editor from a text file and saving it to one.
#include <QMessageBox>
#include <QTextEdit>

#include "app/frmQuerimo.h"

void frmQuerimo::TekstOpenen()
{
    const std::optional<QString> tekst = tekstBestanden.Openen(this);
    if (!tekst) return;
    // The old text goes first: a file that cannot be read leaves the editor empty, without a message.
    rtbSQL->clear();
    if (!tekst->isEmpty()) rtbSQL->setPlainText(*tekst);
}

void frmQuerimo::TekstOpslaan()
{
    const std::optional<QString> fout = tekstBestanden.Opslaan(this, rtbSQL->toPlainText());
    if (fout) QMessageBox::warning(this, tekstBestanden.dlgTekst.DialogTitle, *fout);
}
