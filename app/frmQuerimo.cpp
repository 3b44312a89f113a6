#include "app/frmQuerimo.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>

#include "app/InvoerTegenhouden.h"
#include "app/QtNederlands.h"
#include "app/Routines.h"
#include "editor/Bewerker.h"

namespace {

QAction* menuItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {})
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    item->setShortcut(shortcut);
    return item;
}

QAction* separator(QMenu* menu, const char* name)
{
    QAction* item = menu->addSeparator();
    item->setObjectName(name);
    return item;
}

}  // namespace

frmQuerimo::frmQuerimo(QWidget* parent)
    : QMainWindow(parent),
      database(Routines::ProgrammaMap()),
      recenteDatabases(Routines::ProgrammaMap()),
      tekstBestanden(Routines::ProgrammaMap())
{
    QtNederlands();
    Opbouwen();
    invoerTegenhouden_ = std::make_unique<InvoerTegenhouden>([this] { uitvoering.Stoppen(); });
    // A query's first rows can be looked through while the rest arrives.
    invoerTegenhouden_->Doorlaten(dgdSQL);
    connect(&uitvoering, &querimo::exec::Uitvoering::BezigGewijzigd, this, [this](bool bezig) {
        if (bezig)
            invoerTegenhouden_->Aan();
        else
            invoerTegenhouden_->Uit();
    });
    connect(&uitvoering, &querimo::exec::Uitvoering::RijenBinnen, this, &frmQuerimo::RijenAangekomen);
    IndelingVerbinden();
    SlepenVerbinden();
    KnoppenVerbinden();
    Opstarten();
}

frmQuerimo::~frmQuerimo() = default;

// The window as designed, before start-up changes anything.
void frmQuerimo::Opbouwen()
{
    Q_INIT_RESOURCE(resources);  // the images live in a static library
    setObjectName("frmQuerimo");
    setWindowTitle("Querimo");
    QIcon icon;
    icon.addFile(":/images/querimo32.png", QSize(32, 32));
    icon.addFile(":/images/querimo16.png", QSize(16, 16));
    setWindowIcon(icon);
    QFont designFont("MS Sans Serif");
    designFont.setPointSizeF(9.75);
    setFont(designFont);

    Werkvlak = new QWidget(this);
    Werkvlak->setObjectName("Werkvlak");
    setCentralWidget(Werkvlak);

    lblFout = new QLabel("Fout", Werkvlak);
    lblFout->setObjectName("lblFout");
    QPalette foutPalette = lblFout->palette();
    foutPalette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    foutPalette.setColor(QPalette::Window, foutPalette.color(QPalette::Base));
    lblFout->setPalette(foutPalette);
    lblFout->setAutoFillBackground(true);
    lblFout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblFout->setWordWrap(true);
    lblFout->setTextFormat(Qt::PlainText);
    lblFout->hide();

    dgdSQL = new QTableView(Werkvlak);
    dgdSQL->setObjectName("dgdSQL");
    dgdSQL->hide();

    treStruktuur = new QTreeWidget(Werkvlak);
    treStruktuur->setObjectName("treStruktuur");
    treStruktuur->setHeaderHidden(true);
    treStruktuur->setColumnCount(1);
    treStruktuur->setIconSize(QSize(16, 16));
    treStruktuur->hide();

    rtbSQL = new QTextEdit(Werkvlak);
    rtbSQL->setObjectName("rtbSQL");
    rtbSQL->setAcceptRichText(false);
    rtbSQL->hide();
    rtbSQL->installEventFilter(this);
    bewerker = new querimo::editor::Bewerker(rtbSQL, this);

    imgHorSplit = new QWidget(Werkvlak);
    imgHorSplit->setObjectName("imgHorSplit");
    imgHorSplit->setCursor(Qt::SizeVerCursor);
    imgHorSplit->resize(imgHorSplit->width(), Routines::TwipsNaarPixels(45));
    imgVertSplit = new QWidget(Werkvlak);
    imgVertSplit->setObjectName("imgVertSplit");
    imgVertSplit->setCursor(Qt::SizeHorCursor);
    imgVertSplit->resize(Routines::TwipsNaarPixels(50), imgVertSplit->height());

    setTabOrder(treStruktuur, dgdSQL);
    setTabOrder(dgdSQL, rtbSQL);

    dlgDatabaseOpenen.DialogTitle = "Microsoft Access Database openen";
    dlgDatabaseOpenen.Filter = "Microsoft Access Database|*.mdb;*.accdb|Microsoft Access Werkgroep|*.mdw";

    MenusOpbouwen();
    KnoppenbalkOpbouwen();
    StatusbalkOpbouwen();
    // The window's font follows the editor's (it measures the layout); the bars keep the design font.
    QFont balkFont = designFont;
    balkFont.setResolveMask(QFont::AllPropertiesResolved);
    for (QWidget* balk : std::initializer_list<QWidget*>{menuBar(), tlbKnoppen, stbStatus}) balk->setFont(balkFont);

    // A usable size rather than the tiny design size, centred on the screen.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 1024);
    resize(std::min(960, available.width() * 9 / 10), std::min(680, available.height() * 9 / 10));
    move(available.center() - rect().center());
}

