// A result of a million rows in the real window: the first rows show while the rest is still being read, the
// grid learns of the others in batches as it scrolls, the status bar has the exact count at the end, and Esc
// while the rows arrive leaves no result and the editor's text as it was.
#include <QtTest>

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QTextEdit>
#include <memory>

#include <sys/resource.h>

#include "VensterHulp.h"
#include "exec/RecordsetModel.h"
#include "exec/Uitvoerberichten.h"

namespace {

long PiekMB()
{
    rusage gebruik{};
    getrusage(RUSAGE_SELF, &gebruik);
    return gebruik.ru_maxrss / 1024;
}

const QString MiljoenRijen = QStringLiteral(
    "SELECT TOP 1000000 a.Regel AS X, b.Regel AS Y, c.BestelNr AS Z FROM Bestelregel a, Bestelregel b, Bestelregel c");
// Some 23 million rows: far more than are read before a stop lands, however slow the machine.
const QString RijenZonderEinde =
    QStringLiteral("SELECT a.Regel AS X, b.Regel AS Y, c.BestelNr AS Z FROM Bestelregel a, Bestelregel b, Bestelregel c");

}  // namespace

class TestGrootResultaat : public QObject {
    Q_OBJECT

    QTemporaryDir instellingen;
    QTemporaryDir werk;

private slots:
    void initTestCase() { vensterhulp::EigenInstellingen(instellingen); }

    void aMillionRows()
    {
        frmQuerimo venster;
        QVERIFY(venster.Geladen());
        venster.show();
        QVERIFY(QTest::qWaitForWindowExposed(&venster));
        QCOMPARE(vensterhulp::Openen(venster, vensterhulp::VoorbeeldKopie(werk)).tekst, QString());
        venster.rtbSQL->setPlainText(MiljoenRijen);
        venster.rtbSQL->setFocus();

        // While the rows arrive the grid shows the first of them; the light, the status text and the commands
        // stay those of a running statement.
        bool eersteGezien = false;
        QElapsedTimer klok;
        qint64 eersteRij = 0;
        connect(&venster.uitvoering, &querimo::exec::Uitvoering::RijenBinnen, this, [&] {
            const QAbstractItemModel* model = venster.dgdSQL->model();
            if (eersteGezien || !model || model->rowCount() == 0) return;
            eersteGezien = true;
            eersteRij = klok.elapsed();
            QVERIFY(venster.uitvoering.Bezig());
            QCOMPARE(model->index(0, 2).data().toString(), QStringLiteral("24001"));
            QCOMPARE(venster.Paneel("status")->text(), QString());
            QVERIFY(venster.Paneel("licht")->pixmap().toImage() == venster.imlKnoppen.Item("oranje").toImage());
            QVERIFY(!venster.mnuUitvoeren->isEnabled() && !venster.mnuDataKopieren->isEnabled());
            // The grid takes the wheel meanwhile, so the first rows can be looked through.
            QWidget* vlak = venster.dgdSQL->viewport();
            const QPointF plek(20, 20);
            QWheelEvent wiel(plek, vlak->mapToGlobal(plek), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                             Qt::NoScrollPhase, false);
            QApplication::sendEvent(vlak, &wiel);
            QVERIFY(venster.dgdSQL->verticalScrollBar()->value() > 0);
        });
        klok.start();
        QTest::keyClick(venster.rtbSQL, Qt::Key_F5);
        QVERIFY(eersteGezien);
        qInfo("eerste rij getoond na %lld ms, laatste gelezen na %lld ms", eersteRij, klok.elapsed());

        QCOMPARE(venster.Paneel("status")->text(), querimo::exec::RecordAantalTekst(1000000, QLocale()));
        QAbstractItemModel* rijen = venster.dgdSQL->model();
        // One batch, or more where the wheel above reached the end of the rows known while they arrived.
        const int bekend = rijen->rowCount();
        QVERIFY(bekend >= querimo::exec::RecordsetModel::Partij);
        QVERIFY(bekend < 1000000);
        QVERIFY(rijen->canFetchMore({}));
        QVERIFY(venster.dgdSQL->visualRect(rijen->index(0, 2)).isValid());
        QCOMPARE(rijen->index(0, 2).data().toString(), QStringLiteral("24001"));
        qInfo("piekgeheugen met de eerste rijen getoond: %ld MB", PiekMB());

        // Scrolling to the end of what the grid knows brings the next batch.
        QTest::qWait(50);
        venster.dgdSQL->verticalScrollBar()->setValue(venster.dgdSQL->verticalScrollBar()->maximum());
        QTRY_VERIFY(rijen->rowCount() > bekend);
        while (rijen->canFetchMore({})) rijen->fetchMore({});
        QCOMPARE(rijen->rowCount(), 1000000);
        QVERIFY(!rijen->index(999999, 0).data().toString().isEmpty());

        qInfo("piekgeheugen met alle rijen bij het raster bekend: %ld MB", PiekMB());
    }

