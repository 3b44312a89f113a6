// The colouring editor of the real window: the colouring scan, colours of typed text, undo, the edit mark,
// the run commands, and the edit commands with the paste command that follows the clipboard.
#include <QtTest>

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <memory>

#include "VensterHulp.h"
#include "editor/Bewerker.h"
#include "editor/Kleurscan.h"

using querimo::editor::KleurLiteral;
using querimo::editor::Kleurscan;
using querimo::editor::KleurSleutelwoord;

namespace {

const QColor Zwart(0, 0, 0);
const QColor Blauw(0, 0, 255);
const QColor Groen(0, 128, 64);
const QString Woorden = QStringLiteral("#SELECT#FROM#WHERE#");

// The scan's result as readable text: each coloured stretch with "b" (keyword) or "g" (literal).
QStringList Gekleurd(const QString& tekst, const QString& woorden = Woorden)
{
    QStringList uit;
    for (const auto& b : Kleurscan(tekst, woorden)) {
        const QString soort = b.kleur == KleurSleutelwoord ? "b" : b.kleur == KleurLiteral ? "g" : "?";
        uit << soort + u':' + tekst.mid(b.start, b.lengte);
    }
    return uit;
}

// The colour the editor shows at a character position: a colour of the layout, or else the box's own.
QColor KleurOp(QTextEdit* editor, int positie)
{
    const QTextBlock blok = editor->document()->findBlock(positie);
    const int inBlok = positie - blok.position();
    for (const QTextLayout::FormatRange& r : blok.layout()->formats())
        if (inBlok >= r.start && inBlok < r.start + r.length) return r.format.foreground().color();
    return editor->palette().color(QPalette::Text);
}

void Selecteer(QTextEdit* editor, int start, int lengte)
{
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + lengte, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
}

QClipboard* Klembord()
{
    return QGuiApplication::clipboard();
}

}  // namespace

class TestEditorVenster : public QObject {
    Q_OBJECT

    QTemporaryDir instellingen;
    QTemporaryDir werk;
    std::unique_ptr<frmQuerimo> venster;
    QTextEdit* editor = nullptr;

    void Typen(const QString& tekst) { QTest::keyClicks(editor, tekst); }
    void Openen() { QCOMPARE(vensterhulp::Openen(*venster, vensterhulp::VoorbeeldKopie(werk)).tekst, QString()); }

    // Cut, copy and their buttons share one state.
    void KnippenKopieren(bool aan)
    {
        QCOMPARE(venster->mnuKnippen->isEnabled(), aan);
        QCOMPARE(venster->mnuKopieren->isEnabled(), aan);
        QCOMPARE(venster->Knop("cut")->isEnabled(), aan);
        QCOMPARE(venster->Knop("copy")->isEnabled(), aan);
    }

private slots:
    void initTestCase() { vensterhulp::EigenInstellingen(instellingen); }

    void init()
    {
        venster = std::make_unique<frmQuerimo>();
        QVERIFY2(venster->Geladen(), qPrintable(venster->StartFout()));
        venster->show();
        QVERIFY(QTest::qWaitForWindowExposed(venster.get()));
        // The colouring tests need the editor only; it is shown as opening a database would show it.
        editor = venster->rtbSQL;
        editor->show();
        editor->setFocus();
    }

    void cleanup() { venster.reset(); }

