// Command routing: every menu item, toolbar button and editor key reaches one procedure.
#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolBar>

#include "app/frmQuerimo.h"

void frmQuerimo::KnoppenVerbinden()
{
    connect(mnuDatabaseOpenen, &QAction::triggered, this, &frmQuerimo::DatabaseKiezen);
    for (int i = 0; i < 4; ++i)
        connect(mnuLastFile[i], &QAction::triggered, this, [this, i] { LastFileKiezen(i); });
    connect(mnuAfsluiten, &QAction::triggered, this, &QWidget::close);
    connect(mnuBeeldVelden, &QAction::triggered, this, &frmQuerimo::BeeldVelden);
    connect(mnuBeeldIndexen, &QAction::triggered, this, &frmQuerimo::BeeldIndexen);
    connect(tlbKnoppen, &QToolBar::actionTriggered, this, &frmQuerimo::tlbKnoppen_ButtonClick);
}

void frmQuerimo::tlbKnoppen_ButtonClick(QAction* button)
{
    const QString key = button->objectName();
    if (key == "access")
        DatabaseKiezen();
    else if (key == "fields")
        BeeldVelden();
    else if (key == "indexes")
        BeeldIndexen();
}

void frmQuerimo::KnoppenSQL()
{
    mnuUitvoeren->setEnabled(!rtbSQL->toPlainText().isEmpty());
    Knop("run")->setEnabled(mnuUitvoeren->isEnabled());
    mnuTekstOpslaan->setEnabled(mnuUitvoeren->isEnabled());
    Knop("save")->setEnabled(mnuUitvoeren->isEnabled());
}

void frmQuerimo::KnoppenSelectie()
{
    mnuKnippen->setEnabled(rtbSQL->textCursor().hasSelection());
    mnuKopieren->setEnabled(mnuKnippen->isEnabled());
    Knop("cut")->setEnabled(mnuKnippen->isEnabled());
    Knop("copy")->setEnabled(mnuKnippen->isEnabled());
}

// Editor keys and mouse buttons, once released: the history keys, then the cut and copy states.
bool frmQuerimo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == rtbSQL && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat())
            KnoppenSelectie();
    } else if (watched == rtbSQL->viewport() && event->type() == QEvent::MouseButtonRelease) {
        KnoppenSelectie();
    }
    return QMainWindow::eventFilter(watched, event);
}