void frmQuerimo::MenusOpbouwen()
{
    mnuBestand = menuBar()->addMenu("&Bestand");
    mnuBestand->setObjectName("mnuBestand");
    mnuDatabaseOpenen = menuItem(mnuBestand, "mnuDatabaseOpenen", "&Database openen...", QKeySequence("Ctrl+D"));
    mnuStreep6 = separator(mnuBestand, "mnuStreep6");
    mnuTekstOpenen =
        menuItem(mnuBestand, "mnuTekstOpenen", "&Tekstbestand met SQL opdracht &openen...", QKeySequence("Ctrl+O"));
    mnuTekstOpenen->setEnabled(false);
    mnuTekstOpslaan =
        menuItem(mnuBestand, "mnuTekstOpslaan", "SQL opdracht in tekstbestand op&slaan...", QKeySequence("Ctrl+S"));
    mnuTekstOpslaan->setEnabled(false);
    mnuStreep4 = separator(mnuBestand, "mnuStreep4");
    mnuStreep4->setVisible(false);
    for (int i = 0; i < 4; ++i) {
        mnuLastFile[i] = mnuBestand->addAction(QString());
        mnuLastFile[i]->setObjectName("mnuLastFile" + QString::number(i));
        mnuLastFile[i]->setVisible(false);
    }
    mnuStreep1 = separator(mnuBestand, "mnuStreep1");
    mnuAfsluiten = menuItem(mnuBestand, "mnuAfsluiten", "&Afsluiten");

    mnuBewerken = menuBar()->addMenu("Be&werken");
    mnuBewerken->setObjectName("mnuBewerken");
    mnuBewerken->setEnabled(false);
    mnuKnippen = menuItem(mnuBewerken, "mnuKnippen", "K&nippen");
    mnuKnippen->setEnabled(false);
    mnuKopieren = menuItem(mnuBewerken, "mnuKopieren", "&Kopiëren");
    mnuKopieren->setEnabled(false);
    mnuPlakken = menuItem(mnuBewerken, "mnuPlakken", "&Plakken");
    mnuPlakken->setEnabled(false);
    mnuSelectAll = menuItem(mnuBewerken, "mnuSelectAll", "&Alles selecteren");
    mnuWissen = menuItem(mnuBewerken, "mnuWissen", "&Wissen");
    mnuStreep5 = separator(mnuBewerken, "mnuStreep5");
    mnuDataKopieren = menuItem(mnuBewerken, "mnuDataKopieren", "&Data kopiëren");
    mnuDataKopieren->setEnabled(false);

    mnuBeeld = menuBar()->addMenu("&Beeld");
    mnuBeeld->setObjectName("mnuBeeld");
    mnuBeeldVelden = menuItem(mnuBeeld, "mnuBeeldVelden", "&Velden van tables en views");
    mnuBeeldVelden->setCheckable(true);
    mnuBeeldVelden->setChecked(true);
    mnuBeeldIndexen = menuItem(mnuBeeld, "mnuBeeldIndexen", "Indexen van tables");
    mnuBeeldIndexen->setCheckable(true);

    mnuSQL = menuBar()->addMenu("&SQL");
    mnuSQL->setObjectName("mnuSQL");
    mnuUitvoeren = menuItem(mnuSQL, "mnuUitvoeren", "&Uitvoeren", QKeySequence(Qt::Key_F5));
    mnuUitvoeren->setEnabled(false);
    mnuStreep2 = separator(mnuSQL, "mnuStreep2");
    mnuVorige = menuItem(mnuSQL, "mnuVorige", "Vo&rige opdracht");
    mnuVorige->setEnabled(false);
    mnuVolgende = menuItem(mnuSQL, "mnuVolgende", "Vo&lgende opdracht");
    mnuVolgende->setEnabled(false);
    mnuHistoriek = menuItem(mnuSQL, "mnuHistoriek", "&Historiek inzien...");
    mnuStreep3 = separator(mnuSQL, "mnuStreep3");
    mnuHistorLeeg = menuItem(mnuSQL, "mnuHistorLeeg", "Historiek leeg &maken");

    mnuExtra = menuBar()->addMenu("E&xtra");
    mnuExtra->setObjectName("mnuExtra");
    mnuOpties = menuItem(mnuExtra, "mnuOpties", "&Opties...");
    mnuLettertype = menuItem(mnuExtra, "mnuLettertype", "&Lettertype...");

    mnuHelp = menuBar()->addMenu("&Help");
    mnuHelp->setObjectName("mnuHelp");
    mnuInfo = menuItem(mnuHelp, "mnuInfo", "&Info...");
}

