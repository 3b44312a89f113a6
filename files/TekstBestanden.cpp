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
    // Unbuffered, so that a short write (a full disk, a size limit) shows here; buffered, it could slip
    // through the commit and replace the old file with part of the text.
    const QByteArray bytes = querimo::files::NaarBestand(rtbSQL->toPlainText());
    QSaveFile file(dlgTekst.FileName);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size();
    if (written && file.commit()) return;
    const QString reden = file.error() == QFileDevice::NoError
                              ? QStringLiteral("niet alle tekst kon worden weggeschreven")
                              : file.errorString();
    QMessageBox::warning(this, dlgTekst.DialogTitle,
                         "Het tekstbestand '" + dlgTekst.FileName + "' kon niet worden opgeslagen: " + reden + ".");
}
