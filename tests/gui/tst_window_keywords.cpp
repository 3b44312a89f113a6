// The keyword list read from sqlwords.dat at start-up.
#include <QtTest>

#include "app/Keywords.h"

class tst_window_keywords : public QObject {
    Q_OBJECT

private slots:
    void finalLineBreakAddsNoEntry()
    {
        QCOMPARE(KeywordList("SELECT\nFROM\nWHERE"), QString("#SELECT#FROM#WHERE#"));
        QCOMPARE(KeywordList("SELECT\nFROM\nWHERE\n"), QString("#SELECT#FROM#WHERE#"));
        QCOMPARE(KeywordList("SELECT\r\nFROM\r\nWHERE\r\n"), QString("#SELECT#FROM#WHERE#"));
    }

    void linesAreTakenExactlyAsRead()
    {
        QCOMPARE(KeywordList("select \n\nFROM"), QString("#select ##FROM#"));
    }

    void emptyFileGivesOneHash()
    {
        QCOMPARE(KeywordList(""), QString("#"));
        QCOMPARE(KeywordList("\n"), QString("##"));
    }
};

QTEST_APPLESS_MAIN(tst_window_keywords)
#include "tst_window_keywords.moc"
