// The history in the editor: recording, stepping, clearing and picking from the list.
#include <QTextEdit>

#include "app/Routines.h"
#include "app/frmQuerimo.h"
#include "editor/Bewerker.h"
#include "history/frmHistoriek.h"

// Records the editor's statement unless it is already the current entry, unchanged.
void frmQuerimo::HistoriekToevoegen()
{
    if (Routines::Tag(rtbSQL) != "*") return;
    HistoriekTonen(historiek.Opnemen(rtbSQL->toPlainText()));
    Routines::SetTag(rtbSQL, "");
}

void frmQuerimo::VorigeOpdracht()
{
    HistoriekTonen(historiek.Index() - 1);
}

void frmQuerimo::VolgendeOpdracht()
{
    HistoriekTonen(historiek.Index() + 1);
}

// A position outside the list changes nothing, so the keys may step in any state.
void frmQuerimo::HistoriekTonen(int index)
{
    const std::optional<QString> opdracht = historiek.Naar(index);
    if (!opdracht) return;
    bewerker->TekstVervangen(*opdracht);
    // Executing the shown entry unchanged must not record it again.
    Routines::SetTag(rtbSQL, "");
}

void frmQuerimo::HistoriekLeegmaken()
{
    historiek.Leegmaken();
    // The statement in the editor is recorded again, as the first entry, when it is next executed.
    if (!rtbSQL->document()->isEmpty()) Routines::SetTag(rtbSQL, "*");
}

// Lets the user pick a statement of the history; the chosen one is shown as stepping to it would.
void frmQuerimo::HistoriekInzien()
{
    frmHistoriek dialog(historiek.Lijst(), rtbSQL->font(), this);
    dialog.setWindowIcon(windowIcon());
    const QRect outer = frmHistoriek::Plaats(width(), height(), frameGeometry().left(), frameGeometry().top());
    dialog.resize(outer.size());
    dialog.move(outer.topLeft());
    if (dialog.exec() == QDialog::Accepted) HistoriekTonen(dialog.Keuze());
}
