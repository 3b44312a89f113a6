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
    for (int i = 0; i < 4; ++i) connect(mnuLastFile[i], &QAction::triggered, this, [this, i] { LastFileKiezen(i); });
    connect(mnuTekstOpenen, &QAction::triggered, this, &frmQuerimo::TekstOpenen);
    connect(mnuTekstOpslaan, &QAction::triggered, this, &frmQuerimo::TekstOpslaan);
    connect(mnuAfsluiten, &QAction::triggered, this, &QWidget::close);
    connect(mnuKnippen, &QAction::triggered, this, &frmQuerimo::Knippen);
    connect(mnuKopieren, &QAction::triggered, this, &frmQuerimo::Kopieren);
    connect(mnuPlakken, &QAction::triggered, this, &frmQuerimo::Plakken);
    connect(mnuSelectAll, &QAction::triggered, this, &frmQuerimo::AllesSelecteren);
    connect(mnuWissen, &QAction::triggered, this, &frmQuerimo::Wissen);
    connect(mnuDataKopieren, &QAction::triggered, this, &frmQuerimo::DataKopieren);
    connect(mnuBeeldVelden, &QAction::triggered, this, &frmQuerimo::BeeldVelden);
    connect(mnuBeeldIndexen, &QAction::triggered, this, &frmQuerimo::BeeldIndexen);
    connect(mnuUitvoeren, &QAction::triggered, this, &frmQuerimo::OpdrachtUitvoeren);
    connect(mnuVorige, &QAction::triggered, this, &frmQuerimo::VorigeOpdracht);
    connect(mnuVolgende, &QAction::triggered, this, &frmQuerimo::VolgendeOpdracht);
    connect(mnuHistorLeeg, &QAction::triggered, this, &frmQuerimo::HistoriekLeegmaken);
    connect(mnuHistoriek, &QAction::triggered, this, &frmQuerimo::HistoriekInzien);
    connect(mnuOpties, &QAction::triggered, this, &frmQuerimo::OptiesTonen);
    connect(mnuLettertype, &QAction::triggered, this, &frmQuerimo::FontKiezen);
    connect(mnuInfo, &QAction::triggered, this, &frmQuerimo::InfoTonen);
    connect(tlbKnoppen, &QToolBar::actionTriggered, this, &frmQuerimo::tlbKnoppen_ButtonClick);
    connect(rtbSQL, &QTextEdit::textChanged, this, &frmQuerimo::TekstGewijzigd);
}

void frmQuerimo::tlbKnoppen_ButtonClick(QAction* button)
{
    // Compared in this order; a key that matches none does nothing.
    const QString key = button->objectName();
    if (key == "access")
        DatabaseKiezen();
    else if (key == "open")
        TekstOpenen();
    else if (key == "save")
        TekstOpslaan();
    else if (key == "cut")
        Knippen();
    else if (key == "copy")
        Kopieren();
    else if (key == "paste")
        Plakken();
    else if (key == "delete")
        Wissen();
    else if (key == "run")
        OpdrachtUitvoeren();
    else if (key == "back")
        VorigeOpdracht();
    else if (key == "forward")
        VolgendeOpdracht();
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
        // A held key repeats only the editor's own action; the history steps once, on the real release.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            if (key->key() == Qt::Key_PageUp)
                VorigeOpdracht();
            else if (key->key() == Qt::Key_PageDown)
                VolgendeOpdracht();
            KnoppenSelectie();
        }
    } else if (watched == rtbSQL->viewport() && event->type() == QEvent::MouseButtonRelease) {
        KnoppenSelectie();
    }
    return QMainWindow::eventFilter(watched, event);
}
