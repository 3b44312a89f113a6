// The history's positions on their own: which steps exist and how recording grows the list.
#include <QtTest>

#include "history/HistoriekRegels.h"

namespace historiek = querimo::historiek;

class TestHistoriekRegels : public QObject {
    Q_OBJECT

private slots:
    void positionsRunFromOneToCount()
    {
        QVERIFY(!historiek::PositieBestaat(0, 0));
        QVERIFY(!historiek::PositieBestaat(1, 0));
        QVERIFY(historiek::PositieBestaat(1, 2));
        QVERIFY(historiek::PositieBestaat(2, 2));
        QVERIFY(!historiek::PositieBestaat(3, 2));
        QVERIFY(!historiek::PositieBestaat(-1, 2));
    }

    void backFromTheSecondEntryOn()
    {
        QVERIFY(!historiek::VorigeMogelijk(0));
        QVERIFY(!historiek::VorigeMogelijk(1));
        QVERIFY(historiek::VorigeMogelijk(2));
    }

    void forwardBeforeTheLastEntry()
    {
        QVERIFY(!historiek::VolgendeMogelijk(0, 0));
        QVERIFY(historiek::VolgendeMogelijk(1, 2));
        QVERIFY(!historiek::VolgendeMogelijk(2, 2));
        QVERIFY(historiek::VolgendeMogelijk(0, 1));  // after clearing and recording nothing is current yet
    }

    void recordingAppendsAndKeepsDuplicates()
    {
        QStringList lijst;
        QCOMPARE(historiek::Opnemen(lijst, "select 1"), 1);
        QCOMPARE(historiek::Opnemen(lijst, "select\r\n2"), 2);
        QCOMPARE(historiek::Opnemen(lijst, "select 1"), 3);
        QCOMPARE(lijst, (QStringList{"select 1", "select\r\n2", "select 1"}));
    }

    void theOldestMakesRoomAtTheLimit()
    {
        QStringList lijst;
        for (int i = 1; i <= historiek::MaxAantal; ++i) lijst << QString::number(i);
        QCOMPARE(historiek::Opnemen(lijst, "nieuw"), historiek::MaxAantal);
        QCOMPARE(lijst.size(), historiek::MaxAantal);
        QCOMPARE(lijst.first(), QStringLiteral("2"));
        QCOMPARE(lijst.last(), QStringLiteral("nieuw"));
    }
};

QTEST_APPLESS_MAIN(TestHistoriekRegels)
#include "tst_history_regels.moc"
