#include "editor/Bewerker.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPalette>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <algorithm>

#include "app/Routines.h"
#include "editor/KleurenToepassen.h"

namespace querimo::editor {

namespace {

// The editor's selection as plain text, with line feeds between its lines.
QString selectedPlainText(const QTextEdit* editor)
{
    return editor->textCursor().selection().toPlainText();
}

bool KlembordHeeftTekst(QClipboard::Mode soort)
{
    const QMimeData* inhoud = QGuiApplication::clipboard()->mimeData(soort);
    return inhoud && inhoud->hasText();
}

void naarKlembord(const QString& tekst)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(tekst);
}

}  // namespace

Bewerker::Bewerker(QTextEdit* rtbSQL, QObject* parent) : QObject(parent), rtbSQL_(rtbSQL)
{
    // Cut and copy follow every change of the selection, whatever made it: keys, mouse, a new text, a drop.
    connect(rtbSQL_, &QTextEdit::selectionChanged, this, &Bewerker::SelectieMeten);
    // Told before the document lays out the change, so the new colours take no layout of their own.
    connect(rtbSQL_->document(), &QTextDocument::contentsChange, this, &Bewerker::Kleuren);
    rtbSQL_->installEventFilter(this);
    rtbSQL_->viewport()->installEventFilter(this);
    // Plain text takes the box's own colour: a black stretch of its own between every two coloured ones would
    // split each line into twice as many pieces for the layout to shape.
    QPalette palet = rtbSQL_->palette();
    palet.setColor(QPalette::Text, KleurGewoon);
    rtbSQL_->setPalette(palet);
}

bool Bewerker::eventFilter(QObject* watched, QEvent* event)
{
    // The box's own paste, by key or by the middle button, crashes on an X clipboard that holds nothing, not
    // even an owner: with no text there is nothing to paste, so the key or the click ends here.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste))
        return !KlembordHeeftTekst(QClipboard::Clipboard);
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton)
        return !KlembordHeeftTekst(QClipboard::Selection);
    return QObject::eventFilter(watched, event);
}

void Bewerker::ZetSleutelwoorden(const QString& sleutelwoorden)
{
    kleuren_.ZetSleutelwoorden(sleutelwoorden);
    KleurenToepassen(rtbSQL_->document(), kleuren_.Bereiken(), kleuren_.Alles(rtbSQL_->toPlainText()));
}

void Bewerker::Kleuren(int positie, int verwijderd, int toegevoegd)
{
    // The document counts the separator after its last line too, and a replacement of the whole text may
    // report it as changed: the counts are cut off at the end of the text on either side.
    const QString tekst = rtbSQL_->toPlainText();
    const int n = static_cast<int>(tekst.size());
    const int oud = kleuren_.Lengte();
    verwijderd = std::min(verwijderd, oud - positie);
    toegevoegd = std::min(toegevoegd, n - positie);
    KleurenToepassen(rtbSQL_->document(), kleuren_.Bereiken(),
                     kleuren_.Bijwerken(tekst, positie, verwijderd, toegevoegd));
}

void Bewerker::TekstGewijzigd()
{
    Routines::SetTag(rtbSQL_, "*");
    // After a change the caret stands where the change began, with nothing selected.
    QTextCursor caret = rtbSQL_->textCursor();
    if (caret.hasSelection()) {
        caret.setPosition(caret.selectionStart());
        rtbSQL_->setTextCursor(caret);
    }
}

void Bewerker::Knippen()
{
    // Without a selection there is nothing to take: the clipboard keeps what it holds.
    if (!rtbSQL_->textCursor().hasSelection()) return;
    naarKlembord(selectedPlainText(rtbSQL_));
    SelectieVervangen(QString());
}

void Bewerker::Kopieren()
{
    if (!rtbSQL_->textCursor().hasSelection()) return;
    naarKlembord(selectedPlainText(rtbSQL_));
}

void Bewerker::Plakken()
{
    SelectieVervangen(QGuiApplication::clipboard()->text());
}

void Bewerker::Wissen()
{
    TekstVervangen(QString());
    rtbSQL_->setFocus();
}

void Bewerker::AllesSelecteren()
{
    rtbSQL_->selectAll();
}

void Bewerker::TekstVervangen(const QString& tekst)
{
    // Not setPlainText or clear: those forget every step the user could undo.
    QTextCursor alles(rtbSQL_->document());
    alles.beginEditBlock();
    alles.select(QTextCursor::Document);
    alles.insertText(tekst);
    alles.endEditBlock();
    rtbSQL_->moveCursor(QTextCursor::Start);
}

void Bewerker::SelectieVervangen(const QString& tekst)
{
    QTextCursor cursor = rtbSQL_->textCursor();
    cursor.insertText(tekst);
    rtbSQL_->setTextCursor(cursor);
}

void Bewerker::SelectieMeten()
{
    selectie_ = rtbSQL_->textCursor().hasSelection();
    emit Gemeten();
}

void Bewerker::KlembordMeten()
{
    klembordTekst_ = KlembordHeeftTekst(QClipboard::Clipboard);
    emit Gemeten();
}

void Bewerker::KlembordVolgen()
{
    klembordVolgen_ = connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
                              &Bewerker::KlembordGewijzigd);
}

void Bewerker::KlembordLoslaten()
{
    disconnect(klembordVolgen_);
}

}  // namespace querimo::editor