    void escWhileRowsArriveLeavesNoResult()
    {
        frmQuerimo venster;
        QVERIFY(venster.Geladen());
        venster.show();
        QVERIFY(QTest::qWaitForWindowExposed(&venster));
        QCOMPARE(vensterhulp::Openen(venster, vensterhulp::VoorbeeldKopie(werk, "stoppen.mdb")).tekst, QString());
        venster.rtbSQL->setPlainText(RijenZonderEinde);
        venster.rtbSQL->setFocus();

        bool gestopt = false;
        connect(&venster.uitvoering, &querimo::exec::Uitvoering::RijenBinnen, this, [&] {
            const QAbstractItemModel* model = venster.dgdSQL->model();
            if (gestopt || !model || model->rowCount() == 0) return;
            gestopt = true;
            QTest::keyClicks(venster.rtbSQL, "xyz");  // dropped while it runs
            QTest::keyClick(venster.rtbSQL, Qt::Key_Escape);
        });
        QTest::keyClick(venster.rtbSQL, Qt::Key_F5);
        QVERIFY(gestopt);

        QVERIFY(!venster.uitvoering.Bezig());
        QCOMPARE(venster.Paneel("status")->text(), QStringLiteral("Fout bij verwerken SQL opdracht"));
        QCOMPARE(venster.lblFout->text(), QStringLiteral("De query is afgebroken."));
        QVERIFY(!venster.lblFout->isHidden());
        QCOMPARE(venster.dgdSQL->model()->rowCount(), 0);
        QVERIFY(venster.uitvoering.Resultaat()->State() == querimo::ado::ObjectState::Closed);
        QVERIFY(venster.mnuUitvoeren->isEnabled() && !venster.mnuDataKopieren->isEnabled());
        QCOMPARE(venster.rtbSQL->toPlainText(), RijenZonderEinde);

        // The next statement runs as usual.
        venster.rtbSQL->setPlainText("SELECT * FROM Klant");
        QTest::keyClick(venster.rtbSQL, Qt::Key_F5);
        QCOMPARE(venster.Paneel("status")->text(), QStringLiteral("40 records"));
        QCOMPARE(venster.dgdSQL->model()->rowCount(), 40);
    }

    void closingTheWindowWhileRowsArriveStopsFirst()
    {
        auto venster = std::make_unique<frmQuerimo>();
        QVERIFY(venster->Geladen());
        venster->show();
        QVERIFY(QTest::qWaitForWindowExposed(venster.get()));
        QCOMPARE(vensterhulp::Openen(*venster, vensterhulp::VoorbeeldKopie(werk, "sluiten.mdb")).tekst, QString());
        venster->rtbSQL->setPlainText(RijenZonderEinde);
        bool gevraagd = false;
        connect(&venster->uitvoering, &querimo::exec::Uitvoering::RijenBinnen, this, [&] {
            if (gevraagd || venster->dgdSQL->model()->rowCount() == 0) return;
            gevraagd = true;
            QVERIFY(!venster->close());  // not yet: the statement stops first
        });
        QTest::keyClick(venster->rtbSQL, Qt::Key_F5);
        QVERIFY(gevraagd);
        QVERIFY(!venster->isVisible());
        QVERIFY(!venster->uitvoering.Bezig());
        QCOMPARE(venster->dgdSQL->model()->rowCount(), 0);
        venster.reset();
    }
};

QTEST_MAIN(TestGrootResultaat)
#include "tst_groot_resultaat.moc"
