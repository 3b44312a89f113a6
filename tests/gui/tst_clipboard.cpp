// The edit commands on the editor and the paste command that follows the clipboard.
#include <QAction>
#include <QClipboard>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QTextCursor>
#include <QTextEdit>
#include <QtTest>

#include "VensterHulp.h"
#include "app/frmQuerimo.h"

namespace {

void Selecteer(QTextEdit* editor, int start, int length)
{
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
}

QClipboard* Klembord()
{
    return QGuiApplication::clipboard();
}

}  // namespace

class TestClipboard : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { vensterhulp::EigenInstellingen(settings_); }

    void init()
    {
        VENSTER_CORPUS_NODIG();
        frm_ = std::make_unique<frmQuerimo>();
        frm_->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm_.get()));
    }

    void cleanup() { frm_.reset(); }

    void plakkenVolgtHetKlembordPasNaOpenen()
    {
        frmQuerimo& frm = *frm_;
        Klembord()->setText(QStringLiteral("SELECT 1"));
        QVERIFY(!frm.mnuPlakken->isEnabled());
        QVERIFY(!frm.Knop("paste")->isEnabled());

        frm.DatabaseOpenen(vensterhulp::CorpusKopie("northwind-jet4.mdb", data_));
        QVERIFY(frm.mnuBewerken->isEnabled());
        QVERIFY(frm.mnuPlakken->isEnabled());

        // Any change of the clipboard, also one by another program, is followed at once.
        Klembord()->setImage(QImage(4, 4, QImage::Format_RGB32));
        QVERIFY(!frm.mnuPlakken->isEnabled());
        QVERIFY(!frm.Knop("paste")->isEnabled());
        auto* tekst = new QMimeData;
        tekst->setText(QStringLiteral("naam"));
        Klembord()->setMimeData(tekst);
        QVERIFY(frm.mnuPlakken->isEnabled());
        QVERIFY(frm.Knop("paste")->isEnabled());
        Klembord()->clear();
        QVERIFY(!frm.mnuPlakken->isEnabled());
    }

    void kopierenLaatDeEditorStaan()
    {
        frmQuerimo& frm = *frm_;
        frm.DatabaseOpenen(vensterhulp::CorpusKopie("northwind-jet4.mdb", data_));
        Klembord()->clear();
        frm.rtbSQL->setPlainText(QStringLiteral("SELECT naam FROM klant"));
        Selecteer(frm.rtbSQL, 7, 4);
        frm.KnoppenSelectie();
        frm.mnuKopieren->trigger();
        QCOMPARE(Klembord()->text(), QStringLiteral("naam"));
        QCOMPARE(Klembord()->mimeData()->formats(), QStringList{QStringLiteral("text/plain")});
        QCOMPARE(frm.rtbSQL->toPlainText(), QStringLiteral("SELECT naam FROM klant"));
        QVERIFY(frm.mnuPlakken->isEnabled());
        QVERIFY(frm.Knop("paste")->isEnabled());
    }

    void knippenVanAllesMaaktLeeg()
    {
        frmQuerimo& frm = *frm_;
        frm.DatabaseOpenen(vensterhulp::CorpusKopie("northwind-jet4.mdb", data_));
        frm.rtbSQL->setPlainText(QStringLiteral("SELECT *\nFROM klant"));
        frm.mnuSelectAll->trigger();
        QVERIFY(frm.mnuKnippen->isEnabled());
        QVERIFY(frm.Knop("copy")->isEnabled());
        frm.Knop("cut")->trigger();
        QCOMPARE(Klembord()->text(), QStringLiteral("SELECT *\nFROM klant"));
        QCOMPARE(frm.rtbSQL->toPlainText(), QString());
        QVERIFY(!frm.mnuUitvoeren->isEnabled());
        QVERIFY(!frm.mnuTekstOpslaan->isEnabled());
        QVERIFY(!frm.mnuKnippen->isEnabled());
        QVERIFY(!frm.mnuKopieren->isEnabled());
        QVERIFY(!frm.Knop("cut")->isEnabled());
    }

    void plakkenVervangtDeSelectie()
    {
        frmQuerimo& frm = *frm_;
        frm.DatabaseOpenen(vensterhulp::CorpusKopie("northwind-jet4.mdb", data_));
        frm.rtbSQL->setPlainText(QStringLiteral("SELECT abc FROM x"));
        Selecteer(frm.rtbSQL, 7, 3);
        frm.KnoppenSelectie();
        Klembord()->setText(QStringLiteral("naam"));
        frm.Knop("paste")->trigger();
        QCOMPARE(frm.rtbSQL->toPlainText(), QStringLiteral("SELECT naam FROM x"));
        // Nothing is selected after the paste, so cut and copy are off at once.
        QVERIFY(!frm.mnuKnippen->isEnabled());
        QVERIFY(!frm.Knop("copy")->isEnabled());
    }

    void wissenMaaktDeHeleEditorLeeg()
    {
        frmQuerimo& frm = *frm_;
        frm.DatabaseOpenen(vensterhulp::CorpusKopie("northwind-jet4.mdb", data_));
        frm.rtbSQL->setPlainText(QStringLiteral("SELECT naam FROM klant"));
        Selecteer(frm.rtbSQL, 7, 4);
        frm.mnuWissen->trigger();
        QCOMPARE(frm.rtbSQL->toPlainText(), QString());
        QVERIFY(!frm.mnuKnippen->isEnabled());
        QVERIFY(!frm.mnuUitvoeren->isEnabled());
        QCOMPARE(QApplication::focusWidget(), frm.rtbSQL);
    }

    void allesSelecterenOpLegeEditor()
    {
        frmQuerimo& frm = *frm_;
        frm.DatabaseOpenen(vensterhulp::CorpusKopie("northwind-jet4.mdb", data_));
        frm.mnuSelectAll->trigger();
        QVERIFY(!frm.mnuKnippen->isEnabled());
        QVERIFY(!frm.Knop("cut")->isEnabled());
    }

private:
    QTemporaryDir settings_;
    QTemporaryDir data_;
    std::unique_ptr<frmQuerimo> frm_;
};

QTEST_MAIN(TestClipboard)
#include "tst_clipboard.moc"
