#include <QFile>
#include <QMessageBox>
#include <QSaveFile>
#include <QTextEdit>

#include "app/frmQuerimo.h"
#include "files/TekstBestand.h"

namespace {

// The dialog opens in the folder of the file chosen last, with an empty name box.
void mapVanLaatsteBestand(CommonDialog& dialog)
{
    if (dialog.FileName.isEmpty()) return;
    dialog.InitDir = dialog.FileName.left(dialog.FileName.lastIndexOf(QLatin1Char('/')));
    dialog.FileName.clear();
}

}  // namespace

void frmQuerimo::TekstOpenen()
{
    dlgTekst.DialogTitle = QStringLiteral("Tekstbestand met SQL opdracht openen");
    mapVanLaatsteBestand(dlgTekst);
    if (!dlgTekst.ShowOpen(this)) return;
    // The old text goes first: a file that cannot be read leaves the editor empty, without a message.
    rtbSQL->clear();
    QFile file(dlgTekst.FileName);
    if (file.open(QIODevice::ReadOnly)) rtbSQL->setPlainText(querimo::files::UitBestand(file.readAll()));
}

void frmQuerimo::TekstOpslaan()
{
    dlgTekst.DialogTitle = QStringLiteral("SQL opdracht in tekstbestand opslaan");
    mapVanLaatsteBestand(dlgTekst);
    if (!dlgTekst.ShowSave(this)) return;
    // Written beside the old file and put in its place only when complete: a failure leaves the old file
    // whole, and the user hears of it instead of believing the text is saved.
    QSaveFile file(dlgTekst.FileName);
    if (file.open(QIODevice::WriteOnly) && file.write(querimo::files::NaarBestand(rtbSQL->toPlainText())) >= 0 &&
        file.commit())
        return;
    QMessageBox::warning(this, dlgTekst.DialogTitle,
                         "Het tekstbestand '" + dlgTekst.FileName + "' kon niet worden opgeslagen: " + file.errorString());
}
