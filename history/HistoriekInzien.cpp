#include <QListWidget>
#include <QTextEdit>

#include "app/frmQuerimo.h"
#include "history/frmHistoriek.h"

// Lets the user pick a statement of the history; the chosen one is shown as stepping to it would.
void frmQuerimo::HistoriekInzien()
{
    frmHistoriek dialog(Historiek, rtbSQL->font(), this);
    dialog.setWindowIcon(windowIcon());
    const QRect outer = frmHistoriek::Plaats(width(), height(), frameGeometry().left(), frameGeometry().top());
    dialog.resize(outer.size());
    dialog.move(outer.topLeft());
    dialog.exec();
    if (dialog.okTag == QLatin1String("*")) {
        const QList<QListWidgetItem*> selected = dialog.lstHistoriek->selectedItems();
        HistoriekTonen(selected.isEmpty() ? 0 : dialog.lstHistoriek->row(selected.first()) + 1);
    }
}
