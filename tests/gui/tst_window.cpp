// The main window as the user meets it: start-up state, settings, opening databases, the structure tree.
#include <QtTest>

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>
#include <memory>

#include "app/Routines.h"
#include "app/frmQuerimo.h"

namespace {

QString corpusFile(const QString& name)
{
    QString folder = qEnvironmentVariable("QUERIMO_CORPUS");
    if (folder.isEmpty())
        folder = QStringLiteral(QUERIMO_SOURCE_DIR "/../shared/corpus");
    const QString path = folder + "/" + name;
    return QFileInfo::exists(path) ? path : QString();
}

QSettings store()
{
    return QSettings("Querimo", "Querimo");
}

// Closes the next modal message box and reports its title and text.
struct MessageBoxCatcher {
    QString title;
    QString text;
    QObject lifetime;  // a catcher that goes out of scope unarmed no longer answers
    void arm()
    {
        QTimer::singleShot(0, &lifetime, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                box->accept();
            }
        });
    }
};

QStringList childTexts(QTreeWidgetItem* node)
{
    QStringList texts;
    for (int i = 0; i < node->childCount(); ++i)
        texts << node->child(i)->text(0);
    return texts;
}

}  // namespace

class tst_window : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;
    QTemporaryDir work;
    QString northwind;  // a copy in the work folder; empty without the corpus

    std::unique_ptr<frmQuerimo> start()
    {
        auto window = std::make_unique<frmQuerimo>();
        if (!window->Geladen())
            qFatal("start-up failed: %s", qPrintable(window->StartFout()));
        return window;
    }

    void requireNorthwind()
    {
        if (northwind.isEmpty())
            QSKIP("northwind-jet4.mdb not found: set QUERIMO_CORPUS to the corpus folder");
    }

    // Opens the copy of Northwind; fails the test with the engine's message when it does not open.
    void openNorthwind(frmQuerimo& window)
    {
        MessageBoxCatcher catcher;
        catcher.arm();
        window.DatabaseOpenen(northwind);
        QVERIFY2(catcher.text.isEmpty(), qPrintable(catcher.text));
    }

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        const QString source = corpusFile("northwind-jet4.mdb");
        if (!source.isEmpty()) {
            northwind = work.filePath("northwind.mdb");
            QVERIFY(QFile::copy(source, northwind));
            QFile::setPermissions(northwind, QFile::ReadOwner | QFile::WriteOwner);
        }
    }

    void init()
    {
        store().clear();
    }

    void startsWithoutADatabase()
    {
        auto window = start();
        QCOMPARE(window->windowTitle(), QString("Querimo"));
        QVERIFY(window->treStruktuur->isHidden());
        QVERIFY(window->rtbSQL->isHidden());
        QVERIFY(window->dgdSQL->isHidden());
        QVERIFY(window->lblFout->isHidden());
        QCOMPARE(window->Gebruiker, QString("Admin"));
        QVERIFY(window->HuidigeDb.isEmpty());
        QVERIFY(!window->mnuStreep4->isVisible());
        for (QAction* entry : window->mnuLastFile)
            QVERIFY(!entry->isVisible());

        QStringList usable;
        for (QAction* button : window->tlbKnoppen->actions())
            if (!button->isSeparator() && button->isEnabled())
                usable << button->objectName();
        QCOMPARE(usable, QStringList({"access", "fields", "indexes"}));
        QVERIFY(!window->mnuBewerken->isEnabled());
        for (QAction* item : {window->mnuUitvoeren, window->mnuVorige, window->mnuVolgende,
                              window->mnuDataKopieren, window->mnuTekstOpenen, window->mnuTekstOpslaan})
            QVERIFY2(!item->isEnabled(), qPrintable(item->objectName()));
        for (QAction* item : {window->mnuHistoriek, window->mnuHistorLeeg, window->mnuOpties,
                              window->mnuLettertype, window->mnuInfo, window->mnuDatabaseOpenen})
            QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
        QVERIFY(window->mnuBeeldVelden->isChecked());
        QVERIFY(!window->mnuBeeldIndexen->isChecked());
        QVERIFY(window->Knop("fields")->isChecked());
        QVERIFY(!window->Knop("indexes")->isChecked());
        QCOMPARE(Routines::Tag(window->treStruktuur), QString("fields"));
        QVERIFY(window->Paneel("licht")->pixmap().isNull());
        QVERIFY(window->Paneel("status")->text().isEmpty());
    }

    void captionsShortcutsAndTooltips()
    {
        auto window = start();
        QCOMPARE(window->mnuTekstOpenen->text(), QString("&Tekstbestand met SQL opdracht &openen..."));
        QCOMPARE(window->mnuVorige->text(), QString("Vo&rige opdracht\tPgUp"));
        QCOMPARE(window->mnuVolgende->text(), QString("Vo&lgende opdracht\tPgDn"));
        QCOMPARE(window->mnuKnippen->text(), QString("K&nippen\tCtrl+X"));
        QCOMPARE(window->mnuKopieren->text(), QString("&Kopiëren\tCtrl+C"));
        QCOMPARE(window->mnuPlakken->text(), QString("&Plakken\tCtrl+V"));
        QCOMPARE(window->mnuSelectAll->text(), QString("&Alles selecteren\tCtrl+A"));
        QCOMPARE(window->mnuBewerken->title(), QString("Be&werken"));
        QCOMPARE(window->mnuDatabaseOpenen->shortcut(), QKeySequence("Ctrl+D"));
        QCOMPARE(window->mnuUitvoeren->shortcut(), QKeySequence(Qt::Key_F5));
        QVERIFY(window->mnuKnippen->shortcut().isEmpty());

        QStringList keys;
        for (QAction* button : window->tlbKnoppen->actions())
            keys << (button->isSeparator() ? QString("|") : button->objectName());
        QCOMPARE(keys, QStringList({"access", "open", "save", "|", "cut", "copy", "paste", "delete", "|", "run",
                                    "back", "forward", "|", "fields", "indexes"}));
        QCOMPARE(window->Knop("run")->toolTip(), QString("Uitvoeren (F5)"));
        QCOMPARE(window->Knop("fields")->toolTip(), QString("Velden van tables en queries zien"));
        for (const QString& key : ImageList::Keys())
            QVERIFY2(!window->imlKnoppen.Item(key).isNull(), qPrintable(key));
        QCOMPARE(window->windowIcon().availableSizes().size(), 2);
    }

    void recentEntriesAreRestoredWithTheirHoles()
    {
        QSettings settings = store();
        settings.setValue("LastFile/0", Routines::ProgrammaMap() + "/a.mdb");
        settings.setValue("LastFile/2", "/elders/c.mdb");
        settings.sync();
        auto window = start();
        QVERIFY(window->mnuStreep4->isVisible());
        QCOMPARE(window->mnuLastFile[0]->text(), QString("&1 a.mdb"));
        QVERIFY(!window->mnuLastFile[1]->isVisible());
        QCOMPARE(window->mnuLastFile[2]->text(), QString("&3 /elders/c.mdb"));
        QCOMPARE(Routines::Tag(window->mnuLastFile[2]), QString("/elders/c.mdb"));
        QVERIFY(!window->mnuLastFile[3]->isVisible());
    }

    void shutdownWritesVisibleEntriesAndTheFont()
    {
        QSettings settings = store();
        for (int i = 0; i < 4; ++i)
            settings.setValue("LastFile/" + QString::number(i), "/oud/" + QString::number(i) + ".mdb");
        settings.setValue("Font/Name", "DejaVu Sans");
        settings.setValue("Font/Size", QLocale().toString(11.5));
        settings.setValue("Font/Bold", "True");
        settings.sync();
        {
            auto window = start();
            QCOMPARE(window->rtbSQL->font().family(), QString("DejaVu Sans"));
            QCOMPARE(window->rtbSQL->font().pointSizeF(), 11.5);
            QVERIFY(window->rtbSQL->font().bold());
            QVERIFY(!window->rtbSQL->font().italic());
            QCOMPARE(window->treStruktuur->font().pointSizeF(), 11.5);
            QCOMPARE(window->dgdSQL->font().family(), QString("DejaVu Sans"));
            window->mnuLastFile[3]->setVisible(false);
            Routines::SetTag(window->mnuLastFile[0], "/nieuw/n.mdb");
            settings.setValue("LastFile/3", "/later/x.mdb");  // written meanwhile; a hidden entry leaves it
            settings.sync();
            window->close();
        }
        settings.sync();
        QCOMPARE(settings.value("LastFile/0").toString(), QString("/nieuw/n.mdb"));
        QCOMPARE(settings.value("LastFile/1").toString(), QString("/oud/1.mdb"));
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
        auto window = start();
        QCOMPARE(window->rtbSQL->font().pointSizeF(), 9.75);
    }

    void openingNorthwindShowsTheWorkArea()
    {
        requireNorthwind();
        auto window = start();
        openNorthwind(*window);
        QCOMPARE(window->windowTitle(), "Querimo - " + northwind);
        QCOMPARE(window->HuidigeDb, northwind);
        QVERIFY(!window->rtbSQL->isHidden());
        QVERIFY(!window->dgdSQL->isHidden());
        QVERIFY(!window->treStruktuur->isHidden());
        QVERIFY(window->mnuBewerken->isEnabled());
        QVERIFY(window->mnuTekstOpenen->isEnabled() && window->Knop("open")->isEnabled());
        QVERIFY(window->Knop("delete")->isEnabled());
        QVERIFY(window->Paneel("status")->text().isEmpty());
        QCOMPARE(window->mnuLastFile[0]->text(), "&1 " + northwind);
        QVERIFY(window->mnuStreep4->isVisible());
    }

    void pasteFollowsTheClipboardOnceADatabaseIsOpen()
    {
        requireNorthwind();
        auto window = start();
        QApplication::clipboard()->clear();
        QApplication::clipboard()->setText("select 1");
        QVERIFY(!window->mnuPlakken->isEnabled());  // no database yet: clipboard reports change nothing
        openNorthwind(*window);
        QVERIFY(window->mnuPlakken->isEnabled() && window->Knop("paste")->isEnabled());
        QApplication::clipboard()->clear();
        QTRY_VERIFY(!window->mnuPlakken->isEnabled());
        QVERIFY(!window->Knop("paste")->isEnabled());
    }

    void treeInFieldsMode()
    {
        requireNorthwind();
        auto window = start();
        openNorthwind(*window);
        QTreeWidgetItem* tables = window->Knoop("Tables");
        QVERIFY(tables);
        QCOMPARE(tables->text(0), QString("Tables"));
        QCOMPARE(tables->data(0, Qt::UserRole + 1).toString(), QString("folder"));
        QCOMPARE(childTexts(tables), QStringList({"Categories", "Customers", "Employees", "Order Details", "Orders",
                                                  "Products", "Shippers", "Suppliers"}));
        QVERIFY(tables->isExpanded());
        QTreeWidgetItem* categories = window->Knoop("T1");
        QCOMPARE(categories->text(0), QString("Categories"));
        QVERIFY(!categories->isExpanded());
        QCOMPARE(categories->data(0, Qt::UserRole + 1).toString(), QString("table"));
        QCOMPARE(childTexts(categories), QStringList({"CategoryID (getal)", "CategoryName (tekst)",
                                                      "Description (tekst)", "Picture (onbekend)"}));
        QCOMPARE(window->Knoop("T1V4")->text(0), QString("Picture (onbekend)"));
        QCOMPARE(window->Knoop("T1V4")->data(0, Qt::UserRole + 1).toString(), QString("fields"));
        QCOMPARE(window->Knoop("T5V4")->text(0), QString("OrderDate (datum)"));
        QVERIFY(!window->Knoop("T1V5"));

        QTreeWidgetItem* views = window->Knoop("Views");
        QVERIFY(views);
        QVERIFY(views->isExpanded());
        QVERIFY(views->childCount() > 0);
        QCOMPARE(window->Knoop("V1")->data(0, Qt::UserRole + 1).toString(), QString("view"));
        QCOMPARE(window->Knoop("V1")->text(0), QString("Alphabetical List of Products"));
    }

    void viewsListTheirFields()
    {
        requireNorthwind();
        auto window = start();
        openNorthwind(*window);
        QTreeWidgetItem* view = window->Knoop("V1");
        if (view->childCount() == 0)
            QSKIP("the engine reports no columns for views yet");
        QCOMPARE(window->Knoop("V1V1")->text(0), QString("ProductID (getal)"));
        QCOMPARE(window->Knoop("V1V1")->data(0, Qt::UserRole + 1).toString(), QString("fields"));
    }

    void treeInIndexesModeFromTheToolbar()
    {
        requireNorthwind();
        auto window = start();
        openNorthwind(*window);
        window->Knop("indexes")->trigger();
        QCOMPARE(Routines::Tag(window->treStruktuur), QString("indexes"));
        QVERIFY(window->mnuBeeldIndexen->isChecked() && !window->mnuBeeldVelden->isChecked());
        QVERIFY(window->Knop("indexes")->isChecked() && !window->Knop("fields")->isChecked());
        QVERIFY(!window->Knoop("Views"));
        QTreeWidgetItem* categories = window->Knoop("T1");
        QStringList indexes = childTexts(categories);
        QVERIFY2(indexes.contains("PrimaryKey(CategoryID)"), qPrintable(indexes.join(" ")));
        QVERIFY2(indexes.contains("CategoryName(CategoryName)"), qPrintable(indexes.join(" ")));
        for (int j = 1; j <= categories->childCount(); ++j) {
            QTreeWidgetItem* node = window->Knoop("T1I" + QString::number(j));
            QVERIFY(node);
            const QString image = node->data(0, Qt::UserRole + 1).toString();
            QCOMPARE(image, QString(node->text(0).startsWith("PrimaryKey(") ? "primkey" : "altkey"));
        }
        // Order Details has a primary key on two columns.
        QVERIFY(childTexts(window->Knoop("T4")).contains("PrimaryKey(OrderID,ProductID)"));

        window->mnuBeeldVelden->trigger();
        QCOMPARE(window->Knoop("T1V1")->text(0), QString("CategoryID (getal)"));
        QVERIFY(window->Knoop("Views"));
    }

    void theOpenDialogRemembersTheFolderOfTheLastFile()
    {
        requireNorthwind();
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
        answer(northwind);
        window->DatabaseKiezen();
        QCOMPARE(title, QString("Microsoft Access Database openen"));
        QCOMPARE(folder, QDir(Routines::ProgrammaMap()).absolutePath());
        QCOMPARE(filters, QStringList({"Microsoft Access Database (*.mdb)", "Microsoft Access Werkgroep (*.mdw)"}));
        QCOMPARE(window->HuidigeDb, northwind);

        window->rtbSQL->setPlainText("select 1");
        answer(QString());
        window->DatabaseKiezen();
        QCOMPARE(folder, QFileInfo(northwind).absolutePath());
        QCOMPARE(window->HuidigeDb, northwind);  // a cancel changes nothing
        QCOMPARE(window->rtbSQL->toPlainText(), QString("select 1"));
    }

    void reopeningLeavesTheShownResultReadable()
    {
        requireNorthwind();
        auto window = start();
        openNorthwind(*window);
        window->rtbSQL->setPlainText("SELECT OrderID, ShipName FROM Orders ORDER BY OrderID");
        window->OpdrachtUitvoeren();
        QAbstractItemModel* rows = window->dgdSQL->model();
        QVERIFY(rows);
        QCOMPARE(rows->rowCount(), 830);
        const QString first = rows->data(rows->index(0, 1)).toString();
        openNorthwind(*window);
        QCOMPARE(rows->data(rows->index(0, 1)).toString(), first);
        QVERIFY(!rows->data(rows->index(829, 1)).toString().isEmpty());
    }

    void aFileThatIsNoDatabaseShowsTheFailure()
    {
        const QString bogus = work.filePath("geen-database.mdb");
        {
            QFile file(bogus);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));
        }
        auto window = start();
        if (!northwind.isEmpty())
            openNorthwind(*window);
        window->rtbSQL->setPlainText("select 1");
        MessageBoxCatcher catcher;
        catcher.arm();
        window->DatabaseOpenen(bogus);
        QCOMPARE(catcher.title, "Fout bij openen database " + bogus);
        QVERIFY(!catcher.text.isEmpty());
        QVERIFY(catcher.text != "Gebruiker, paswoord of databasepaswoord verkeerd");
        QCOMPARE(window->windowTitle(), QString("Querimo"));
        QVERIFY(window->HuidigeDb.isEmpty());
        QVERIFY(window->rtbSQL->toPlainText().isEmpty());
        QVERIFY(window->rtbSQL->isHidden() && window->dgdSQL->isHidden() && window->treStruktuur->isHidden());
        QVERIFY(!window->mnuBewerken->isEnabled() && !window->mnuPlakken->isEnabled());
        QVERIFY(!window->mnuTekstOpenen->isEnabled() && !window->Knop("open")->isEnabled());
        QVERIFY(!window->Knop("paste")->isEnabled() && !window->Knop("delete")->isEnabled());
        QVERIFY(window->Paneel("status")->text().isEmpty());
        QCOMPARE(window->Verbinding.State(), querimo::ado::ObjectState::Closed);
        QVERIFY(!window->mnuLastFile[0]->isVisible() || Routines::Tag(window->mnuLastFile[0]) != bogus);
    }

    void theRecentListSurvivesARestart()
    {
        requireNorthwind();
        {
            auto window = start();
            openNorthwind(*window);
            window->close();
        }
        auto window = start();
        QCOMPARE(Routines::Tag(window->mnuLastFile[0]), northwind);
        QCOMPARE(window->mnuLastFile[0]->text(), "&1 " + northwind);
        window->mnuLastFile[0]->trigger();
        QCOMPARE(window->HuidigeDb, northwind);
        QVERIFY(window->Knoop("T1"));
    }

    void aDatabaseInTheProgramFolderIsNamedByItsFileName()
    {
        requireNorthwind();
        const QString local = Routines::ProgrammaMap() + "/tst_window_northwind.mdb";
        QFile::remove(local);
        QVERIFY(QFile::copy(northwind, local));
        QFile::setPermissions(local, QFile::ReadOwner | QFile::WriteOwner);
        auto window = start();
        MessageBoxCatcher catcher;
        catcher.arm();
        window->DatabaseOpenen(local);
        QVERIFY2(catcher.text.isEmpty(), qPrintable(catcher.text));
        QCOMPARE(window->windowTitle(), QString("Querimo - tst_window_northwind.mdb"));
        QCOMPARE(window->mnuLastFile[0]->text(), QString("&1 tst_window_northwind.mdb"));
        window->Verbinding.Close();
        QFile::remove(local);
    }

    void typingEnablesRunAndSave()
    {
        requireNorthwind();
        auto window = start();
        openNorthwind(*window);
        window->show();
        window->rtbSQL->setFocus();
        QVERIFY(!window->mnuUitvoeren->isEnabled());
        QTest::keyClick(window->rtbSQL, Qt::Key_S);
        QVERIFY(window->mnuUitvoeren->isEnabled() && window->Knop("run")->isEnabled());
        QVERIFY(window->mnuTekstOpslaan->isEnabled() && window->Knop("save")->isEnabled());
        QTest::keyClick(window->rtbSQL, Qt::Key_Backspace);
        QVERIFY(!window->mnuUitvoeren->isEnabled() && !window->Knop("run")->isEnabled());
        QVERIFY(!window->mnuTekstOpslaan->isEnabled() && !window->Knop("save")->isEnabled());
    }

    void pageKeysReleasedInTheEditorStepTheHistory()
    {
        requireNorthwind();
        auto window = start();
        openNorthwind(*window);
        window->show();
        window->Historiek = QStringList({"select 1", "select 2", "select 3"});
        window->HistoriekTonen(3);
        window->rtbSQL->setFocus();
        QTest::keyClick(window->rtbSQL, Qt::Key_PageUp);
        QCOMPARE(window->HistoriekIndex, 2);
        QCOMPARE(window->rtbSQL->toPlainText(), QString("select 2"));
        QTest::keyClick(window->rtbSQL, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(window->HistoriekIndex, 1);
        QTest::keyClick(window->rtbSQL, Qt::Key_PageUp);  // the oldest entry: nothing more to show
        QCOMPARE(window->HistoriekIndex, 1);
        QCOMPARE(window->rtbSQL->toPlainText(), QString("select 1"));
        QTest::keyClick(window->rtbSQL, Qt::Key_PageDown);
        QCOMPARE(window->rtbSQL->toPlainText(), QString("select 2"));
        // Holding the key: only the final, real release steps.
        QTest::keyPress(window->rtbSQL, Qt::Key_PageDown);
        QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_PageDown, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(window->rtbSQL, &repeated);
        QCOMPARE(window->HistoriekIndex, 2);
        QTest::keyRelease(window->rtbSQL, Qt::Key_PageDown);
        QCOMPARE(window->HistoriekIndex, 3);
    }

    void selectionKeysRefreshCutAndCopy()
    {
        requireNorthwind();
        auto window = start();
        openNorthwind(*window);
        window->show();
        window->rtbSQL->setPlainText("select 1");
        window->rtbSQL->setFocus();
        QVERIFY(!window->mnuKnippen->isEnabled());
        QTest::keyClick(window->rtbSQL, Qt::Key_Home);
        QTest::keyClick(window->rtbSQL, Qt::Key_Right, Qt::ShiftModifier);
        QVERIFY(window->mnuKnippen->isEnabled() && window->mnuKopieren->isEnabled());
        QVERIFY(window->Knop("cut")->isEnabled() && window->Knop("copy")->isEnabled());
        QTest::keyClick(window->rtbSQL, Qt::Key_End);
        QVERIFY(!window->mnuKnippen->isEnabled() && !window->Knop("copy")->isEnabled());
    }
};

QTEST_MAIN(tst_window)
#include "tst_window.moc"
