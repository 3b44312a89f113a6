// The statement history of the real window: recording, stepping back and forward, clearing.
#include <QtTest>

#include <QAction>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <memory>

#include "app/Routines.h"
#include "app/frmQuerimo.h"

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
        QCOMPARE(venster->Historiek, lijst);
        QCOMPARE(venster->HistoriekIndex, index);
        QCOMPARE(venster->mnuVorige->isEnabled(), terug);
        QCOMPARE(venster->Knop("back")->isEnabled(), terug);
        QCOMPARE(venster->mnuVolgende->isEnabled(), verder);
        QCOMPARE(venster->Knop("forward")->isEnabled(), verder);
    }

private slots:
    void initTestCase() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, instellingen.path()); }

    void init()
    {
        venster = std::make_unique<frmQuerimo>();
        QVERIFY2(venster->Geladen(), qPrintable(venster->StartFout()));
        venster->show();
        editor = venster->rtbSQL;
        editor->show();
        editor->setFocus();
    }

    void cleanup() { venster.reset(); }

    void stepBackAndRunUnchanged()
    {
        Vervangen("select 1");
        Uitvoeren();
        Vervangen("select 2");
        Uitvoeren();
        Stand({"select 1", "select 2"}, 2, true, false);
        venster->VorigeOpdracht();
        QCOMPARE(editor->toPlainText(), QStringLiteral("select 1"));
        Stand({"select 1", "select 2"}, 1, false, true);
        Uitvoeren();
        Stand({"select 1", "select 2"}, 1, false, true);
        venster->VolgendeOpdracht();
        QCOMPARE(editor->toPlainText(), QStringLiteral("select 2"));
        Stand({"select 1", "select 2"}, 2, true, false);
    }

    void changedEntryIsAppended()
    {
        Vervangen("select 1");
        Uitvoeren();
        Vervangen("select 2");
        Uitvoeren();
        venster->VorigeOpdracht();
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClicks(editor, "0");
        Uitvoeren();
        Stand({"select 1", "select 2", "select 10"}, 3, true, false);
    }

    void sameTextTwiceIsRecordedOnce()
    {
        Vervangen("select 1");
        Uitvoeren();
        Uitvoeren();
        Stand({"select 1"}, 1, false, false);
        QTest::keyClicks(editor, "x");
        QTest::keyClick(editor, Qt::Key_Backspace);
        Uitvoeren();
        Stand({"select 1", "select 1"}, 2, true, false);
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
        Stand({"select 1", "select 2"}, 1, false, true);
        venster->HistoriekTonen(0);
        venster->HistoriekTonen(3);
        QCOMPARE(editor->toPlainText(), QStringLiteral("select 1"));
        Stand({"select 1", "select 2"}, 1, false, true);
    }

    void pageKeysStepOnRelease()
    {
        Vervangen("select 1");
        Uitvoeren();
        Vervangen("select 2");
        Uitvoeren();
        QTest::keyClick(editor, Qt::Key_PageUp);
        QCOMPARE(editor->toPlainText(), QStringLiteral("select 1"));
        QTest::keyClick(editor, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(editor->toPlainText(), QStringLiteral("select 2"));
    }

    void shownEntryIsColouredAndUnmarked()
    {
        Vervangen("select 1");
        Uitvoeren();
        QCOMPARE(Routines::Tag(editor), QString());
        Vervangen("x");
        Uitvoeren();
        venster->VorigeOpdracht();
        QCOMPARE(Routines::Tag(editor), QString());
        const QTextLayout* layout = editor->document()->firstBlock().layout();
        QVERIFY(!layout->formats().isEmpty());
        QCOMPARE(layout->formats().first().format.foreground().color(), QColor(0, 0, 255));
    }

    void clearingWithTextRecordsItAgain()
    {
        Vervangen("select 1");
        Uitvoeren();
        Vervangen("select 2");
        Uitvoeren();
        venster->HistoriekLeegmaken();
        Stand({}, 0, false, false);
        QCOMPARE(Routines::Tag(editor), QStringLiteral("*"));
        QCOMPARE(editor->toPlainText(), QStringLiteral("select 2"));
        Uitvoeren();
        Stand({"select 2"}, 1, false, false);
    }

    void clearingWithEmptyEditorKeepsTheMark()
    {
        Vervangen("select 1");
        Uitvoeren();
        editor->clear();
        Routines::SetTag(editor, "");
        venster->HistoriekLeegmaken();
        QCOMPARE(Routines::Tag(editor), QString());
        Routines::SetTag(editor, "*");
        venster->HistoriekLeegmaken();
        QCOMPARE(Routines::Tag(editor), QStringLiteral("*"));
    }

    void lineBreaksAreKept()
    {
        editor->setPlainText("select *\nfrom x\n\nwhere y=1");
        Uitvoeren();
        editor->setPlainText("andere");
        Uitvoeren();
        venster->VorigeOpdracht();
        QCOMPARE(editor->toPlainText(), QStringLiteral("select *\nfrom x\n\nwhere y=1"));
        QCOMPARE(venster->Historiek.first(), QStringLiteral("select *\nfrom x\n\nwhere y=1"));
    }
};

QTEST_MAIN(TestHistoriekVenster)
#include "tst_history_venster.moc"
