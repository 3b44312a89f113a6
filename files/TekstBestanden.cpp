#include "files/TekstBestanden.h"

#include <QFile>
#include <QMessageBox>
#include <QPushButton>
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

// Asks whether text with characters that Windows-1252 cannot hold may be saved as UTF-8; nothing when the
// user cancels.
std::optional<Codering> CoderingKiezen(QWidget* ouder, const QString& titel, const QString& tekst)
{
    QString verloren = NietInWindows1252(tekst);
    if (verloren.isEmpty()) return Codering::Windows1252;
    if (verloren.size() > 40) verloren = verloren.left(verloren.at(39).isHighSurrogate() ? 39 : 40) + "...";
    QMessageBox vraag(QMessageBox::Warning, titel,
                      "Deze tekens kunnen niet in een Windows-1252 tekstbestand worden opgeslagen en zouden als "
                      "vraagteken verloren gaan:\n\n" +
                          verloren + "\n\nHet bestand als UTF-8 opslaan?",
                      QMessageBox::Cancel, ouder);
    vraag.setObjectName("CoderingVraag");
    QPushButton* utf8 = vraag.addButton(QStringLiteral("Als UTF-8 opslaan"), QMessageBox::AcceptRole);
    vraag.setDefaultButton(utf8);
    vraag.exec();
    if (vraag.clickedButton() != utf8) return std::nullopt;
    return Codering::Utf8MetBom;
}

}  // namespace

TekstBestanden::TekstBestanden(QString beginMap, QObject* parent) : QObject(parent)
{
    dlgTekst.Filter = QStringLiteral("Tekstbestand|*.txt");
    dlgTekst.InitDir = std::move(beginMap);
}

std::optional<TekstBestanden::Gelezen> TekstBestanden::Openen(QWidget* ouder)
{
    dlgTekst.DialogTitle = QStringLiteral("Tekstbestand met SQL opdracht openen");
    mapVanLaatsteBestand(dlgTekst);
    if (!dlgTekst.ShowOpen(ouder)) return std::nullopt;
    QFile file(dlgTekst.FileName);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        if (file.error() == QFileDevice::NoError) return Gelezen{UitBestand(bytes), std::nullopt};
    }
    return Gelezen{QString(), "Het tekstbestand '" + dlgTekst.FileName + "' kon niet worden gelezen: " +
                                  file.errorString() + "."};
}

std::optional<QString> TekstBestanden::Opslaan(QWidget* ouder, const QString& tekst)
{
    dlgTekst.DialogTitle = QStringLiteral("SQL opdracht in tekstbestand opslaan");
    const std::optional<Codering> codering = CoderingKiezen(ouder, dlgTekst.DialogTitle, tekst);
    if (!codering) return std::nullopt;
    mapVanLaatsteBestand(dlgTekst);
    if (!dlgTekst.ShowSave(ouder)) return std::nullopt;
    // Written beside the old file and put in its place only when complete: a failure leaves the old file
    // whole, and the user hears of it instead of believing the text is saved.
    // Unbuffered, so that a short write (a full disk, a size limit) shows here; buffered, it could slip
    // through the commit and replace the old file with part of the text.
    const QByteArray bytes = NaarBestand(tekst, *codering);
    QSaveFile file(dlgTekst.FileName);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size();
    if (written && file.commit()) return std::nullopt;
    const QString reden = file.error() == QFileDevice::NoError
                              ? QStringLiteral("niet alle tekst kon worden weggeschreven")
                              : file.errorString();
    return "Het tekstbestand '" + dlgTekst.FileName + "' kon niet worden opgeslagen: " + reden + ".";
}

}  // namespace querimo::files
