// The main window as the user meets it: start-up state, settings, the About box and the font, opening
// databases, the recent-file list, the structure tree and dragging its names into the editor.
#include <QtTest>

#include <QAction>
#include <QClipboard>
#include <QDropEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>
#include <memory>

#include "VensterHulp.h"
#include "Version.h"
#include "app/Keywords.h"
#include "db/RecentFiles.h"
#include "dialogs/frmAbout.h"
#include "structure/StruktuurSlepen.h"

namespace {

QSettings store()
{
    return QSettings("Querimo", "Querimo");
}

QStringList childTexts(QTreeWidgetItem* node)
{
    QStringList texts;
    for (int i = 0; i < node->childCount(); ++i)
        texts << node->child(i)->text(0) + " " + node->child(i)->data(0, Qt::UserRole + 1).toString();
    return texts;
}

bool sameFont(const QFont& a, const QFont& b)
{
    return a.family() == b.family() && a.pointSizeF() == b.pointSizeF() && a.bold() == b.bold()
           && a.italic() == b.italic();
}

// The editor's font is spread over the grid, its headings, the window and the tree.
void fontEverywhere(const frmQuerimo& window, const QFont& font)
{
    QVERIFY2(sameFont(window.rtbSQL->font(), font), qPrintable(window.rtbSQL->font().toString()));
    QVERIFY(sameFont(window.dgdSQL->font(), font));
    QVERIFY(sameFont(window.dgdSQL->horizontalHeader()->font(), font));
    QVERIFY(sameFont(window.font(), font));
    QVERIFY(sameFont(window.treStruktuur->font(), font));
    // The menu bar, toolbar and status bar keep the design font.
    for (const QWidget* bar :
         std::initializer_list<const QWidget*>{window.menuBar(), window.tlbKnoppen, window.stbStatus})
        QVERIFY2(!sameFont(bar->font(), font) && bar->font().pointSizeF() == 9.75, qPrintable(bar->font().toString()));
}

// A drop as the platform delivers it to the control under the pointer: enter, then drop.
bool drop(QWidget* target, const QMimeData* data)
{
    const QPoint at(5, 5);
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent dropped(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    return dropped.isAccepted();
}

QStringList captions(const RecentEntries& entries)
{
    QStringList result;
    for (const RecentEntry& e : entries) result << (e.visible ? e.caption : QString("-"));
    return result;
}

}  // namespace

class tst_window : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;
    QTemporaryDir work;
    QString sample;  // a copy in the work folder

    // Notes the label's text at each of its paint events.
    struct PaintWatcher : QObject {
        PaintWatcher(QLabel* label, QStringList& painted) : label_(label), painted_(painted)
        {
            label->installEventFilter(this);
        }
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint) painted_ << label_->text();
            return false;
        }
        QLabel* label_;
        QStringList& painted_;
    };

    std::unique_ptr<frmQuerimo> start()
    {
        auto window = std::make_unique<frmQuerimo>();
        if (!window->Geladen()) qFatal("start-up failed: %s", qPrintable(window->StartFout()));
        return window;
    }

    std::unique_ptr<frmQuerimo> startWithSample()
    {
        auto window = start();
        const QString failure = vensterhulp::Openen(*window, sample).tekst;
        if (!failure.isEmpty()) qFatal("the sample did not open: %s", qPrintable(failure));
        return window;
    }

