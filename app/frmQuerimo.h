#pragma once
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

#include "app/CommonDialog.h"
#include "app/ImageList.h"
#include "app/Layout.h"
#include "app/LayoutEvents.h"
#include "db/Databaseverbinding.h"
#include "db/RecenteDatabases.h"
#include "exec/Uitvoering.h"
#include "files/TekstBestanden.h"
#include "history/Historiek.h"
#include "structure/Struktuur.h"
#include "structure/StruktuurSlepen.h"

class QAction;
class QActionGroup;
class QFontDialog;
class QLabel;
class QMenu;
class QStatusBar;
class QTableView;
class QTextEdit;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

class InvoerTegenhouden;

namespace querimo::editor {
class Bewerker;
}
namespace querimo::exec {
class RecordsetModel;
}

// The main window: the controls under their design names, wired to the controllers that hold the state of a
// run. Loading it (the constructor) is the whole start-up, closing it the whole shutdown.
//
// Conventions:
// - A control's `Tag` is its dynamic property "Tag" (Routines::Tag / Routines::SetTag).
// - Toolbar buttons are QActions of tlbKnoppen with their key as objectName and data: Knop("run"). A button
//   follows its menu item's enabled and checked state and triggers the item.
// - Status panels are the QLabels "licht" and "status" of stbStatus: Paneel("status").
// - Images by key: imlKnoppen.Item("groen") (a QPixmap), imlKnoppen.Icon("table").
// - Enabled states are derived in one place, KnoppenBijwerken, from the controllers' state.
class frmQuerimo : public QMainWindow {
    Q_OBJECT

public:
    explicit frmQuerimo(QWidget* parent = nullptr);
    ~frmQuerimo() override;

    // False when start-up could not finish (the keyword list could not be read); StartFout() says why.
    bool Geladen() const { return geladen_; }
    const QString& StartFout() const { return startFout_; }

    // ---- Controllers ----
    querimo::db::Databaseverbinding database;
    querimo::db::RecenteDatabases recenteDatabases;
    querimo::structure::Struktuur struktuur;
    querimo::exec::Uitvoering uitvoering;
    querimo::historiek::Historiek historiek;
    querimo::files::TekstBestanden tekstBestanden;
    querimo::editor::Bewerker* bewerker = nullptr;

    // ---- Controls ----
    QTableView* dgdSQL = nullptr;
    QTreeWidget* treStruktuur = nullptr;
    QStatusBar* stbStatus = nullptr;
    CommonDialog dlgDatabaseOpenen;
    QToolBar* tlbKnoppen = nullptr;
    ImageList imlKnoppen;
    QFontDialog* dlgFont = nullptr;  // created on first use
    QTextEdit* rtbSQL = nullptr;
    QLabel* lblFout = nullptr;
    QWidget* imgHorSplit = nullptr;
    QWidget* imgVertSplit = nullptr;
    QWidget* Werkvlak = nullptr;  // the client area between toolbar and status bar that holds the panes

    // ---- Menus ----
    QMenu* mnuBestand = nullptr;
    QAction* mnuDatabaseOpenen = nullptr;
    QAction* mnuStreep6 = nullptr;
    QAction* mnuTekstOpenen = nullptr;
    QAction* mnuTekstOpslaan = nullptr;
    QAction* mnuStreep4 = nullptr;
    std::array<QAction*, 4> mnuLastFile{};
    QAction* mnuStreep1 = nullptr;
    QAction* mnuAfsluiten = nullptr;
    QMenu* mnuBewerken = nullptr;
    QAction* mnuKnippen = nullptr;
    QAction* mnuKopieren = nullptr;
    QAction* mnuPlakken = nullptr;
    QAction* mnuSelectAll = nullptr;
    QAction* mnuWissen = nullptr;
    QAction* mnuStreep5 = nullptr;
    QAction* mnuDataKopieren = nullptr;
    QMenu* mnuRtbSQL = nullptr;  // the editor's context menu: the edit commands above
    QMenu* mnuBeeld = nullptr;
    QAction* mnuBeeldVelden = nullptr;
    QAction* mnuBeeldIndexen = nullptr;
    QMenu* mnuSQL = nullptr;
    QAction* mnuUitvoeren = nullptr;
    QAction* mnuStreep2 = nullptr;
    QAction* mnuVorige = nullptr;
    QAction* mnuVolgende = nullptr;
    QAction* mnuHistoriek = nullptr;
    QAction* mnuStreep3 = nullptr;
    QAction* mnuHistorLeeg = nullptr;
    QMenu* mnuExtra = nullptr;
    QAction* mnuOpties = nullptr;
    QAction* mnuLettertype = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuInfo = nullptr;

