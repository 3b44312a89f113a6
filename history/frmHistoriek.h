#pragma once
#include <QDialog>
#include <QFont>
#include <QRect>
#include <QStringList>

#include "app/Layout.h"

class QListWidget;
class QPushButton;

// The list of the executed statements, one line each, to pick one from; OK answers Accepted.
class frmHistoriek : public QDialog {
    Q_OBJECT
public:
    // Fills the list from the history in the editor's font.
    frmHistoriek(const QStringList& historiek, const QFont& font, QWidget* parent);

    // An entry as one line: each line break becomes a blank.
    static QString Regel(const QString& opdracht);
    // The dialog's outer rectangle for a main window with inner size w x h and outer top-left corner at (l, t):
    // three quarters of the inner size, towards the lower right.
    static QRect Plaats(int w, int h, int l, int t);

    QListWidget* lstHistoriek;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    // The position picked (1 for the first entry), 0 when none is selected; read after exec() answers Accepted.
    int Keuze() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The buttons keep their place when the dialog becomes too small for them.
    querimo::layout::Rect ok_{0, 0, 1215, 375}, cancel_{0, 0, 1215, 375}, lijst_{0, 0, 0, 0};
};