    void kleurscan_data()
    {
        QTest::addColumn<QString>("tekst");
        QTest::addColumn<QString>("woorden");
        QTest::addColumn<QStringList>("verwacht");
        QTest::newRow("keywords in any case")
            << "select naam from klant where id=1" << Woorden << QStringList{"b:select", "b:from", "b:where"};
        QTest::newRow("bracket is a separator") << "SELECT(" << Woorden << QStringList{"b:SELECT"};
        QTest::newRow("dot and plus belong to words") << "a.select select+1" << Woorden << QStringList{};
        QTest::newRow("double-quoted literal")
            << "where \"from\" select" << Woorden << QStringList{"b:where", "g:\"from\"", "b:select"};
        QTest::newRow("double quote inside single-quoted literal")
            << "'a\"b' from" << Woorden << QStringList{"g:'a\"b'", "b:from"};
        QTest::newRow("single quote inside double-quoted literal")
            << "\"a'b\" from" << Woorden << QStringList{"g:\"a'b\"", "b:from"};
        QTest::newRow("bracketed names stay black")
            << "select [order] from [select]" << Woorden << QStringList{"b:select", "b:from"};
        QTest::newRow("bracket inside literal opens a name") << "'a[b' select" << Woorden << QStringList{};
        QTest::newRow("bracketed name closed inside literal")
            << "'a[b]' select" << Woorden << QStringList{"g:'a[b]'", "b:select"};
        QTest::newRow("unclosed literal") << "select 'abc from" << Woorden << QStringList{"b:select"};
        QTest::newRow("keyword followed by quote") << "select'x'" << Woorden << QStringList{"g:'x'"};
        QTest::newRow("keyword followed by bracket") << "select[x] from" << Woorden << QStringList{"b:from"};
        QTest::newRow("word containing the list separator") << "SELECT#FROM" << Woorden << QStringList{"b:SELECT#FROM"};
        QTest::newRow("all separators") << "(select)=from;where,select<from>where!\r\n\tfrom" << Woorden
                                        << QStringList{"b:select", "b:from",  "b:where", "b:select",
                                                       "b:from",   "b:where", "b:from"};
        QTest::newRow("closing bracket outside a name") << "] select" << Woorden << QStringList{"b:select"};
        QTest::newRow("unclosed bracket") << "select [from where" << Woorden << QStringList{"b:select"};
        QTest::newRow("literal directly after a word") << "from'x' where" << Woorden << QStringList{"g:'x'", "b:where"};
        QTest::newRow("lower-case entry never matches") << "select from"
                                                        << "#select#From#" << QStringList{};
        QTest::newRow("entry with a blank") << "select from"
                                            << "#SELECT #" << QStringList{};
        QTest::newRow("upper case beyond ASCII") << "überall"
                                                 << "#ÜBERALL#" << QStringList{"b:überall"};
        QTest::newRow("empty list") << "select from"
                                    << "#" << QStringList{};
    }

    void kleurscan()
    {
        QFETCH(QString, tekst);
        QFETCH(QString, woorden);
        QFETCH(QStringList, verwacht);
        QCOMPARE(Gekleurd(tekst, woorden), verwacht);
    }

    void positionsCountUtf16UnitsThroughout()
    {
        // A character outside the basic plane takes two positions in the editor as well.
        auto b = Kleurscan(QStringLiteral("'\U0001F600' from"), Woorden);
        QCOMPARE(b.size(), std::size_t(2));
        QCOMPARE(b[0].lengte, 4);
        QCOMPARE(b[1].start, 5);
        // Beyond 32,766 characters the positions simply grow wider.
        b = Kleurscan(QString(40000, u'x') + QStringLiteral(" from"), Woorden);
        QCOMPARE(b.size(), std::size_t(1));
        QCOMPARE(b[0].start, 40001);
    }

    void typedStatementIsColoured()
    {
        const QString tekst = "select naam from klant where naam = 'de select'";
        Typen(tekst);
        QCOMPARE(editor->toPlainText(), tekst);
        QCOMPARE(KleurOp(editor, 0), Blauw);  // s of select
        QCOMPARE(KleurOp(editor, 5), Blauw);  // t of select
        QCOMPARE(KleurOp(editor, 6), Zwart);  // the blank
        QCOMPARE(KleurOp(editor, 7), Zwart);  // naam
        QCOMPARE(KleurOp(editor, tekst.indexOf("where") + 4), Blauw);
        QCOMPARE(KleurOp(editor, tekst.indexOf('\'')), Groen);
        QCOMPARE(KleurOp(editor, tekst.indexOf("select", 8)), Groen);
        QCOMPARE(KleurOp(editor, tekst.size() - 1), Groen);
        editor->setPlainText("select 'een\ntwee' from");
        QCOMPARE(KleurOp(editor, 9), Groen);   // "een" on the first line
        QCOMPARE(KleurOp(editor, 13), Groen);  // "twee" on the second
        QCOMPARE(KleurOp(editor, 19), Blauw);  // from
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
        // The caret stays where it was.
        QTest::keyClick(editor, Qt::Key_Left);
        QTest::keyClick(editor, Qt::Key_Left);
        Typen("x");
        QCOMPARE(editor->toPlainText(), QStringLiteral("'select froxm'"));
        QCOMPARE(editor->textCursor().position(), 12);
        QVERIFY(!editor->textCursor().hasSelection());
        QCOMPARE(KleurOp(editor, 11), Groen);
    }

