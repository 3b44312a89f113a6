#include <QLabel>
#include <QTableView>

#include "app/frmQuerimo.h"

// A failed statement shows no message box: a red light, a fixed status text and the database's own
// description where the grid was.
void frmQuerimo::FoutTonen(const QString& description)
{
    Paneel("status")->setText("Fout bij verwerken SQL opdracht");
    Paneel("licht")->setPixmap(imlKnoppen.Item("rood"));
    dgdSQL->hide();
    FoutPlaatsen();
    // The description is shown as written, even when it holds something that looks like markup.
    lblFout->setTextFormat(Qt::PlainText);
    lblFout->setText(description);
    // Whoever shows the grid again while the label is still up gets the grid on top.
    lblFout->stackUnder(dgdSQL);
    lblFout->show();
}

// The label lies exactly over the grid's rectangle, shown or not.
void frmQuerimo::FoutPlaatsen()
{
    lblFout->setGeometry(dgdSQL->geometry());
}
