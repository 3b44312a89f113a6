// The open database with its login values, and the recent list, without the window.
#include <QSignalSpy>
#include <QtTest>

#include "VensterHulp.h"
#include "db/Databaseverbinding.h"
#include "db/RecenteDatabases.h"

using querimo::db::Databaseverbinding;
using querimo::db::RecenteDatabases;

class TestDb : public QObject {
    Q_OBJECT

    QTemporaryDir werk;

private slots:
    void opensAndReopens()
    {
        Databaseverbinding db(Routines::ProgrammaMap());
        QCOMPARE(db.Waarden.Gebruiker, QStringLiteral("Admin"));
        QVERIFY(!db.Open());
        const QString eerste = vensterhulp::VoorbeeldKopie(werk, "een.mdb");
        const QString tweede = vensterhulp::VoorbeeldKopie(werk, "twee.mdb");
        QCOMPARE(db.Openen(eerste), std::nullopt);
        QCOMPARE(db.HuidigeDb(), eerste);
        QCOMPARE(db.Verbinding.State(), querimo::ado::ObjectState::Open);
        QCOMPARE(db.Openen(tweede), std::nullopt);
        QCOMPARE(db.HuidigeDb(), tweede);
    }

    void aFailureSaysWhyAndLeavesNothingOpen()
    {
        Databaseverbinding db(Routines::ProgrammaMap());
        QCOMPARE(db.Openen(vensterhulp::VoorbeeldKopie(werk)), std::nullopt);
        const std::optional<QString> fout = db.Openen(werk.filePath("bestaatniet.mdb"));
        QVERIFY(fout && !fout->isEmpty());
        QVERIFY(!db.Open());
        QCOMPARE(db.Verbinding.State(), querimo::ado::ObjectState::Closed);
    }

    void aRefusedLoginHasItsOwnText()
    {
        Databaseverbinding db(Routines::ProgrammaMap());
        db.Waarden.Gebruiker = QStringLiteral("Onbekende");
        db.Waarden.Paswoord = QStringLiteral("fout");
        const std::optional<QString> fout = db.Openen(vensterhulp::VoorbeeldKopie(werk));
        QCOMPARE(fout, std::optional<QString>("Gebruiker, paswoord of databasepaswoord verkeerd"));
    }

    void recentListStoresOnlyWhatItShows()
    {
        RecenteDatabases recent(QStringLiteral("/programma"));
        QSignalSpy gewijzigd(&recent, &RecenteDatabases::Gewijzigd);
        recent.Herstellen({QString(), QStringLiteral("/a/x.mdb"), QString(), QString()});
        QVERIFY(recent.IetsZichtbaar());
        QCOMPARE(recent.TeBewaren(), (std::array<QString, 4>{QString(), "/a/x.mdb", QString(), QString()}));
        recent.Bijwerken(QStringLiteral("/programma/y.mdb"));
        QCOMPARE(recent.Lijst()[0].caption, QStringLiteral("&1 y.mdb"));
        QCOMPARE(recent.TeBewaren(),
                 (std::array<QString, 4>{"/programma/y.mdb", QString(), "/a/x.mdb", QString()}));
        QCOMPARE(gewijzigd.count(), 2);

        RecenteDatabases leeg(QStringLiteral("/programma"));
        leeg.Herstellen({});
        QVERIFY(!leeg.IetsZichtbaar());
    }
};

QTEST_MAIN(TestDb)
#include "tst_db.moc"
