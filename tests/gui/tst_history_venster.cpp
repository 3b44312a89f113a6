// The statement history: recording, stepping back and forward, clearing, and the history dialog.
#include <QtTest>

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <memory>

#include "VensterHulp.h"
#include "app/LayoutPixels.h"
#include "history/HistoriekRegels.h"
#include "history/frmHistoriek.h"

namespace {

void KlikRegel(QListWidget* list, int row, bool dubbel = false)
{
    const QPoint at = list->visualItemRect(list->item(row)).center();
    // A double-click arrives as a click followed by a second press reported as a double-click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (dubbel) {
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    }
}

}  // namespace

class TestHistoriekVenster : public QObject {
    Q_OBJECT

    QTemporaryDir instellingen;
    std::unique_ptr<frmQuerimo> venster;
    QTextEdit* editor = nullptr;

    // What an execution does with the history, before it prepares the statement.
    void Uitvoeren() { venster->HistoriekToevoegen(); }

    void Vervangen(const QString& tekst)
    {
        editor->selectAll();
        QTest::keyClicks(editor, tekst);
    }

    void Stand(const QStringList& lijst, int index, bool terug, bool verder)
    {
        QCOMPARE(venster->historiek.Lijst(), lijst);
        QCOMPARE(venster->historiek.Index(), index);
        QCOMPARE(venster->mnuVorige->isEnabled(), terug);
        QCOMPARE(venster->Knop("back")->isEnabled(), terug);
        QCOMPARE(venster->mnuVolgende->isEnabled(), verder);
        QCOMPARE(venster->Knop("forward")->isEnabled(), verder);
    }

private slots:
    void initTestCase() { vensterhulp::EigenInstellingen(instellingen); }

    void init()
    {
        venster = std::make_unique<frmQuerimo>();
        QVERIFY2(venster->Geladen(), qPrintable(venster->StartFout()));
        venster->show();
        QVERIFY(QTest::qWaitForWindowExposed(venster.get()));
        editor = venster->rtbSQL;
        editor->show();
        editor->setFocus();
    }

    void cleanup() { venster.reset(); }

    void stepBackAndRunUnchanged()
    {
        editor->setPlainText("select *\nfrom x\n\nwhere y=1");
        Routines::SetTag(editor, "*");
        Uitvoeren();
        QCOMPARE(Routines::Tag(editor), QString());
        Vervangen("select 2");
        Uitvoeren();
        Stand({"select *\nfrom x\n\nwhere y=1", "select 2"}, 2, true, false);
        venster->VorigeOpdracht();
        QCOMPARE(editor->toPlainText(), QStringLiteral("select *\nfrom x\n\nwhere y=1"));
        // The shown entry is coloured and unmarked, so running it unchanged records nothing.
        QCOMPARE(Routines::Tag(editor), QString());
        QCOMPARE(editor->document()->firstBlock().layout()->formats().value(0).format.foreground().color(),
                 QColor(0, 0, 255));
        Stand({"select *\nfrom x\n\nwhere y=1", "select 2"}, 1, false, true);
        Uitvoeren();
        Stand({"select *\nfrom x\n\nwhere y=1", "select 2"}, 1, false, true);
        venster->VolgendeOpdracht();
        QCOMPARE(editor->toPlainText(), QStringLiteral("select 2"));
        Stand({"select *\nfrom x\n\nwhere y=1", "select 2"}, 2, true, false);
    }

    void changedEntryIsAppendedAndDuplicatesKept()
    {
        Vervangen("select 1");
        Uitvoeren();
        Uitvoeren();
        Stand({"select 1"}, 1, false, false);
        Vervangen("select 2");
        Uitvoeren();
        venster->VorigeOpdracht();
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClicks(editor, "0");
        Uitvoeren();
        Stand({"select 1", "select 2", "select 10"}, 3, true, false);
        QTest::keyClicks(editor, "x");
        QTest::keyClick(editor, Qt::Key_Backspace);
        Uitvoeren();
        Stand({"select 1", "select 2", "select 10", "select 10"}, 4, true, false);
    }