    // Lookups by key; each key of the window's design is always found.
    QAction* Knop(const QString& key) const;
    QLabel* Paneel(const QString& key) const;
    QTreeWidgetItem* Knoop(const QString& key) const;  // tree node by key; null when absent

    // ---- Routing and enablement ----
    void KnoppenBijwerken();  // every enabled and checked state, from the controllers
    void PlakkenInstellen();  // measures the clipboard for paste

    // ---- Database ----
    void DatabaseKiezen();
    void DatabaseOpenen(const QString& path);
    void LastFileKiezen(int index);
    void OptiesTonen();

    // ---- Structure tree ----
    void StruktuurVullen();
    void BeeldVelden();
    void BeeldIndexen();

    // ---- Statement execution ----
    void OpdrachtUitvoeren();
    void FoutTonen(const QString& description);
    void FoutPlaatsen();
    void ResultaatTonen(long aantal);  // the outcome of a statement that ran without failure
    void RasterKoppelen(std::shared_ptr<querimo::ado::Recordset> rs);     // null: the grid shows nothing
    void RijenTonen(const std::shared_ptr<querimo::ado::Recordset>& rs);  // bound, aligned and sized
    void RijenAangekomen();                                               // more rows of the running query
    void DataKopieren();
    querimo::exec::RecordsetModel* dgdSQLRijen = nullptr;  // the rows dgdSQL shows; created on first use

    // ---- History ----
    void HistoriekToevoegen();
    void VorigeOpdracht();
    void VolgendeOpdracht();
    void HistoriekTonen(int index);
    void HistoriekLeegmaken();
    void HistoriekInzien();

    // ---- Text files, font, about ----
    void TekstOpenen();
    void TekstOpslaan();
    void FontKiezen();
    void InfoTonen();
    void LettertypeVerspreiden();  // the grid, its headings, the window and the tree take the editor's font

    // The panes in twips of the client area (from the toolbar's top to the status bar's bottom).
    querimo::layout::Panes Indeling;
    querimo::layout::Frame Omlijsting() const;
    void IndelingVerbinden();
    void Form_Resize();
    void imgHorSplit_MouseMove(int button, float y);
    void imgVertSplit_MouseMove(int button, float x);
    void IndelingToepassen();
    // Event watchers of the layout and of dragging; members, so they stop before the controls go.
    std::unique_ptr<LayoutEvents> indelingVolgen_;
    std::unique_ptr<StruktuurSlepen> slepen_;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Opbouwen();
    void MenusOpbouwen();
    void KnoppenbalkOpbouwen();
    void StatusbalkOpbouwen();
    void KnoppenVerbinden();
    void KnoppenKoppelen();
    void EditorMenuVerbinden();
    void Opstarten();
    void Afsluiten();
    void LastFileTonen();
    void SlepenVerbinden();

    QActionGroup* beeldKnoppen_ = nullptr;
    std::unique_ptr<InvoerTegenhouden> invoerTegenhouden_;
    bool opdrachtLoopt_ = false;     // from the start of OpdrachtUitvoeren to its final steps
    bool sluitenNaAfloop_ = false;   // the window was closed while a statement ran
    bool geladen_ = false;
    bool afgesloten_ = false;
    QString startFout_;
};
