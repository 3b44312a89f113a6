// The history on its own: recording, stepping within its bounds, clearing, and what it reports.
#include <QSignalSpy>
#include <QtTest>

#include "history/Historiek.h"
#include "history/HistoriekRegels.h"

using querimo::historiek::Historiek;

class TestHistoriek : public QObject {
    Q_OBJECT

private slots:
    void recordingDoesNotMoveUntilShown()
    {
        Historiek h;
        QSignalSpy gewijzigd(&h, &Historiek::Gewijzigd);
        QCOMPARE(h.Opnemen("select 1"), 1);
        QCOMPARE(h.Opnemen("select 2"), 2);
        QCOMPARE(h.Index(), 0);
        QVERIFY(!h.VorigeMogelijk() && h.VolgendeMogelijk());
        QCOMPARE(h.Naar(2), std::optional<QString>("select 2"));
        QCOMPARE(h.Index(), 2);
        QVERIFY(h.VorigeMogelijk() && !h.VolgendeMogelijk());
        QCOMPARE(gewijzigd.count(), 3);
    }

    void positionsOutsideTheListChangeNothing()
    {
        Historiek h;
        QCOMPARE(h.Naar(1), std::nullopt);
        h.Opnemen("a");
        h.Naar(1);
        QSignalSpy gewijzigd(&h, &Historiek::Gewijzigd);
        QCOMPARE(h.Naar(0), std::nullopt);
        QCOMPARE(h.Naar(2), std::nullopt);
        QCOMPARE(h.Index(), 1);
        QCOMPARE(gewijzigd.count(), 0);
    }

    void clearingForgetsEntriesAndPosition()
    {
        Historiek h;
        h.Opnemen("a");
        h.Opnemen("b");
        h.Naar(1);
        h.Leegmaken();
        QVERIFY(h.Lijst().isEmpty());
        QCOMPARE(h.Index(), 0);
        QVERIFY(!h.VorigeMogelijk() && !h.VolgendeMogelijk());
        QCOMPARE(h.Opnemen("c"), 1);
    }

    void theOldestMakesRoomAtTheLimit()
    {
        Historiek h;
        for (int i = 0; i < querimo::historiek::MaxAantal; ++i) h.Opnemen(QString::number(i));
        QCOMPARE(h.Opnemen("nieuw"), querimo::historiek::MaxAantal);
        QCOMPARE(h.Lijst().first(), QStringLiteral("1"));
        QCOMPARE(h.Naar(querimo::historiek::MaxAantal), std::optional<QString>("nieuw"));
    }
};

QTEST_GUILESS_MAIN(TestHistoriek)
#include "tst_historiek.moc"