    void stepsBeyondTheEndsChangeNothing()
    {
        Vervangen("typed");
        venster->VorigeOpdracht();  // empty history
        venster->VolgendeOpdracht();
        QCOMPARE(editor->toPlainText(), QStringLiteral("typed"));
        Stand({}, 0, false, false);

        Vervangen("select 1");
        Uitvoeren();
        Vervangen("select 2");
        Uitvoeren();
        venster->VolgendeOpdracht();
        Stand({"select 1", "select 2"}, 2, true, false);
        venster->VorigeOpdracht();
        venster->VorigeOpdracht();
        QCOMPARE(editor->toPlainText(), QStringLiteral("select 1"));
        venster->HistoriekTonen(0);
        venster->HistoriekTonen(3);
        QCOMPARE(editor->toPlainText(), QStringLiteral("select 1"));
        Stand({"select 1", "select 2"}, 1, false, true);
    }

    void theOldestMakesRoomAtTheLimit()
    {
        QStringList lijst;
        for (int i = 1; i <= querimo::historiek::MaxAantal; ++i) lijst << QString::number(i);
        QCOMPARE(querimo::historiek::Opnemen(lijst, "nieuw"), querimo::historiek::MaxAantal);
        QCOMPARE(lijst.size(), querimo::historiek::MaxAantal);
        QCOMPARE(lijst.first(), QStringLiteral("2"));
        QCOMPARE(lijst.last(), QStringLiteral("nieuw"));
    }