    void colouringIsNoChangeOfTheText()
    {
        QSignalSpy wijzigingen(editor, &QTextEdit::textChanged);
        Typen("select");
        QTest::keyClick(editor, Qt::Key_Return);
        Typen("from");
        QCOMPARE(wijzigingen.count(), 11);  // one per typed character, none for the colours

        // The same typing in a plain edit box gives the same undo steps: colouring adds none.
        QTextEdit gewoon;
        QTest::keyClicks(&gewoon, "select");
        QTest::keyClick(&gewoon, Qt::Key_Return);
        QTest::keyClicks(&gewoon, "from");
        QCOMPARE(editor->document()->availableUndoSteps(), gewoon.document()->availableUndoSteps());
        QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
        gewoon.undo();
        QVERIFY(editor->toPlainText() != "select\nfrom");
        QCOMPARE(editor->toPlainText(), gewoon.toPlainText());
        QCOMPARE(KleurOp(editor, 0), Blauw);  // what is left is coloured again
        QTest::keyClick(editor, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(editor->toPlainText(), QStringLiteral("select\nfrom"));
        QCOMPARE(KleurOp(editor, 7), Blauw);
    }

    void editMarkAndRunCommands()
    {
        QCOMPARE(Routines::Tag(editor), QString());
        QVERIFY(!venster->mnuUitvoeren->isEnabled());
        Typen("s");
        QCOMPARE(Routines::Tag(editor), QStringLiteral("*"));
        QVERIFY(venster->mnuUitvoeren->isEnabled() && venster->Knop("run")->isEnabled());
        QVERIFY(venster->mnuTekstOpslaan->isEnabled() && venster->Knop("save")->isEnabled());
        Routines::SetTag(editor, "");
        QTest::keyClick(editor, Qt::Key_Backspace);
        QCOMPARE(Routines::Tag(editor), QStringLiteral("*"));  // an emptied editor still carries the mark
        QVERIFY(!venster->mnuUitvoeren->isEnabled() && !venster->Knop("run")->isEnabled());
        QVERIFY(!venster->mnuTekstOpslaan->isEnabled() && !venster->Knop("save")->isEnabled());
    }

    void pasteFollowsTheClipboardOnceADatabaseIsOpen()
    {
        Klembord()->setText(QStringLiteral("SELECT 1"));
        QVERIFY(!venster->mnuPlakken->isEnabled() && !venster->Knop("paste")->isEnabled());
        Openen();
        QVERIFY(venster->mnuBewerken->isEnabled());
        QVERIFY(venster->mnuPlakken->isEnabled() && venster->Knop("paste")->isEnabled());
        // Any change of the clipboard, also one by another program, is followed at once.
        Klembord()->setImage(QImage(4, 4, QImage::Format_RGB32));
        QVERIFY(!venster->mnuPlakken->isEnabled() && !venster->Knop("paste")->isEnabled());
        auto* tekst = new QMimeData;
        tekst->setText(QStringLiteral("naam"));
        Klembord()->setMimeData(tekst);
        QVERIFY(venster->mnuPlakken->isEnabled() && venster->Knop("paste")->isEnabled());
        Klembord()->clear();
        QVERIFY(!venster->mnuPlakken->isEnabled());
    }

    void selectionKeysRefreshCutAndCopy()
    {
        Openen();
        editor->setPlainText("select 1");
        editor->setFocus();
        KnippenKopieren(false);
        QTest::keyClick(editor, Qt::Key_Home);
        QTest::keyClick(editor, Qt::Key_Right, Qt::ShiftModifier);
        KnippenKopieren(true);
        QTest::keyClick(editor, Qt::Key_End);
        KnippenKopieren(false);
    }

    void copyPasteCutAndDelete()
    {
        Openen();
        Klembord()->clear();
        editor->setPlainText(QStringLiteral("SELECT naam FROM klant"));
        Selecteer(editor, 7, 4);
        venster->mnuKopieren->trigger();
        QCOMPARE(Klembord()->text(), QStringLiteral("naam"));
        QCOMPARE(Klembord()->mimeData()->formats(), QStringList{QStringLiteral("text/plain")});
        QCOMPARE(editor->toPlainText(), QStringLiteral("SELECT naam FROM klant"));
        QVERIFY(venster->mnuPlakken->isEnabled() && venster->Knop("paste")->isEnabled());

        // Paste replaces the selection and leaves nothing selected.
        Selecteer(editor, 0, 6);
        venster->Knop("paste")->trigger();
        QCOMPARE(editor->toPlainText(), QStringLiteral("naam naam FROM klant"));
        KnippenKopieren(false);

        // Cutting everything empties the editor and turns off what needs text.
        venster->mnuSelectAll->trigger();
        KnippenKopieren(true);
        venster->Knop("cut")->trigger();
        QCOMPARE(Klembord()->text(), QStringLiteral("naam naam FROM klant"));
        QCOMPARE(editor->toPlainText(), QString());
        QVERIFY(!venster->mnuUitvoeren->isEnabled() && !venster->mnuTekstOpslaan->isEnabled());
        KnippenKopieren(false);
        venster->mnuSelectAll->trigger();  // on an empty editor there is nothing to cut
        KnippenKopieren(false);

        // Delete empties the whole editor, whatever is selected, and leaves the focus there.
        editor->setPlainText(QStringLiteral("SELECT naam FROM klant"));
        Selecteer(editor, 7, 4);
        venster->mnuWissen->trigger();
        QCOMPARE(editor->toPlainText(), QString());
        KnippenKopieren(false);
        QVERIFY(!venster->mnuUitvoeren->isEnabled());
        QCOMPARE(QApplication::focusWidget(), editor);
    }

    void cutAndCopyFollowTheSelectionWhateverChangesIt()
    {
        Openen();
        Typen("abc");
        editor->selectAll();  // the editor's own Select All, not the menu's
        KnippenKopieren(true);
        Klembord()->setText(QStringLiteral("bewaard"));
        // Opening the database again empties the editor and so ends the selection.
        Openen();
        KnippenKopieren(false);
        editor->setPlainText(QStringLiteral("select 1"));
        Selecteer(editor, 0, 6);
        KnippenKopieren(true);
        editor->setPlainText(QStringLiteral("select 2"));
        KnippenKopieren(false);
        // Without a selection cut and copy leave the clipboard and the text alone.
        venster->bewerker->Kopieren();
        venster->bewerker->Knippen();
        QCOMPARE(Klembord()->text(), QStringLiteral("bewaard"));
        QCOMPARE(editor->toPlainText(), QStringLiteral("select 2"));
    }

    void everyReplacementOfTheTextCanBeUndone()
    {
        Openen();
        Typen("select 1");
        venster->mnuWissen->trigger();
        QCOMPARE(editor->toPlainText(), QString());
        QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor->toPlainText(), QStringLiteral("select 1"));
        QCOMPARE(KleurOp(editor, 0), Blauw);

        // Two statements in the history, then one typed but never run: stepping back replaces it, undo returns it.
        venster->mnuUitvoeren->trigger();
        venster->mnuWissen->trigger();
        Typen("select 2");
        venster->mnuUitvoeren->trigger();
        venster->mnuWissen->trigger();
        Typen("select 2 nooit uitgevoerd");
        venster->mnuVorige->trigger();
        QCOMPARE(editor->toPlainText(), QStringLiteral("select 1"));
        QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor->toPlainText(), QStringLiteral("select 2 nooit uitgevoerd"));
        // One step: the replacement does not pass through an empty editor.
        QTest::keyClick(editor, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(editor->toPlainText(), QStringLiteral("select 1"));
    }

