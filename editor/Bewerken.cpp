#include <QClipboard>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>

#include "app/frmQuerimo.h"

namespace {

// The editor's selection as plain text, with line feeds between its lines.
QString selectedPlainText(const QTextEdit* editor)
{
    return editor->textCursor().selection().toPlainText();
}

}  // namespace

void frmQuerimo::Knippen()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(selectedPlainText(rtbSQL));
    SelectieVervangen(QString());
    KnoppenSelectie();
}

void frmQuerimo::Kopieren()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(selectedPlainText(rtbSQL));
    KnoppenSelectie();
}

void frmQuerimo::Plakken()
{
    SelectieVervangen(QGuiApplication::clipboard()->text());
    // Nothing is selected after the paste; cut and copy follow at once.
    KnoppenSelectie();
}

void frmQuerimo::Wissen()
{
    rtbSQL->clear();
    KnoppenSelectie();
    rtbSQL->setFocus();
}

void frmQuerimo::AllesSelecteren()
{
    rtbSQL->selectAll();
    KnoppenSelectie();
}

void frmQuerimo::SelectieVervangen(const QString& text)
{
    QTextCursor cursor = rtbSQL->textCursor();
    cursor.insertText(text);
    rtbSQL->setTextCursor(cursor);
}
