// The recent-database entries: captions, display names and the shifting when a database is opened.
#include <QtTest>

#include "db/RecentFiles.h"

namespace {

const QString programFolder = "/opt/querimo";

QStringList captions(const RecentEntries& entries)
{
    QStringList result;
    for (const RecentEntry& e : entries)
        result << (e.visible ? e.caption : QString("-"));
    return result;
}

QStringList tags(const RecentEntries& entries)
{
    QStringList result;
    for (const RecentEntry& e : entries)
        result << (e.visible ? e.tag : QString("-"));
    return result;
}

RecentEntries opened(const QStringList& paths)
{
    RecentEntries entries;
    for (const QString& path : paths)
        RecentUpdate(entries, path, programFolder);
    return entries;
}

}  // namespace

class tst_recent : public QObject {
    Q_OBJECT

private slots:
    void displayNameDependsOnTheProgramFolderExactly()
    {
        QCOMPARE(DisplayName("/opt/querimo/nw.mdb", programFolder), QString("nw.mdb"));
        QCOMPARE(DisplayName("/opt/Querimo/nw.mdb", programFolder), QString("/opt/Querimo/nw.mdb"));
        QCOMPARE(DisplayName("/opt/querimo/sub/nw.mdb", programFolder), QString("/opt/querimo/sub/nw.mdb"));
        QCOMPARE(DisplayName("nw.mdb", programFolder), QString("nw.mdb"));
        QCOMPARE(FolderPart("/data/a.mdb"), QString("/data"));
        QCOMPARE(FileNamePart("/data/a.mdb"), QString("a.mdb"));
        QCOMPARE(FolderPart("a.mdb"), QString());
    }

    void fiveOpensKeepTheLastFourNewestFirst()
    {
        RecentEntries entries = opened({"/d1/A.mdb", "/d2/B.mdb", "/d3/C.mdb", "/d4/D.mdb", "/d5/E.mdb"});
        QCOMPARE(captions(entries),
                 QStringList({"&1 /d5/E.mdb", "&2 /d4/D.mdb", "&3 /d3/C.mdb", "&4 /d2/B.mdb"}));

        RecentUpdate(entries, "/d3/C.mdb", programFolder);
        QCOMPARE(captions(entries),
                 QStringList({"&1 /d3/C.mdb", "&2 /d5/E.mdb", "&3 /d4/D.mdb", "&4 /d2/B.mdb"}));
        QCOMPARE(tags(entries), QStringList({"/d3/C.mdb", "/d5/E.mdb", "/d4/D.mdb", "/d2/B.mdb"}));
    }

    void reopeningTheNewestChangesNothing()
    {
        RecentEntries entries = opened({"/d1/A.mdb", "/d2/B.mdb"});
        const QStringList before = captions(entries);
        RecentUpdate(entries, "/d2/B.mdb", programFolder);
        QCOMPARE(captions(entries), before);
    }

    void firstOpenShowsOneEntry()
    {
        const RecentEntries entries = opened({"/opt/querimo/nw.mdb"});
        QCOMPARE(captions(entries), QStringList({"&1 nw.mdb", "-", "-", "-"}));
    }

    void pathsDifferingInCaseAreDifferentEntries()
    {
        const RecentEntries entries = opened({"/opt/querimo/nw.mdb", "/opt/Querimo/nw.mdb"});
        QCOMPARE(captions(entries), QStringList({"&1 /opt/Querimo/nw.mdb", "&2 nw.mdb", "-", "-"}));
    }

    void shiftedEntriesKeepTheirDisplayName()
    {
        // The display name was decided when the entry was made; only the number is rewritten.
        const RecentEntries entries = opened({"/opt/querimo/nw.mdb", "/x/a.mdb", "/x/b.mdb", "/x/c.mdb"});
        QCOMPARE(captions(entries), QStringList({"&1 /x/c.mdb", "&2 /x/b.mdb", "&3 /x/a.mdb", "&4 nw.mdb"}));
    }

    void restoreKeepsHolesAndNumbersByPosition()
    {
        const RecentEntries entries = RecentRestore({"/opt/querimo/a.mdb", "", "/x/c.mdb", ""}, programFolder);
        QCOMPARE(captions(entries), QStringList({"&1 a.mdb", "-", "&3 /x/c.mdb", "-"}));
    }

    void restoreShowsARepeatedPathOnce()
    {
        const RecentEntries entries = RecentRestore({"/x/a.mdb", "/x/b.mdb", "/x/a.mdb", ""}, programFolder);
        QCOMPARE(tags(entries), QStringList({"/x/a.mdb", "/x/b.mdb", "-", "-"}));
    }

    void aHoleShiftsDownAsAnEmptyEntry()
    {
        RecentEntries entries = RecentRestore({"/x/a.mdb", "", "/x/c.mdb", ""}, programFolder);
        RecentUpdate(entries, "/x/n.mdb", programFolder);
        QCOMPARE(tags(entries), QStringList({"/x/n.mdb", "/x/a.mdb", "-", "/x/c.mdb"}));
        QCOMPARE(captions(entries), QStringList({"&1 /x/n.mdb", "&2 /x/a.mdb", "-", "&4 /x/c.mdb"}));
    }
};

QTEST_APPLESS_MAIN(tst_recent)
#include "tst_recent.moc"
