// A result of a million rows in the real window: the first rows show at once, the grid learns of the others in
// batches as it scrolls, and the status bar has the exact count.
#include <QtTest>

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
        venster.rtbSQL->setPlainText(
            "SELECT TOP 1000000 a.Regel AS X, b.Regel AS Y, c.BestelNr AS Z FROM Bestelregel a, Bestelregel b, "
            "Bestelregel c");
        venster.rtbSQL->setFocus();
        QTest::keyClick(venster.rtbSQL, Qt::Key_F5);

        QCOMPARE(venster.Paneel("status")->text(), querimo::exec::RecordAantalTekst(1000000, QLocale()));
        QAbstractItemModel* rijen = venster.dgdSQL->model();
        QCOMPARE(rijen->rowCount(), querimo::exec::RecordsetModel::Partij);
        QVERIFY(rijen->canFetchMore({}));
        QVERIFY(venster.dgdSQL->visualRect(rijen->index(0, 2)).isValid());
        QCOMPARE(rijen->index(0, 2).data().toString(), QStringLiteral("24001"));
        qInfo("piekgeheugen met de eerste rijen getoond: %ld MB", PiekMB());

        // Scrolling to the end of what the grid knows brings the next batch.
        QTest::qWait(50);
        venster.dgdSQL->verticalScrollBar()->setValue(venster.dgdSQL->verticalScrollBar()->maximum());
        QTRY_VERIFY(rijen->rowCount() > querimo::exec::RecordsetModel::Partij);
        while (rijen->canFetchMore({})) rijen->fetchMore({});
        QCOMPARE(rijen->rowCount(), 1000000);
        QVERIFY(!rijen->index(999999, 0).data().toString().isEmpty());

        qInfo("piekgeheugen met alle rijen bij het raster bekend: %ld MB", PiekMB());
    }
};

QTEST_MAIN(TestGrootResultaat)
#include "tst_groot_resultaat.moc"
