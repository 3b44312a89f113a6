#pragma once
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

#include "ado/Command.h"
#include "ado/Connection.h"
#include "ado/Recordset.h"
#include "app/CommonDialog.h"
#include "app/ImageList.h"
#include "app/Layout.h"
#include "app/LayoutEvents.h"
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

namespace querimo::exec {
class RecordsetModel;
}

// The main window: it owns all state of a run. Loading it (the constructor) is the whole start-up,
// closing it the whole shutdown.
//
// Conventions shared by every subsystem that adds procedures here:
// - A control's `Tag` is its dynamic property "Tag" (Routines::Tag / Routines::SetTag).
// - Toolbar buttons are QActions of tlbKnoppen with their key as objectName and data: Knop("run").
// - Status panels are the QLabels "licht" and "status" of stbStatus: Paneel("status").
// - Images by key: imlKnoppen.Item("groen") (a QPixmap), imlKnoppen.Icon("table").
// - A menu item and its toolbar button share their enabled state: set the item, then copy it to the button.
class frmQuerimo : public QMainWindow {
    Q_OBJECT

public:
    explicit frmQuerimo(QWidget* parent = nullptr);
    ~frmQuerimo() override;

    // False when start-up could not finish (the keyword list could not be read); StartFout() says why.
    bool Geladen() const { return geladen_; }
    const QString& StartFout() const { return startFout_; }

    // ---- State of a run, read and written by the dialogs ----
    querimo::ado::Connection Verbinding;
    std::unique_ptr<querimo::ado::Command> cmdResult;  // the command of the last execution; none at start
    QStringList Historiek;
    int HistoriekIndex = 0;
    QString Gebruiker;
    QString Paswoord;
    QString dbPaswoord;
    bool dbExclusief = false;
    QString HuidigeDb;
    QString Tag;  // the window's own tag: the parameter dialog's reply

    // ---- Controls ----
    QTableView* dgdSQL = nullptr;
    QTreeWidget* treStruktuur = nullptr;
    QStatusBar* stbStatus = nullptr;
    CommonDialog dlgDatabaseOpenen;
    QToolBar* tlbKnoppen = nullptr;
    ImageList imlKnoppen;
    QFontDialog* dlgFont = nullptr;  // created on first use
    CommonDialog dlgTekst;
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

    // ---- Main window: start-up, shutdown, routing, enablement (app/) ----
    void KnoppenSQL();
    void KnoppenSelectie();
    void LettertypeToepassen(QWidget* source, QWidget* target);
    void PlakkenInstellen();  // paste enabled exactly when the clipboard holds text; copied to "paste"

    // ---- Database connection (db/) ----
    void DatabaseKiezen();
    void DatabaseOpenen(const QString& path);
    void LastFileKiezen(int index);

    // ---- Structure browser (structure/) ----
    void StruktuurVullen();
    void BeeldVelden();
    void BeeldIndexen();

    // ---- Statement execution (exec/, editor-exec) ----
    void OpdrachtUitvoeren();
    void FoutTonen(const QString& description);
    void FoutPlaatsen();
    void ResultaatTonen(long aantal);  // the outcome of a statement that ran without failure
    void RasterKoppelen(std::shared_ptr<querimo::ado::Recordset> rs);  // null: the grid shows nothing
    querimo::exec::RecordsetModel* dgdSQLRijen = nullptr;              // the rows dgdSQL shows; created on first use

    // ---- SQL editor colouring (editor/, editor-exec) ----
    void TekstGewijzigd();  // the editor's change handler

    // ---- Statement history (history/, editor-exec) ----
    void HistoriekToevoegen();
    void VorigeOpdracht();
    void VolgendeOpdracht();
    void HistoriekTonen(int index);
    void HistoriekLeegmaken();

    // ---- Layout, edit commands, text files, dialogs, copying, dragging, font (window-rest) ----
    void Knippen();
    void Kopieren();
    void Plakken();
    void Wissen();
    void AllesSelecteren();
    void DataKopieren();
    void TekstOpenen();
    void TekstOpslaan();
    void OptiesTonen();
    void HistoriekInzien();
    void FontKiezen();
    void InfoTonen();
    void SelectieVervangen(const QString& text);  // the editor's selection, or the caret, takes the text
    void LettertypeVerspreiden();  // the grid, its headings, the window and the tree take the editor's font
    void SlepenVerbinden();        // dragging names from the tree into the editor, the tree's popup menu
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
    void tlbKnoppen_ButtonClick(QAction* button);
    void Opstarten();
    void Afsluiten();
    void LastFileBijwerken(const QString& path);
    void LastFileTonen(int index, const QString& path, const QString& caption);
    void VeldenToevoegen(QTreeWidgetItem* parent, const QString& prefix, const QString& name);
    void IndexenToevoegen(QTreeWidgetItem* parent, const QString& prefix, const QString& name);
    QTreeWidgetItem* KnoopToevoegen(QTreeWidgetItem* parent, const QString& key, const QString& text,
                                    const QString& image);

    std::shared_ptr<querimo::ado::Recordset> rsResult;
    QString Sleutelwoorden;
    QActionGroup* beeldKnoppen_ = nullptr;
    bool geladen_ = false;
    bool afgesloten_ = false;
    QString startFout_;
};
