#pragma once
#include <QObject>
#include <QString>
#include <optional>

#include "app/CommonDialog.h"

class QWidget;

namespace querimo::files {

// Loading the editor's statement from a text file and saving it to one, with the dialog that remembers
// the folder of the file chosen last.
class TekstBestanden : public QObject {
    Q_OBJECT

public:
    explicit TekstBestanden(QString beginMap, QObject* parent = nullptr);

    CommonDialog dlgTekst;

    struct Gelezen {
        QString tekst;
        std::optional<QString> fout;  // why the file could not be read
    };
    // The chosen file's text, or why it could not be read; nothing when the user cancels.
    std::optional<Gelezen> Openen(QWidget* ouder);
    // Writes the text to a chosen file; why it failed, or nothing (also when the user cancels). Text that
    // Windows-1252 cannot hold is saved as UTF-8 only when the user agrees.
    std::optional<QString> Opslaan(QWidget* ouder, const QString& tekst);
};

}  // namespace querimo::files