    void pageKeysStepOnTheirRealRelease()
    {
        for (const char* opdracht : {"select 1", "select 2", "select 3"}) venster->historiek.Opnemen(opdracht);
        venster->HistoriekTonen(3);
        QTest::keyClick(editor, Qt::Key_PageUp);
        QCOMPARE(editor->toPlainText(), QStringLiteral("select 2"));
        QTest::keyClick(editor, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(venster->historiek.Index(), 1);
        QTest::keyClick(editor, Qt::Key_PageDown);
        QCOMPARE(editor->toPlainText(), QStringLiteral("select 2"));
        // Holding the key: only the final, real release steps.
        QTest::keyPress(editor, Qt::Key_PageDown);
        QKeyEvent herhaald(QEvent::KeyRelease, Qt::Key_PageDown, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(editor, &herhaald);
        QCOMPARE(venster->historiek.Index(), 2);
        QTest::keyRelease(editor, Qt::Key_PageDown);
        QCOMPARE(venster->historiek.Index(), 3);
    }

    void clearing()
    {
        Vervangen("select 1");
        Uitvoeren();
        Vervangen("select 2");
        Uitvoeren();
        venster->mnuHistorLeeg->trigger();
        Stand({}, 0, false, false);
        // The statement in the editor is recorded again when it is next run.
        QCOMPARE(Routines::Tag(editor), QStringLiteral("*"));
        QCOMPARE(editor->toPlainText(), QStringLiteral("select 2"));
        Uitvoeren();
        Stand({"select 2"}, 1, false, false);

        // An empty editor keeps its mark as it was.
        editor->clear();
        Routines::SetTag(editor, "");
        venster->HistoriekLeegmaken();
        QCOMPARE(Routines::Tag(editor), QString());
        Routines::SetTag(editor, "*");
        venster->HistoriekLeegmaken();
        QCOMPARE(Routines::Tag(editor), QStringLiteral("*"));
    }

    void dialogLinesAndPlace()
    {
        QCOMPARE(frmHistoriek::Regel("SELECT *\r\nFROM a\r\nWHERE  b"), QStringLiteral("SELECT * FROM a WHERE  b"));
        // Three quarters of the main window's inner size, towards its lower right.
        QCOMPARE(frmHistoriek::Plaats(8000, 6000, 1000, 500), QRect(3000, 2000, 6000, 4500));
    }

    void dialogLayoutInTwips()
    {
        using querimo::layout::toPixels;
        frmHistoriek dialog({QStringLiteral("SELECT 1"), QStringLiteral("SELECT ") + QString(300, u'x')}, QFont(),
                            nullptr);
        dialog.resize(toPixels({0, 0, 6000, 4500}).size());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const float sw = querimo::layout::widthTwips(&dialog), sh = querimo::layout::heightTwips(&dialog);
        QCOMPARE(dialog.cmdOK->geometry(), toPixels({sw / 2 - 50 - 1215, sh - 375 - 100, 1215, 375}));
        QCOMPARE(dialog.cmdCancel->geometry(), toPixels({sw / 2 + 50, sh - 375 - 100, 1215, 375}));
        QCOMPARE(dialog.lstHistoriek->geometry(), toPixels({0, 0, sw, sh - 375 - 200}));

        // Too narrow for both buttons with room to spare: they keep their horizontal places.
        const int okLeft = dialog.cmdOK->x();
        dialog.resize(toPixels({0, 0, 2400, 4000}).size());
        QCOMPARE(dialog.cmdOK->x(), okLeft);
        QCOMPARE(dialog.lstHistoriek->width(), dialog.width());

        // The widest line can be scrolled into view up to its end.
        QScrollBar* bar = dialog.lstHistoriek->horizontalScrollBar();
        QVERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        const QRect regel = dialog.lstHistoriek->visualItemRect(dialog.lstHistoriek->item(1));
        QVERIFY(regel.right() < dialog.lstHistoriek->viewport()->width());
        QVERIFY(regel.right() > dialog.lstHistoriek->viewport()->width() - 20);
    }

    void choosingInTheMainWindow()
    {
        for (const QString& opdracht :
             {QStringLiteral("SELECT 1"), QStringLiteral("SELECT *\nFROM a\nWHERE b"), QStringLiteral("SELECT 3")})
            venster->historiek.Opnemen(opdracht);
        venster->HistoriekTonen(3);
        QString regel;
        QRect geplaatst;
        vensterhulp::BijDialoog([&](QWidget* w) {
            auto* dialog = qobject_cast<frmHistoriek*>(w);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Querimo Historiek"));
            // Nothing is chosen yet: OK is off and Enter does not close.
            QVERIFY(dialog->lstHistoriek->selectedItems().isEmpty() && !dialog->cmdOK->isEnabled());
            QTest::keyClick(dialog, Qt::Key_Return);
            QVERIFY(dialog->isVisible());
            regel = dialog->lstHistoriek->item(1)->text();
            geplaatst = QRect(dialog->pos(), dialog->size());
            KlikRegel(dialog->lstHistoriek, 1);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        venster->mnuHistoriek->trigger();
        QCOMPARE(regel, QStringLiteral("SELECT * FROM a WHERE b"));
        QCOMPARE(geplaatst, frmHistoriek::Plaats(venster->width(), venster->height(), venster->frameGeometry().left(),
                                                 venster->frameGeometry().top()));
        QCOMPARE(venster->historiek.Index(), 2);
        QCOMPARE(editor->toPlainText(), QStringLiteral("SELECT *\nFROM a\nWHERE b"));

        // A double-click is selecting and OK at once.
        vensterhulp::BijDialoog([](QWidget* w) { KlikRegel(static_cast<frmHistoriek*>(w)->lstHistoriek, 0, true); });
        venster->mnuHistoriek->trigger();
        Stand(venster->historiek.Lijst(), 1, false, true);
        QCOMPARE(editor->toPlainText(), QStringLiteral("SELECT 1"));

        // Cancelling, also after a click, changes nothing.
        vensterhulp::BijDialoog([](QWidget* w) {
            auto* dialog = static_cast<frmHistoriek*>(w);
            KlikRegel(dialog->lstHistoriek, 2);
            dialog->cmdCancel->click();
        });
        venster->mnuHistoriek->trigger();
        QCOMPARE(venster->historiek.Index(), 1);
        QCOMPARE(editor->toPlainText(), QStringLiteral("SELECT 1"));
    }

    void choosingWithTheKeyboardOnly()
    {
        for (const QString& opdracht : {QStringLiteral("SELECT 1"), QStringLiteral("SELECT 2"), QStringLiteral("SELECT 3")})
            venster->historiek.Opnemen(opdracht);
        venster->HistoriekTonen(3);
        bool aan = false;
        int gekozen = 0;
        vensterhulp::BijDialoog([&](QWidget* w) {
            auto* dialog = static_cast<frmHistoriek*>(w);
            dialog->lstHistoriek->setFocus();
            QTest::keyClick(dialog->lstHistoriek, Qt::Key_Home);
            QTest::keyClick(dialog->lstHistoriek, Qt::Key_Down);
            aan = dialog->cmdOK->isEnabled();
            gekozen = dialog->Keuze();
            QTest::keyClick(dialog->lstHistoriek, Qt::Key_Return);
        });
        venster->mnuHistoriek->trigger();
        QVERIFY(aan);
        QCOMPARE(gekozen, 2);
        QCOMPARE(venster->historiek.Index(), 2);
        QCOMPARE(editor->toPlainText(), QStringLiteral("SELECT 2"));
    }
};

QTEST_MAIN(TestHistoriekVenster)
#include "tst_history_venster.moc"
