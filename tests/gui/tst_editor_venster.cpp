// The colouring editor of the real window: colours of typed text, undo, the edit mark and the run commands.
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

namespace {

const QColor Zwart(0, 0, 0);
const QColor Blauw(0, 0, 255);
const QColor Groen(0, 128, 64);

// The colour the editor shows at a character position.
QColor KleurOp(QTextEdit* editor, int positie)
{
    const QTextBlock blok = editor->document()->findBlock(positie);
    const int inBlok = positie - blok.position();
    for (const QTextLayout::FormatRange& r : blok.layout()->formats())
        if (inBlok >= r.start && inBlok < r.start + r.length) return r.format.foreground().color();
    return QColor();  // uncoloured: the colouring skipped this character
}

}  // namespace

class TestEditorVenster : public QObject {
    Q_OBJECT

    QTemporaryDir instellingen;
    std::unique_ptr<frmQuerimo> venster;
    QTextEdit* editor = nullptr;

    void Typen(const QString& tekst) { QTest::keyClicks(editor, tekst); }

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, instellingen.path());
    }

    void init()
    {
        venster = std::make_unique<frmQuerimo>();
        QVERIFY2(venster->Geladen(), qPrintable(venster->StartFout()));
        venster->show();
        // Only the editor matters here; it is shown as opening a database would show it.
        editor = venster->rtbSQL;
        editor->show();
        editor->setFocus();
    }

    void cleanup() { venster.reset(); }

    void typedStatementIsColoured()
    {
        const QString tekst = "select naam from klant where naam = 'de select'";
        Typen(tekst);
        QCOMPARE(editor->toPlainText(), tekst);
        QCOMPARE(KleurOp(editor, 0), Blauw);                     // s of select
        QCOMPARE(KleurOp(editor, 5), Blauw);                     // t of select
        QCOMPARE(KleurOp(editor, 6), Zwart);                     // the blank
        QCOMPARE(KleurOp(editor, 7), Zwart);                     // naam
        QCOMPARE(KleurOp(editor, tekst.indexOf("from")), Blauw);
        QCOMPARE(KleurOp(editor, tekst.indexOf("where") + 4), Blauw);
        QCOMPARE(KleurOp(editor, tekst.indexOf('\'')), Groen);   // the opening quote
        QCOMPARE(KleurOp(editor, tekst.indexOf("select", 8)), Groen);
        QCOMPARE(KleurOp(editor, tekst.size() - 1), Groen);      // the closing quote
    }

    void colouringFollowsEveryChange()
    {
        Typen("selec");
        QCOMPARE(KleurOp(editor, 0), Zwart);
        Typen("t");
        QCOMPARE(KleurOp(editor, 0), Blauw);
        QTest::keyClick(editor, Qt::Key_Backspace);
        QCOMPARE(KleurOp(editor, 0), Zwart);
        // A quote opened at the start turns everything after it black until it is closed.
        Typen("t from");
        QTest::keyClick(editor, Qt::Key_Home);
        Typen("'");
        QCOMPARE(KleurOp(editor, 1), Zwart);
        QTest::keyClick(editor, Qt::Key_End);
        Typen("'");
        QCOMPARE(KleurOp(editor, 1), Groen);
        QCOMPARE(KleurOp(editor, editor->toPlainText().size() - 1), Groen);
    }

    void literalOverSeveralLines()
    {
        editor->setPlainText("select 'een\ntwee' from");
        QCOMPARE(KleurOp(editor, 0), Blauw);
        QCOMPARE(KleurOp(editor, 9), Groen);   // "een" on the first line
        QCOMPARE(KleurOp(editor, 13), Groen);  // "twee" on the second
        QCOMPARE(KleurOp(editor, 19), Blauw);  // from
    }

    void colouringIsNoChangeOfTheText()
    {
        QSignalSpy wijzigingen(editor, &QTextEdit::textChanged);
        Typen("select * from x");
        QCOMPARE(wijzigingen.count(), 15);  // one per typed character, none for the colours

        // The same typing in a plain edit box gives the same undo steps: colouring adds none.
        QTextEdit gewoon;
        QTest::keyClicks(&gewoon, "select * from x");
        QCOMPARE(editor->document()->availableUndoSteps(), gewoon.document()->availableUndoSteps());
    }

    void undoRestoresTheTypedText()
    {
        Typen("select");
        QTest::keyClick(editor, Qt::Key_Return);
        Typen("from");
        QTextEdit gewoon;
        QTest::keyClicks(&gewoon, "select");
        QTest::keyClick(&gewoon, Qt::Key_Return);
        QTest::keyClicks(&gewoon, "from");

        QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
        gewoon.undo();
        QVERIFY(editor->toPlainText() != "select\nfrom");
        QCOMPARE(editor->toPlainText(), gewoon.toPlainText());
        QCOMPARE(KleurOp(editor, 0), Blauw);  // what is left is coloured again
        QTest::keyClick(editor, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(editor->toPlainText(), QStringLiteral("select\nfrom"));
        QCOMPARE(KleurOp(editor, 7), Blauw);
    }

    void caretStaysAndNextCharacterIsBlack()
    {
        Typen("select from");
        QTest::keyClick(editor, Qt::Key_Left);
        QTest::keyClick(editor, Qt::Key_Left);
        Typen("x");
        QCOMPARE(editor->toPlainText(), QStringLiteral("select frxom"));
        QCOMPARE(editor->textCursor().position(), 10);
        QVERIFY(!editor->textCursor().hasSelection());
        QCOMPARE(KleurOp(editor, 9), Zwart);
        QTest::keyClick(editor, Qt::Key_End);
        Typen(" ");
        QCOMPARE(KleurOp(editor, 12), Zwart);
    }

    void editMarkAndRunCommands()
    {
        QCOMPARE(Routines::Tag(editor), QString());
        QVERIFY(!venster->mnuUitvoeren->isEnabled());
        Typen("s");
        QCOMPARE(Routines::Tag(editor), QStringLiteral("*"));
        QVERIFY(venster->mnuUitvoeren->isEnabled());
        QVERIFY(venster->Knop("run")->isEnabled());
        QVERIFY(venster->mnuTekstOpslaan->isEnabled());
        QVERIFY(venster->Knop("save")->isEnabled());
        Routines::SetTag(editor, "");
        QTest::keyClick(editor, Qt::Key_Backspace);
        QCOMPARE(Routines::Tag(editor), QStringLiteral("*"));  // an emptied editor still carries the mark
        QVERIFY(!venster->mnuUitvoeren->isEnabled());
        QVERIFY(!venster->Knop("run")->isEnabled());
        QVERIFY(!venster->mnuTekstOpslaan->isEnabled());
        QVERIFY(!venster->Knop("save")->isEnabled());
    }
};

QTEST_MAIN(TestEditorVenster)
#include "tst_editor_venster.moc"
