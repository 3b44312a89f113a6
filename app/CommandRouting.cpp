// Command routing: every menu item, toolbar button and editor key reaches one procedure, and one place
// derives every enabled and checked state from the controllers.
#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>

#include "app/frmQuerimo.h"
#include "editor/Bewerker.h"

void frmQuerimo::KnoppenVerbinden()
{
    connect(mnuDatabaseOpenen, &QAction::triggered, this, &frmQuerimo::DatabaseKiezen);
    for (int i = 0; i < 4; ++i) connect(mnuLastFile[i], &QAction::triggered, this, [this, i] { LastFileKiezen(i); });
    connect(mnuTekstOpenen, &QAction::triggered, this, &frmQuerimo::TekstOpenen);
    connect(mnuTekstOpslaan, &QAction::triggered, this, &frmQuerimo::TekstOpslaan);
    connect(mnuAfsluiten, &QAction::triggered, this, &QWidget::close);
    connect(mnuKnippen, &QAction::triggered, bewerker, &querimo::editor::Bewerker::Knippen);
    connect(mnuKopieren, &QAction::triggered, bewerker, &querimo::editor::Bewerker::Kopieren);
    connect(mnuPlakken, &QAction::triggered, bewerker, &querimo::editor::Bewerker::Plakken);
    connect(mnuSelectAll, &QAction::triggered, bewerker, &querimo::editor::Bewerker::AllesSelecteren);
    connect(mnuWissen, &QAction::triggered, bewerker, &querimo::editor::Bewerker::Wissen);
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
    connect(rtbSQL, &QTextEdit::textChanged, this, [this] {
        KnoppenBijwerken();
        bewerker->TekstGewijzigd();
    });
    KnoppenKoppelen();
    EditorMenuVerbinden();

    connect(bewerker, &querimo::editor::Bewerker::Gemeten, this, &frmQuerimo::KnoppenBijwerken);
    // Paste follows the clipboard while the edit menu is usable.
    connect(bewerker, &querimo::editor::Bewerker::KlembordGewijzigd, this, [this] {
        if (mnuBewerken->isEnabled()) PlakkenInstellen();
    });
    connect(&historiek, &querimo::historiek::Historiek::Gewijzigd, this, &frmQuerimo::KnoppenBijwerken);
    connect(&struktuur, &querimo::structure::Struktuur::ModusGewijzigd, this, &frmQuerimo::KnoppenBijwerken);
    connect(&uitvoering, &querimo::exec::Uitvoering::BezigGewijzigd, this, &frmQuerimo::KnoppenBijwerken);
    connect(&recenteDatabases, &querimo::db::RecenteDatabases::Gewijzigd, this, &frmQuerimo::LastFileTonen);
}

// Each toolbar button is its menu item's twin: it shows the item's enabled and checked state and runs it.
void frmQuerimo::KnoppenKoppelen()
{
    const std::pair<const char*, QAction*> paren[] = {
        {"access", mnuDatabaseOpenen}, {"open", mnuTekstOpenen},   {"save", mnuTekstOpslaan},
        {"cut", mnuKnippen},           {"copy", mnuKopieren},      {"paste", mnuPlakken},
        {"delete", mnuWissen},         {"run", mnuUitvoeren},      {"back", mnuVorige},
        {"forward", mnuVolgende},      {"fields", mnuBeeldVelden}, {"indexes", mnuBeeldIndexen},
    };
    for (const auto& [key, item] : paren) {
        QAction* knop = Knop(QString::fromLatin1(key));
        const auto volgen = [knop, item = item] {
            knop->setEnabled(item->isEnabled());
            if (knop->isCheckable()) knop->setChecked(item->isChecked());
        };
        connect(item, &QAction::changed, knop, volgen);
        volgen();
        connect(knop, &QAction::triggered, item, &QAction::trigger);
    }
}

// The editor's context menu holds the program's own edit commands, so it shows their states and follows
// their rules, instead of the editor's built-in menu.
void frmQuerimo::EditorMenuVerbinden()
{
    mnuRtbSQL = new QMenu(rtbSQL);
    mnuRtbSQL->setObjectName("mnuRtbSQL");
    mnuRtbSQL->addActions({mnuKnippen, mnuKopieren, mnuPlakken});
    mnuRtbSQL->addSeparator();
    mnuRtbSQL->addActions({mnuSelectAll, mnuWissen});
    rtbSQL->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(rtbSQL, &QWidget::customContextMenuRequested, this, [this](const QPoint& plek) {
        mnuRtbSQL->popup(rtbSQL->viewport()->mapToGlobal(plek));
    });
}

void frmQuerimo::KnoppenBijwerken()
{
    const bool open = database.Open();
    const bool tekst = !rtbSQL->document()->isEmpty();
    mnuBewerken->setEnabled(open);
    mnuTekstOpenen->setEnabled(open);
    mnuWissen->setEnabled(open);
    mnuPlakken->setEnabled(open && bewerker->KlembordTekst());
    mnuUitvoeren->setEnabled(tekst && !opdrachtLoopt_);
    mnuTekstOpslaan->setEnabled(tekst);
    mnuKnippen->setEnabled(bewerker->Selectie());
    mnuKopieren->setEnabled(bewerker->Selectie());
    mnuDataKopieren->setEnabled(uitvoering.RijenGetoond());
    mnuVorige->setEnabled(historiek.VorigeMogelijk());
    mnuVolgende->setEnabled(historiek.VolgendeMogelijk());
    const bool velden = struktuur.Modus() == querimo::structure::Beeld::Velden;
    mnuBeeldVelden->setChecked(velden);
    mnuBeeldIndexen->setChecked(!velden);
}

void frmQuerimo::PlakkenInstellen()
{
    bewerker->KlembordMeten();
}

// The history keys of the editor, once released.
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
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