private slots:
    void initTestCase()
    {
        vensterhulp::EigenInstellingen(settingsDir);
        sample = vensterhulp::VoorbeeldKopie(work);
    }

    void init() { store().clear(); }

    void startsWithoutADatabase()
    {
        auto window = start();
        QCOMPARE(window->windowTitle(), QString("Querimo"));
        QVERIFY(window->treStruktuur->isHidden() && window->rtbSQL->isHidden());
        QVERIFY(window->dgdSQL->isHidden() && window->lblFout->isHidden());
        QCOMPARE(window->database.Waarden.Gebruiker, QString("Admin"));
        QVERIFY(window->database.HuidigeDb().isEmpty());
        QVERIFY(!window->mnuStreep4->isVisible());
        for (QAction* entry : window->mnuLastFile) QVERIFY(!entry->isVisible());

        QStringList usable;
        for (QAction* button : window->tlbKnoppen->actions())
            if (!button->isSeparator() && button->isEnabled()) usable << button->objectName();
        QCOMPARE(usable, QStringList({"access", "fields", "indexes"}));
        QVERIFY(!window->mnuBewerken->isEnabled());
        for (QAction* item : {window->mnuUitvoeren, window->mnuVorige, window->mnuVolgende, window->mnuDataKopieren,
                              window->mnuTekstOpenen, window->mnuTekstOpslaan})
            QVERIFY2(!item->isEnabled(), qPrintable(item->objectName()));
        for (QAction* item : {window->mnuHistoriek, window->mnuHistorLeeg, window->mnuOpties, window->mnuLettertype,
                              window->mnuInfo, window->mnuDatabaseOpenen})
            QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
        QVERIFY(window->mnuBeeldVelden->isChecked() && !window->mnuBeeldIndexen->isChecked());
        QVERIFY(window->Knop("fields")->isChecked() && !window->Knop("indexes")->isChecked());
        QCOMPARE(Routines::Tag(window->treStruktuur), QString("fields"));
        QVERIFY(window->Paneel("licht")->pixmap().isNull());
        QVERIFY(window->Paneel("status")->text().isEmpty());
    }

    void captionsShortcutsAndTooltips()
    {
        auto window = start();
        QCOMPARE(window->mnuVorige->text(), QString("Vo&rige opdracht\tPgUp"));
        QCOMPARE(window->mnuDatabaseOpenen->shortcut(), QKeySequence("Ctrl+D"));
        QCOMPARE(window->mnuUitvoeren->shortcut(), QKeySequence(Qt::Key_F5));
        QVERIFY(window->mnuKnippen->shortcut().isEmpty());  // the editor's own Ctrl+X does the cutting

        QStringList keys;
        for (QAction* button : window->tlbKnoppen->actions())
            keys << (button->isSeparator() ? QString("|") : button->objectName());
        QCOMPARE(keys, QStringList({"access", "open", "save", "|", "cut", "copy", "paste", "delete", "|", "run", "back",
                                    "forward", "|", "fields", "indexes"}));
        for (const QString& key : ImageList::Keys()) QVERIFY2(!window->imlKnoppen.Item(key).isNull(), qPrintable(key));
        QCOMPARE(window->windowIcon().availableSizes().size(), 2);
    }

    void keywordList()
    {
        QCOMPARE(KeywordList("SELECT\r\nFROM\r\n"), QString("#SELECT#FROM#"));  // a final line break adds nothing
        QCOMPARE(KeywordList("select \n\nFROM"), QString("#select ##FROM#"));   // lines are taken as read
        QCOMPARE(KeywordList(""), QString("#"));
        QCOMPARE(KeywordList("\n"), QString("##"));
    }

    void recentEntriesAreRestoredWithTheirHoles()
    {
        QSettings settings = store();
        settings.setValue("LastFile/0", Routines::ProgrammaMap() + "/a.mdb");
        settings.setValue("LastFile/2", "/elders/c.mdb");
        settings.setValue("LastFile/3", "/elders/c.mdb");  // a repeated path is shown once
        settings.sync();
        auto window = start();
        QVERIFY(window->mnuStreep4->isVisible());
        QCOMPARE(window->mnuLastFile[0]->text(), QString("&1 a.mdb"));
        QVERIFY(!window->mnuLastFile[1]->isVisible());
        QCOMPARE(window->mnuLastFile[2]->text(), QString("&3 /elders/c.mdb"));
        QCOMPARE(Routines::Tag(window->mnuLastFile[2]), QString("/elders/c.mdb"));
        QVERIFY(!window->mnuLastFile[3]->isVisible());
        // Opening shifts the hole down with the entries.
        QCOMPARE(vensterhulp::Openen(*window, sample).tekst, QString());
        QStringList shown;
        for (QAction* entry : window->mnuLastFile) shown << (entry->isVisible() ? entry->text() : "-");
        QCOMPARE(shown, QStringList({"&1 " + sample, "&2 a.mdb", "-", "&4 /elders/c.mdb"}));
    }

    void shutdownWritesVisibleEntriesAndTheFont()
    {
        QSettings settings = store();
        for (int i = 0; i < 3; ++i)
            settings.setValue("LastFile/" + QString::number(i), "/oud/" + QString::number(i) + ".mdb");
        settings.setValue("Font/Name", "DejaVu Sans");
        settings.setValue("Font/Size", QLocale().toString(11.5));
        settings.setValue("Font/Bold", "True");
        settings.sync();
        {
            auto window = start();
            QFont expected("DejaVu Sans");
            expected.setPointSizeF(11.5);
            expected.setBold(true);
            fontEverywhere(*window, expected);
            // A known path moves up; the fourth entry is the one that was not stored.
            window->recenteDatabases.Bijwerken("/oud/1.mdb");
            settings.setValue("LastFile/3", "/later/x.mdb");  // written meanwhile; a hidden entry leaves it
            settings.sync();
            window->close();
        }
        settings.sync();
        QCOMPARE(settings.value("LastFile/0").toString(), QString("/oud/1.mdb"));
        QCOMPARE(settings.value("LastFile/1").toString(), QString("/oud/0.mdb"));
        QCOMPARE(settings.value("LastFile/2").toString(), QString("/oud/2.mdb"));
        QCOMPARE(settings.value("LastFile/3").toString(), QString("/later/x.mdb"));
        QCOMPARE(settings.value("Font/Size").toString(), QLocale().toString(11.5));
        QCOMPARE(settings.value("Font/Bold").toString(), QString("True"));
        QCOMPARE(settings.value("Font/Italic").toString(), QString("False"));
    }

    void anUnreadableFontSizeKeepsTheDesignSize()
    {
        QSettings settings = store();
        settings.setValue("Font/Size", "groot");
        settings.sync();
        QCOMPARE(start()->rtbSQL->font().pointSizeF(), 9.75);
    }

    void theChosenFontIsSpreadAndKept()
    {
        const QStringList families = QFontDatabase::families();
        if (!families.contains("DejaVu Sans") || !families.contains("DejaVu Serif"))
            QSKIP("de lettertypen DejaVu Sans en DejaVu Serif ontbreken (Debian-pakket fonts-dejavu-core)");
        QFont chosen("DejaVu Serif");
        {
            auto window = start();
            QFont before("DejaVu Sans");
            before.setPointSizeF(11);
            window->rtbSQL->setFont(before);
            chosen.setPointSizeF(12);
            chosen.setBold(true);
            chosen.setStyleName("Bold");  // as picking it in the dialog's list of styles does
            QFont offered;
            vensterhulp::BijDialoog([&](QWidget* w) {
                auto* dialog = qobject_cast<QFontDialog*>(w);
                QVERIFY(dialog);
                offered = dialog->currentFont();
                dialog->setCurrentFont(chosen);
                dialog->accept();
            });
            window->mnuLettertype->trigger();
            QCOMPARE(offered.family(), before.family());
            QVERIFY(offered.pointSizeF() == 11.0 && !offered.bold());
            chosen = window->rtbSQL->font();
            QCOMPARE(chosen.family(), QString("DejaVu Serif"));
            QVERIFY(chosen.bold() && chosen.pointSizeF() == 12.0);
            fontEverywhere(*window, chosen);

            // Cancelling after changing the choice leaves every font as it was.
            vensterhulp::BijDialoog([](QWidget* w) {
                auto* dialog = qobject_cast<QFontDialog*>(w);
                // The dialog in Dutch still offers the chosen style.
                QVERIFY(dialog->currentFont().bold());
                QFont other = dialog->currentFont();
                other.setItalic(true);
                dialog->setCurrentFont(other);
                dialog->reject();
            });
            window->mnuLettertype->trigger();
            fontEverywhere(*window, chosen);
            window->close();
        }
        fontEverywhere(*start(), chosen);
    }

    void aboutBox()
    {
        auto window = start();
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            bool seen = false;
            vensterhulp::BijDialoog([&seen, key](QWidget* w) {
                auto* about = qobject_cast<frmAbout*>(w);
                QVERIFY(about);
                QCOMPARE(about->windowTitle(), QString("Querimo Info"));
                QCOMPARE(about->txtInfo->toPlainText(),
                         "Versie 4.0.0\n\n" + QString::fromUtf8(querimo::version::legalNotice));
                QVERIFY(!about->imgIcoon->pixmap().isNull());
                QCOMPARE(about->size(), QSize(Routines::TwipsNaarPixels(5280), Routines::TwipsNaarPixels(2055)));
                // The whole notice shows at once: nothing to scroll to.
                QCOMPARE(about->txtInfo->verticalScrollBar()->maximum(), 0);
                QVERIFY(!about->txtInfo->verticalScrollBar()->isVisible());
                seen = true;
                QTest::keyClick(w, key);
                QVERIFY(!w->isVisible());
            });
            window->mnuInfo->trigger();
            QVERIFY(seen);
        }
    }

    void recentListRules_data()
    {
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("first open") << QStringList{"/opt/q/nw.mdb"} << QStringList{"&1 nw.mdb", "-", "-", "-"};
        QTest::newRow("five opens keep the newest four")
            << QStringList{"/d1/A.mdb", "/d2/B.mdb", "/d3/C.mdb", "/d4/D.mdb", "/d5/E.mdb"}
            << QStringList{"&1 /d5/E.mdb", "&2 /d4/D.mdb", "&3 /d3/C.mdb", "&4 /d2/B.mdb"};
        QTest::newRow("a reopened entry moves to the top")
            << QStringList{"/d1/A.mdb", "/d2/B.mdb", "/d3/C.mdb", "/d2/B.mdb"}
            << QStringList{"&1 /d2/B.mdb", "&2 /d3/C.mdb", "&3 /d1/A.mdb", "-"};
        QTest::newRow("reopening the newest changes nothing") << QStringList{"/d1/A.mdb", "/d2/B.mdb", "/d2/B.mdb"}
                                                              << QStringList{"&1 /d2/B.mdb", "&2 /d1/A.mdb", "-", "-"};
        QTest::newRow("case makes another path")
            << QStringList{"/opt/q/nw.mdb", "/opt/Q/nw.mdb"} << QStringList{"&1 /opt/Q/nw.mdb", "&2 nw.mdb", "-", "-"};
        QTest::newRow(".accdb and .mdb alike") << QStringList{"/opt/q/nw.accdb", "/d1/A.mdb", "/d2/B.accdb"}
                                               << QStringList{"&1 /d2/B.accdb", "&2 /d1/A.mdb", "&3 nw.accdb", "-"};
        QTest::newRow("subfolder of the program folder")
            << QStringList{"/opt/q/sub/nw.mdb"} << QStringList{"&1 /opt/q/sub/nw.mdb", "-", "-", "-"};
    }

    void recentListRules()
    {
        QFETCH(QStringList, opened);
        QFETCH(QStringList, captions);
        RecentEntries entries;
        for (const QString& path : opened) RecentUpdate(entries, path, "/opt/q");
        QCOMPARE(::captions(entries), captions);
    }

    void openingTheSampleShowsTheWorkArea()
    {
        auto window = startWithSample();
        QCOMPARE(window->windowTitle(), "Querimo - " + sample);
        QCOMPARE(window->database.HuidigeDb(), sample);
        QVERIFY(!window->rtbSQL->isHidden() && !window->dgdSQL->isHidden() && !window->treStruktuur->isHidden());
        QVERIFY(window->mnuBewerken->isEnabled());
        QVERIFY(window->mnuTekstOpenen->isEnabled() && window->Knop("open")->isEnabled());
        QVERIFY(window->Knop("delete")->isEnabled());
        QVERIFY(window->Paneel("status")->text().isEmpty());
        QCOMPARE(window->mnuLastFile[0]->text(), "&1 " + sample);
        QVERIFY(window->mnuStreep4->isVisible());
    }

    void tree_data()
    {
        QTest::addColumn<bool>("indexes");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("children");  // each with its image
        QTest::newRow("tables") << false << "Tables"
                                << "Tables"
                                << "folder"
                                << "Artikel table|Bestelling table|Bestelregel table|Klant table";
        QTest::newRow("numbers, text, yes/no") << false << "T1"
                                               << "Artikel"
                                               << "table"
                                               << "ArtikelNr (getal) fields|Omschrijving (tekst) fields|"
                                                  "Categorie (tekst) fields|Prijs (getal) fields|"
                                                  "Voorraad (getal) fields|Actief (logisch) fields";
        QTest::newRow("date") << false << "T2"
                              << "Bestelling"
                              << "table"
                              << "BestelNr (getal) fields|KlantNr (getal) fields|Besteldatum (datum) fields|"
                                 "Verzonden (logisch) fields|Opmerking (tekst) fields";
        // The parameter query is no view.
        QTest::newRow("views") << false << "Views"
                               << "Views"
                               << "folder"
                               << "Omzet per klant view";
        QTest::newRow("view fields") << false << "V1"
                                     << "Omzet per klant"
                                     << "view"
                                     << "KlantNr (getal) fields|Naam (tekst) fields|Plaats (tekst) fields|"
                                        "Regels (getal) fields|Omzet (getal) fields";
        QTest::newRow("key and foreign key") << true << "T2"
                                             << "Bestelling"
                                             << "table"
                                             << "fkBestellingKlant(KlantNr) altkey|pkBestelling(BestelNr) primkey";
        QTest::newRow("key on two columns") << true << "T3"
                                            << "Bestelregel"
                                            << "table"
                                            << "pkBestelregel(BestelNr,Regel) primkey";
        QTest::newRow("index on text") << true << "T4"
                                       << "Klant"
                                       << "table"
                                       << "idxKlantPlaats(Plaats) altkey|pkKlant(KlantNr) primkey";
    }

    void tree()
    {
        QFETCH(bool, indexes);
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QString, image);
        QFETCH(QString, children);
        auto window = startWithSample();
        if (indexes) window->Knop("indexes")->trigger();
        QTreeWidgetItem* node = window->Knoop(key);
        QVERIFY(node);
        QCOMPARE(node->text(0), text);
        QCOMPARE(node->data(0, Qt::UserRole + 1).toString(), image);
        QCOMPARE(childTexts(node).join('|'), children);
    }

    void treeModesFollowMenuAndToolbar()
    {
        auto window = startWithSample();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(window->Knoop("Tables")->isExpanded() && window->Knoop("Views")->isExpanded());
        QVERIFY(!window->Knoop("T1")->isExpanded());
        window->Knop("indexes")->trigger();
        QCOMPARE(Routines::Tag(window->treStruktuur), QString("indexes"));
        QVERIFY(window->mnuBeeldIndexen->isChecked() && !window->mnuBeeldVelden->isChecked());
        QVERIFY(window->Knop("indexes")->isChecked() && !window->Knop("fields")->isChecked());
        QVERIFY(!window->Knoop("Views"));
        window->mnuBeeldVelden->trigger();
        QVERIFY(window->Knop("fields")->isChecked() && !window->Knop("indexes")->isChecked());
        QCOMPARE(window->Knoop("T1V1")->text(0), QString("ArtikelNr (getal)"));
        QCOMPARE(window->Knoop("T1V1")->toolTip(0), QString("ArtikelNr (getal)"));
        QVERIFY(window->Knoop("Views"));

        // The right button on the tree shows the view menu, the left one does not.
        QWidget* viewport = window->treStruktuur->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!window->mnuBeeld->isVisible());
        QTest::mouseClick(viewport, Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(window->mnuBeeld->isVisible());
        QCOMPARE(window->mnuBeeld->actions().value(0), window->mnuBeeldVelden);
        window->mnuBeeld->close();
    }

    void dragAFieldIntoTheEditor()
    {
        QCOMPARE(StruktuurSlepen::SleepNaam("Klant (oud) (tekst)"), QString("Klant"));
        QCOMPARE(StruktuurSlepen::SleepNaam("pkBestelregel(BestelNr,Regel)"), QString("pkBestelregel(BestelNr,Regel)"));
        QCOMPARE(StruktuurSlepen::SleepNaam(" (x)"), QString(" (x)"));  // a " (" at the very start does not cut

        auto window = startWithSample();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTreeWidget* tree = window->treStruktuur;
        QTreeWidgetItem* field = window->Knoop("T4V2");
        tree->expandItem(field->parent());
        tree->scrollToItem(field);

        // The press selects the node; moving with the left button held starts the drag.
        const QPoint at = tree->visualItemRect(field).center();
        QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(tree->currentItem(), field);
        QMouseEvent move(QEvent::MouseMove, at + QPoint(10, 0), tree->viewport()->mapToGlobal(at + QPoint(10, 0)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree->viewport(), &move);
        QVERIFY(move.isAccepted());

        window->rtbSQL->setPlainText("SELECT  FROM Klant");
        QTextCursor cursor = window->rtbSQL->textCursor();
        cursor.setPosition(7);
        window->rtbSQL->setTextCursor(cursor);
        std::unique_ptr<QMimeData> data(StruktuurSlepen::SleepGegevens(tree));
        window->setFocus();
        QVERIFY(drop(window->rtbSQL->viewport(), data.get()));
        QCOMPARE(window->rtbSQL->toPlainText(), QString("SELECT Naam FROM Klant"));
        QCOMPARE(window->rtbSQL->textCursor().position(), 11);
        QVERIFY(window->rtbSQL->hasFocus());
        QVERIFY(window->mnuUitvoeren->isEnabled());

        // A selection is replaced, whatever the drop position.
        cursor.setPosition(7);
        cursor.setPosition(11, QTextCursor::KeepAnchor);
        window->rtbSQL->setTextCursor(cursor);
        tree->setCurrentItem(window->Knoop("T4V6"));
        QVERIFY(drop(window->rtbSQL->viewport(), data.get()));
        QCOMPARE(window->rtbSQL->toPlainText(), QString("SELECT Plaats FROM Klant"));

        // Dropped anywhere else, or coming from another tree, nothing is inserted.
        drop(window->dgdSQL->viewport(), data.get());
        drop(tree->viewport(), data.get());
        QTreeWidget other;
        std::unique_ptr<QMimeData> foreign(StruktuurSlepen::SleepGegevens(&other));
        drop(window->rtbSQL->viewport(), foreign.get());
        QCOMPARE(window->rtbSQL->toPlainText(), QString("SELECT Plaats FROM Klant"));
    }

    void theOpenDialogRemembersTheFolderOfTheLastFile()
    {
        auto window = start();
        QString title, folder;
        QStringList filters;
        auto answer = [&](const QString& choice) {
            QTimer::singleShot(0, window.get(), [&, choice] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                title = dialog->windowTitle();
                folder = dialog->directory().absolutePath();
                filters = dialog->nameFilters();
                if (choice.isEmpty()) {
                    dialog->reject();
                } else {
                    dialog->selectFile(choice);
                    static_cast<QDialog*>(dialog)->accept();
                }
            });
        };
        answer(sample);
        window->DatabaseKiezen();
        QCOMPARE(title, QString("Microsoft Access Database openen"));
        QCOMPARE(folder, QDir(Routines::ProgrammaMap()).absolutePath());
        QCOMPARE(filters,
                 QStringList({"Microsoft Access Database (*.mdb *.accdb)", "Microsoft Access Werkgroep (*.mdw)"}));
        QCOMPARE(window->database.HuidigeDb(), sample);

        window->rtbSQL->setPlainText("select 1");
        answer(QString());
        window->DatabaseKiezen();
        QCOMPARE(folder, QFileInfo(sample).absolutePath());
        QCOMPARE(window->database.HuidigeDb(), sample);  // a cancel changes nothing
        QCOMPARE(window->rtbSQL->toPlainText(), QString("select 1"));
    }

    void reopeningLeavesTheShownResultReadable()
    {
        auto window = startWithSample();
        window->rtbSQL->setPlainText("SELECT BestelNr, ArtikelNr FROM Bestelregel ORDER BY BestelNr, Regel");
        window->OpdrachtUitvoeren();
        QAbstractItemModel* rows = window->dgdSQL->model();
        QVERIFY(rows);
        while (rows->canFetchMore({})) rows->fetchMore({});
        QCOMPARE(rows->rowCount(), 284);
        const QString first = rows->data(rows->index(0, 1)).toString();
        QCOMPARE(vensterhulp::Openen(*window, sample).tekst, QString());
        QCOMPARE(rows->data(rows->index(0, 1)).toString(), first);
        QCOMPARE(rows->data(rows->index(283, 1)).toString(), QString("1022"));
    }

    // The opening runs on the window's thread, so the status must be painted before it starts.
    void theOpeningStatusIsPaintedBeforeTheOpening()
    {
        auto window = start();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QLabel* status = window->Paneel("status");
        QStringList painted;
        PaintWatcher watcher(status, painted);
        QCOMPARE(vensterhulp::Openen(*window, sample).tekst, QString());
        QVERIFY2(painted.contains("Database voorbeeld.mdb wordt geopend..."), qPrintable(painted.join('|')));
    }

    void aFileThatIsNoDatabaseShowsTheFailure()
    {
        const QString bogus = work.filePath("geen-database.mdb");
        {
            QFile file(bogus);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));
        }
        auto window = startWithSample();
        window->rtbSQL->setPlainText("select 1");
        const vensterhulp::Melding failure = vensterhulp::Openen(*window, bogus);
        QCOMPARE(failure.titel, "Fout bij openen database " + bogus);
        QVERIFY(!failure.tekst.isEmpty());
        QVERIFY(failure.tekst != "Gebruiker, paswoord of databasepaswoord verkeerd");
        QCOMPARE(window->windowTitle(), QString("Querimo"));
        QVERIFY(window->database.HuidigeDb().isEmpty());
        QVERIFY(window->rtbSQL->toPlainText().isEmpty());
        QVERIFY(window->rtbSQL->isHidden() && window->dgdSQL->isHidden() && window->treStruktuur->isHidden());
        QVERIFY(!window->mnuBewerken->isEnabled() && !window->mnuPlakken->isEnabled());
        QVERIFY(!window->mnuTekstOpenen->isEnabled() && !window->Knop("open")->isEnabled());
        QVERIFY(!window->Knop("paste")->isEnabled() && !window->Knop("delete")->isEnabled());
        QVERIFY(window->Paneel("status")->text().isEmpty());
        QCOMPARE(window->database.Verbinding.State(), querimo::ado::ObjectState::Closed);
        QCOMPARE(Routines::Tag(window->mnuLastFile[0]), sample);  // only what opened is listed
    }

    void theRecentListSurvivesARestart()
    {
        const QString other = vensterhulp::VoorbeeldKopie(work, "ander.mdb");
        {
            auto window = startWithSample();
            QCOMPARE(vensterhulp::Openen(*window, other).tekst, QString());
            window->close();
        }
        auto window = start();
        QCOMPARE(window->mnuLastFile[0]->text(), "&1 " + other);
        QCOMPARE(window->mnuLastFile[1]->text(), "&2 " + sample);
        window->mnuLastFile[1]->trigger();
        QCOMPARE(window->database.HuidigeDb(), sample);
        QCOMPARE(window->mnuLastFile[0]->text(), "&1 " + sample);
        QCOMPARE(window->mnuLastFile[1]->text(), "&2 " + other);
        QVERIFY(window->Knoop("T1"));
    }

    void aDatabaseInTheProgramFolderIsNamedByItsFileName()
    {
        const QString local = Routines::ProgrammaMap() + "/tst_window_voorbeeld.mdb";
        QFile::remove(local);
        QVERIFY(QFile::copy(sample, local));
        QFile::setPermissions(local, QFile::ReadOwner | QFile::WriteOwner);
        auto window = start();
        QCOMPARE(vensterhulp::Openen(*window, local).tekst, QString());
        QCOMPARE(window->windowTitle(), QString("Querimo - tst_window_voorbeeld.mdb"));
        QCOMPARE(window->mnuLastFile[0]->text(), QString("&1 tst_window_voorbeeld.mdb"));
        window->database.Verbinding.Close();
        QFile::remove(local);
    }

    void aStoredNameWithoutAFolderOpensFromTheProgramFolder()
    {
        const QString local = Routines::ProgrammaMap() + "/tst_window_kaal.mdb";
        QFile::remove(local);
        QVERIFY(QFile::copy(sample, local));
        QFile::setPermissions(local, QFile::ReadOwner | QFile::WriteOwner);
        QSettings settings = store();
        settings.setValue("LastFile/0", "tst_window_kaal.mdb");
        settings.sync();
        // Started from another folder, which holds no such file.
        const QString eerder = QDir::currentPath();
        QVERIFY(QDir::setCurrent(work.path()));
        {
            auto window = start();
            QCOMPARE(window->mnuLastFile[0]->text(), QString("&1 tst_window_kaal.mdb"));
            QObject levensduur;  // a failed opening's message box is closed, not waited on
            QTimer::singleShot(0, &levensduur, [] {
                if (QWidget* box = QApplication::activeModalWidget()) box->close();
            });
            window->mnuLastFile[0]->trigger();
            QCOMPARE(window->database.HuidigeDb(), local);
            window->database.Verbinding.Close();
        }
        QDir::setCurrent(eerder);
        QFile::remove(local);
    }
};

QTEST_MAIN(tst_window)
#include "tst_window.moc"