void frmQuerimo::KnoppenbalkOpbouwen()
{
    tlbKnoppen = addToolBar("tlbKnoppen");
    tlbKnoppen->setObjectName("tlbKnoppen");
    tlbKnoppen->setMovable(false);
    tlbKnoppen->setFloatable(false);
    tlbKnoppen->setIconSize(QSize(16, 16));
    tlbKnoppen->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    struct Button {
        const char* key;
        const char* tooltip;
        bool enabled;
    };
    static const Button buttons[] = {
        {"access", "Database openen", true},
        {"open", "Tekstbestand met SQL opdracht openen", false},
        {"save", "SQL opdracht in tekstbestand opslaan", false},
        {nullptr, nullptr, false},
        {"cut", "Knippen", false},
        {"copy", "Kopiëren", false},
        {"paste", "Plakken", false},
        {"delete", "Wissen", false},
        {nullptr, nullptr, false},
        {"run", "Uitvoeren (F5)", false},
        {"back", "Vorige opdracht", false},
        {"forward", "Volgende opdracht", false},
        {nullptr, nullptr, false},
        {"fields", "Velden van tables en queries zien", true},
        {"indexes", "Indexen van tables zien", true},
    };
    beeldKnoppen_ = new QActionGroup(tlbKnoppen);
    beeldKnoppen_->setExclusive(true);
    for (const Button& b : buttons) {
        if (!b.key) {
            tlbKnoppen->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(b.key);
        QAction* button = tlbKnoppen->addAction(imlKnoppen.Icon(key), QString());
        button->setObjectName(key);
        button->setData(key);
        button->setToolTip(QString::fromUtf8(b.tooltip));
        button->setEnabled(b.enabled);
        if (key == "fields" || key == "indexes") {
            button->setCheckable(true);
            beeldKnoppen_->addAction(button);
        }
    }
    Knop("fields")->setChecked(true);
}

void frmQuerimo::StatusbalkOpbouwen()
{
    stbStatus = statusBar();
    stbStatus->setObjectName("stbStatus");
    stbStatus->setSizeGripEnabled(true);
    auto* licht = new QLabel(stbStatus);
    licht->setObjectName("licht");
    licht->setFixedSize(24, 18);
    licht->setAlignment(Qt::AlignCenter);
    licht->setFrameShape(QFrame::StyledPanel);
    licht->setFrameShadow(QFrame::Sunken);
    auto* status = new QLabel(stbStatus);
    status->setObjectName("status");
    status->setFrameShape(QFrame::StyledPanel);
    status->setFrameShadow(QFrame::Sunken);
    stbStatus->addWidget(licht);
    stbStatus->addWidget(status, 1);
}

QAction* frmQuerimo::Knop(const QString& key) const
{
    for (QAction* button : tlbKnoppen->actions())
        if (button->objectName() == key) return button;
    qFatal("Onbekende knop %s", qPrintable(key));
}

QLabel* frmQuerimo::Paneel(const QString& key) const
{
    QLabel* panel = stbStatus->findChild<QLabel*>(key, Qt::FindDirectChildrenOnly);
    if (!panel) qFatal("Onbekend paneel %s", qPrintable(key));
    return panel;
}

QTreeWidgetItem* frmQuerimo::Knoop(const QString& key) const
{
    for (QTreeWidgetItemIterator it(treStruktuur); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toString() == key) return *it;
    return nullptr;
}

void frmQuerimo::closeEvent(QCloseEvent* event)
{
    // A running statement is stopped first; the window closes once its run has ended.
    if (opdrachtLoopt_) {
        sluitenNaAfloop_ = true;
        uitvoering.Stoppen();
        event->ignore();
        return;
    }
    Afsluiten();
    event->accept();
}

void frmQuerimo::SlepenVerbinden()
{
    slepen_ = std::make_unique<StruktuurSlepen>(treStruktuur, rtbSQL, mnuBeeld);
    connect(slepen_.get(), &StruktuurSlepen::Neergezet, bewerker, &querimo::editor::Bewerker::SelectieVervangen);
}
