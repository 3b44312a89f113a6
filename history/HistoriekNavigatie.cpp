#include <QAction>
#include <QTextEdit>

#include "app/Routines.h"
#include "app/frmQuerimo.h"
#include "history/HistoriekRegels.h"

namespace historiek = querimo::historiek;

// Records the editor's statement unless it is already the current entry, unchanged.
void frmQuerimo::HistoriekToevoegen()
{
    if (Routines::Tag(rtbSQL) != "*") return;
    HistoriekTonen(historiek::Opnemen(Historiek, rtbSQL->toPlainText()));
    Routines::SetTag(rtbSQL, "");
}

void frmQuerimo::VorigeOpdracht()
{
    HistoriekTonen(HistoriekIndex - 1);
}

void frmQuerimo::VolgendeOpdracht()
{
    HistoriekTonen(HistoriekIndex + 1);
}

// A position outside the list changes nothing, so the keys may step in any state.
void frmQuerimo::HistoriekTonen(int index)
{
    if (!historiek::PositieBestaat(index, static_cast<int>(Historiek.size()))) return;
    HistoriekIndex = index;
    rtbSQL->setPlainText(Historiek.at(index - 1));
    // Executing the shown entry unchanged must not record it again.
    Routines::SetTag(rtbSQL, "");
    mnuVorige->setEnabled(historiek::VorigeMogelijk(HistoriekIndex));
    Knop("back")->setEnabled(mnuVorige->isEnabled());
    mnuVolgende->setEnabled(historiek::VolgendeMogelijk(HistoriekIndex, static_cast<int>(Historiek.size())));
    Knop("forward")->setEnabled(mnuVolgende->isEnabled());
}

void frmQuerimo::HistoriekLeegmaken()
{
    Historiek.clear();
    HistoriekIndex = 0;
    mnuVolgende->setEnabled(false);
    mnuVorige->setEnabled(false);
    Knop("back")->setEnabled(false);
    Knop("forward")->setEnabled(false);
    // The statement in the editor is recorded again, as the first entry, when it is next executed.
    if (!rtbSQL->document()->isEmpty()) Routines::SetTag(rtbSQL, "*");
}
