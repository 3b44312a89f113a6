// The editor's controller on a bare text box: the edit mark and colours after a change, the edit commands,
// and the selection and clipboard states they are enabled by.
#include <QClipboard>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QtTest>

#include "app/Routines.h"
#include "editor/Bewerker.h"
#include "editor/Kleurscan.h"

using querimo::editor::Bewerker;

class TestBewerker : public QObject {
    Q_OBJECT

private slots:
    void aChangeSetsTheMarkAndColours()
    {
        QTextEdit tekst;
        Bewerker b(&tekst);
        b.ZetSleutelwoorden("#SELECT#FROM#");
        tekst.setPlainText("select x from y");
        b.TekstGewijzigd();
        QCOMPARE(Routines::Tag(&tekst), QStringLiteral("*"));
        const QList<QTextLayout::FormatRange> formats = tekst.document()->firstBlock().layout()->formats();
        QVERIFY(!formats.isEmpty());
        QCOMPARE(formats.first().format.foreground().color(), querimo::editor::KleurSleutelwoord);
    }

    void cutCopyPasteAndTheirStates()
    {
        QTextEdit tekst;
        Bewerker b(&tekst);
        QSignalSpy gemeten(&b, &Bewerker::Gemeten);
        tekst.setPlainText("abc def");
        b.AllesSelecteren();
        QVERIFY(b.Selectie());
        b.Kopieren();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("abc def"));
        QTextCursor c = tekst.textCursor();
        c.setPosition(0);
        c.setPosition(3, QTextCursor::KeepAnchor);
        tekst.setTextCursor(c);
        QVERIFY(b.Selectie());  // measured as the selection changes, without being asked
        b.Knippen();
        QCOMPARE(tekst.toPlainText(), QStringLiteral(" def"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("abc"));
        QVERIFY(!b.Selectie());
        b.Plakken();
        QCOMPARE(tekst.toPlainText(), QStringLiteral("abc def"));
        b.KlembordMeten();
        QVERIFY(b.KlembordTekst());
        b.Wissen();
        QVERIFY(tekst.toPlainText().isEmpty());
        QVERIFY(!gemeten.isEmpty());
    }

    void theClipboardIsWatchedOnlyWhileAsked()
    {
        QTextEdit tekst;
        Bewerker b(&tekst);
        QSignalSpy gewijzigd(&b, &Bewerker::KlembordGewijzigd);
        QGuiApplication::clipboard()->setText("een");
        QCOMPARE(gewijzigd.count(), 0);
        b.KlembordVolgen();
        QGuiApplication::clipboard()->setText("twee");
        QTRY_VERIFY(gewijzigd.count() >= 1);
        b.KlembordLoslaten();
        const int tot = gewijzigd.count();
        QGuiApplication::clipboard()->setText("drie");
        QTest::qWait(20);
        QCOMPARE(gewijzigd.count(), tot);
    }
};

QTEST_MAIN(TestBewerker)
#include "tst_bewerker.moc"
