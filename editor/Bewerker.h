#pragma once
#include <QObject>
#include <QString>

#include "editor/KleurGeheugen.h"

class QTextEdit;

namespace querimo::editor {

// The SQL editor's colouring and edit commands, and the two states the edit commands are enabled by:
// the selection and the clipboard, each as last measured.
class Bewerker : public QObject {
    Q_OBJECT

public:
    explicit Bewerker(QTextEdit* rtbSQL, QObject* parent = nullptr);

    void ZetSleutelwoorden(const QString& sleutelwoorden);

    // After every change of the text: the edit mark, the caret where the change began. The colours follow
    // each change of the document already, before it is laid out.
    void TekstGewijzigd();

    void Knippen();
    void Kopieren();
    void Plakken();
    void Wissen();
    void AllesSelecteren();
    // The whole text replaced as one step that Ctrl+Z takes back; the caret at its start.
    void TekstVervangen(const QString& tekst);
    // The selection, or the caret, takes the text.
    void SelectieVervangen(const QString& tekst);

    bool Selectie() const { return selectie_; }
    bool KlembordTekst() const { return klembordTekst_; }
    void SelectieMeten();
    void KlembordMeten();

    // Reports every change of the clipboard through KlembordGewijzigd, from Volgen until Loslaten.
    void KlembordVolgen();
    void KlembordLoslaten();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void Gemeten();
    void KlembordGewijzigd();

private:
    void Kleuren(int positie, int verwijderd, int toegevoegd);

    QTextEdit* rtbSQL_;
    KleurGeheugen kleuren_;
    bool selectie_ = false;
    bool klembordTekst_ = false;
    QMetaObject::Connection klembordVolgen_;
};

}  // namespace querimo::editor
