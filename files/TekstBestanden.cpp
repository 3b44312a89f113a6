#include "files/TekstBestanden.h"

#include <QFile>
#include <QSaveFile>

#include "files/TekstBestand.h"

namespace querimo::files {

namespace {

// The dialog opens in the folder of the file chosen last, with an empty name box.
void mapVanLaatsteBestand(CommonDialog& dialog)
{
    if (dialog.FileName.isEmpty()) return;
    dialog.InitDir = dialog.FileName.left(dialog.FileName.lastIndexOf(QLatin1Char('/')));
    dialog.FileName.clear();
}

}  // namespace

TekstBestanden::TekstBestanden(QString beginMap, QObject* parent) : QObject(parent)
{
    dlgTekst.Filter = QStringLiteral("Tekstbestand|*.txt");
    dlgTekst.InitDir = std::move(beginMap);
}

std::optional<QString> TekstBestanden::Openen(QWidget* ouder)
{
    dlgTekst.DialogTitle = QStringLiteral("Tekstbestand met SQL opdracht openen");
    mapVanLaatsteBestand(dlgTekst);
    if (!dlgTekst.ShowOpen(ouder)) return std::nullopt;
    QFile file(dlgTekst.FileName);
    return file.open(QIODevice::ReadOnly) ? UitBestand(file.readAll()) : QString();
}

std::optional<QString> TekstBestanden::Opslaan(QWidget* ouder, const QString& tekst)
{
    dlgTekst.DialogTitle = QStringLiteral("SQL opdracht in tekstbestand opslaan");
    mapVanLaatsteBestand(dlgTekst);
    if (!dlgTekst.ShowSave(ouder)) return std::nullopt;
    // Written beside the old file and put in its place only when complete: a failure leaves the old file
    // whole, and the user hears of it instead of believing the text is saved.
    // Unbuffered, so that a short write (a full disk, a size limit) shows here; buffered, it could slip
    // through the commit and replace the old file with part of the text.
    const QByteArray bytes = NaarBestand(tekst);
    QSaveFile file(dlgTekst.FileName);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size();
    if (written && file.commit()) return std::nullopt;
    const QString reden = file.error() == QFileDevice::NoError
                              ? QStringLiteral("niet alle tekst kon worden weggeschreven")
                              : file.errorString();
    return "Het tekstbestand '" + dlgTekst.FileName + "' kon niet worden opgeslagen: " + reden + ".";
}

}  // namespace querimo::files
