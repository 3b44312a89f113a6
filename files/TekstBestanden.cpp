#include <QFile>
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
    // A file that cannot be written is not reported.
    QFile file(dlgTekst.FileName);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(querimo::files::NaarBestand(rtbSQL->toPlainText()));
}
