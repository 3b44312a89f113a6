#include <QClipboard>
#include <QGuiApplication>

#include "app/frmQuerimo.h"
#include "core/Error.h"
#include "exec/DataTekst.h"

// The result rows from the grid's current row on, as tab-separated text for a spreadsheet.
void frmQuerimo::DataKopieren()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (!rsResult) return;
    try {
        clipboard->setText(QString::fromStdString(querimo::exec::DataTekst(*rsResult)));
    } catch (const querimo::DbError&) {
        // A record set that can no longer be read leaves the clipboard empty.
    }
}
