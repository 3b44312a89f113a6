// The Dutch type words after the field names in the structure tree.
#include <QtTest>

#include "structure/TypeWords.h"

class tst_structure_types : public QObject {
    Q_OBJECT

private slots:
    void everyNumberHasItsWord_data()
    {
        QTest::addColumn<int>("dataType");
        QTest::addColumn<QString>("word");
        for (int n : {2, 3, 4, 5, 6, 14, 16, 17, 18, 19, 20, 21, 131, 139})
            QTest::addRow("getal %d", n) << n << "getal";
        QTest::addRow("logisch") << 11 << "logisch";
        for (int n : {129, 130, 200, 201, 202, 203})
            QTest::addRow("tekst %d", n) << n << "tekst";
        for (int n : {7, 133})
            QTest::addRow("datum %d", n) << n << "datum";
        for (int n : {64, 134, 135})
            QTest::addRow("tijd %d", n) << n << "tijd";
        for (int n : {0, 1, 8, 72, 128, 132, 204, 205, -1})
            QTest::addRow("onbekend %d", n) << n << "onbekend";
    }

    void everyNumberHasItsWord()
    {
        QFETCH(int, dataType);
        QFETCH(QString, word);
        QCOMPARE(TypeOmschrijving(static_cast<std::int16_t>(dataType)), word);
    }
};

QTEST_APPLESS_MAIN(tst_structure_types)
#include "tst_structure_types.moc"
