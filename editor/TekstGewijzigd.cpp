#include <QTextCursor>
#include <QTextEdit>

#include "app/Routines.h"
#include "app/frmQuerimo.h"
#include "editor/KleurenToepassen.h"
#include "editor/Kleurscan.h"

// Runs after every change of the editor's text, whatever made it.
void frmQuerimo::TekstGewijzigd()
{
    KnoppenSQL();
    Routines::SetTag(rtbSQL, "*");
    querimo::editor::KleurenToepassen(rtbSQL->document(),
                                      querimo::editor::Kleurscan(rtbSQL->toPlainText(), Sleutelwoorden));
    // After a change the caret stands where the change began, with nothing selected.
    QTextCursor caret = rtbSQL->textCursor();
    if (caret.hasSelection()) {
        caret.setPosition(caret.selectionStart());
        rtbSQL->setTextCursor(caret);
    }
}