    void standardDialogsSpeakDutch()
    {
        QMessageBox box(QMessageBox::Question, "Querimo", "?", QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Ja"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Annuleren"));
        Openen();
        QString naamLabel, annuleren;
        vensterhulp::BijDialoog([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            QVERIFY2(dialog, w->metaObject()->className());
            naamLabel = dialog->findChild<QLabel*>("fileNameLabel")->text();
            annuleren = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text();
            dialog->reject();
        });
        venster->mnuTekstOpenen->trigger();
        QCOMPARE(naamLabel, QStringLiteral("Bestands&naam:"));
        QCOMPARE(annuleren, QStringLiteral("Annuleren"));
    }

    void theContextMenuHoldsTheProgramsEditCommands()
    {
        Openen();
        editor->setPlainText(QStringLiteral("select 1"));
        QMenu* menu = venster->mnuRtbSQL;
        QList<QAction*> items;
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) items << a;
        QCOMPARE(items, (QList<QAction*>{venster->mnuKnippen, venster->mnuKopieren, venster->mnuPlakken,
                                         venster->mnuSelectAll, venster->mnuWissen}));

        QContextMenuEvent klik(QContextMenuEvent::Mouse, QPoint(5, 5), editor->viewport()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(editor->viewport(), &klik);
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(!venster->mnuKnippen->isEnabled());
        // Its Select All is the program's own: cut and copy follow.
        venster->mnuSelectAll->trigger();
        QVERIFY(editor->textCursor().hasSelection());
        KnippenKopieren(true);
        menu->hide();
    }

    void anOpenedDatabaseGivesTheKeyboardToTheEditor()
    {
        venster->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(venster.get()));
        Openen();
        venster->treStruktuur->setFocus();
        QCOMPARE(QApplication::focusWidget(), venster->treStruktuur);
        Openen();
        QCOMPARE(QApplication::focusWidget(), editor);
    }
};

QTEST_MAIN(TestEditorVenster)
#include "tst_editor_venster.moc"
