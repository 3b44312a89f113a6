// Loading the editor from a text file and saving it to one.
#include <QMessageBox>
#include <QTextEdit>

#include "app/frmQuerimo.h"
#include "editor/Bewerker.h"

void frmQuerimo::TekstOpenen()
{
    const auto gelezen = tekstBestanden.Openen(this);
    if (!gelezen) return;
    // A file that cannot be read leaves the editor as it was.
    if (gelezen->fout)
        QMessageBox::warning(this, tekstBestanden.dlgTekst.DialogTitle, *gelezen->fout);
    else
        bewerker->TekstVervangen(gelezen->tekst);
}

void frmQuerimo::TekstOpslaan()
{
    const std::optional<QString> fout = tekstBestanden.Opslaan(this, rtbSQL->toPlainText());
    if (fout) QMessageBox::warning(this, tekstBestanden.dlgTekst.DialogTitle, *fout);
}
