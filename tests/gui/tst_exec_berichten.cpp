// The texts and column rules of an execution's outcome, on their own.
#include <QtTest>

#include "exec/ResultaatKolommen.h"
#include "exec/Uitvoerberichten.h"

using namespace querimo::exec;

class TestUitvoerberichten : public QObject {
    Q_OBJECT

private slots:
    void actionMessage_data()
    {
        QTest::addColumn<long>("aantal");
        QTest::addColumn<QString>("opdracht");
        QTest::addColumn<QString>("melding");
        QTest::newRow("insert of three") << 3L << "INSERT INTO Klant (Naam) SELECT Naam FROM Oud"
                                         << "Opdracht is verwerkt.  3 records toegevoegd.";
        QTest::newRow("update of one") << 1L << "update Klant set Naam='x' where Id=1"
                                       << "Opdracht is verwerkt.  1 record gewijzigd.";
        QTest::newRow("select into") << 12L << "select * into Kopie from Klant"
                                     << "Opdracht is verwerkt.  12 records verwerkt.";
        QTest::newRow("delete") << 2L << "DELETE FROM Klant" << "Opdracht is verwerkt.  2 records verwijderd.";
        QTest::newRow("insert wins over update") << 1L << "update Klant set Opm='insert'"
                                                 << "Opdracht is verwerkt.  1 record toegevoegd.";
        QTest::newRow("update wins over delete") << 4L << "delete from Klant where Soort='update'"
                                                 << "Opdracht is verwerkt.  4 records gewijzigd.";
        QTest::newRow("word inside a name") << 5L << "delete from UpdateLog"
                                            << "Opdracht is verwerkt.  5 records gewijzigd.";
        QTest::newRow("negative count") << -1L << "update x set y=1" << "Opdracht is verwerkt.  -1 records gewijzigd.";
        QTest::newRow("no grouping") << 12345L << "delete from x" << "Opdracht is verwerkt.  12345 records verwijderd.";
    }

    void actionMessage()
    {
        QFETCH(long, aantal);
        QFETCH(QString, opdracht);
        QFETCH(QString, melding);
        QCOMPARE(ActieMelding(aantal, opdracht), melding);
    }

    void selectInto()
    {
        QVERIFY(IsSelectInto("   SELECT * INTO Kopie FROM Klant"));
        QVERIFY(!IsSelectInto("\r\nselect * into Kopie from Klant"));  // only blanks are skipped
        QVERIFY(!IsSelectInto("\tselect * into Kopie from Klant"));
        QVERIFY(IsSelectInto("select Naam from Klant where Opm='into'"));  // "into" anywhere counts
        QVERIFY(!IsSelectInto("insert into Klant select * from Oud"));
        QVERIFY(!IsSelectInto("   "));
    }

    void recordCount()
    {
        const QLocale nl(QLocale::Dutch, QLocale::Netherlands);
        QCOMPARE(RecordAantalTekst(0, nl), QStringLiteral("0 records"));
        QCOMPARE(RecordAantalTekst(1, nl), QStringLiteral("1 record"));
        QCOMPARE(RecordAantalTekst(25, nl), QStringLiteral("25 records"));
        QCOMPARE(RecordAantalTekst(1234567, nl), QStringLiteral("1.234.567 records"));
        QCOMPARE(RecordAantalTekst(1234, QLocale(QLocale::English, QLocale::UnitedStates)), QStringLiteral("1,234 records"));
    }

    void numericTypes()
    {
        for (int t : {2, 3, 4, 5, 6, 14, 16, 17, 18, 19, 20, 21, 131, 139}) QVERIFY2(IsNumeriekType(t), qPrintable(QString::number(t)));
        for (int t : {0, 7, 11, 72, 128, 130, 135, 200, 202, 203, 204, 205}) QVERIFY2(!IsNumeriekType(t), qPrintable(QString::number(t)));
    }

    void numericColumnWidth()
    {
        QCOMPARE(NumeriekeKolomBreedte(210), 1000);     // a short caption still gets 1000
        QCOMPARE(NumeriekeKolomBreedte(900), 1000);
        QCOMPARE(NumeriekeKolomBreedte(1500), 1600);    // a long caption gets 100 more than its width
        QCOMPARE(NumeriekeKolomBreedte(1400.5), 1500);  // a half goes to the even neighbour
        QCOMPARE(NumeriekeKolomBreedte(1401.5), 1502);
    }
};

QTEST_APPLESS_MAIN(TestUitvoerberichten)
#include "tst_exec_berichten.moc"
