// The statement and its result without the window: preparing, parameters, executing on a thread of its own
// while the caller's events go on, and stopping.
#include <QSignalSpy>
#include <QtTest>

#include "VensterHulp.h"
#include "db/Databaseverbinding.h"
#include "exec/FoutVan.h"
#include "exec/Uitvoering.h"

using querimo::exec::Uitvoering;

class TestUitvoering : public QObject {
    Q_OBJECT

    QTemporaryDir werk;
    std::unique_ptr<querimo::db::Databaseverbinding> db;

private slots:
    void init()
    {
        db = std::make_unique<querimo::db::Databaseverbinding>(Routines::ProgrammaMap());
        QCOMPARE(db->Openen(vensterhulp::VoorbeeldKopie(werk)), std::nullopt);
    }

    void aQueryLeavesAnOpenResult()
    {
        Uitvoering u;
        QSignalSpy bezig(&u, &Uitvoering::BezigGewijzigd);
        QCOMPARE(u.Voorbereiden(db->Verbinding, "SELECT * FROM Klant WHERE KlantNr <= 3"), std::nullopt);
        QCOMPARE(u.Parameters().Count(), std::size_t(0));
        long aantal = -1;
        QCOMPARE(u.Uitvoeren(aantal), std::nullopt);
        QCOMPARE(aantal, 0);
        QCOMPARE(u.Resultaat()->RecordCount(), std::size_t(3));
        QCOMPARE(u.UitkomstNa(aantal), querimo::exec::Uitkomst::Rijen);
        QVERIFY(!u.Bezig());
        // Busy while preparing and while executing, idle between and after.
        QCOMPARE(bezig.count(), 4);
        QCOMPARE(bezig.at(0).at(0).toBool(), true);
        QCOMPARE(bezig.at(3).at(0).toBool(), false);
    }

    void anActionCountsAndTheNextRunClosesThePreviousResult()
    {
        Uitvoering u;
        long aantal = 0;
        QCOMPARE(u.Voorbereiden(db->Verbinding, "SELECT * FROM Klant"), std::nullopt);
        QCOMPARE(u.Uitvoeren(aantal), std::nullopt);
        const auto vorige = u.Resultaat();
        QCOMPARE(u.Voorbereiden(db->Verbinding, "UPDATE Klant SET Naam = Naam WHERE KlantNr <= 2"), std::nullopt);
        QCOMPARE(u.Uitvoeren(aantal), std::nullopt);
        QCOMPARE(aantal, 2);
        QCOMPARE(u.UitkomstNa(aantal), querimo::exec::Uitkomst::Actie);
        QCOMPARE(vorige->State(), querimo::ado::ObjectState::Closed);
        // An action that touched nothing is a statement that was merely carried out.
        QCOMPARE(u.Voorbereiden(db->Verbinding, "UPDATE Klant SET Naam = Naam WHERE KlantNr < 0"), std::nullopt);
        QCOMPARE(u.Uitvoeren(aantal), std::nullopt);
        QCOMPARE(u.UitkomstNa(aantal), querimo::exec::Uitkomst::Verwerkt);
        QCOMPARE(u.Resultaat()->State(), querimo::ado::ObjectState::Closed);
    }

    void failuresAreTextsNotThrows()
    {
        Uitvoering u;
        const std::optional<QString> fout = u.Voorbereiden(db->Verbinding, "SELECT Foutje( FROM");
        QVERIFY(fout && !fout->isEmpty());
        // A key that is taken already shows only when the statement runs.
        QCOMPARE(u.Voorbereiden(db->Verbinding, "INSERT INTO Klant (KlantNr, Naam) VALUES (1, 'Dubbel')"),
                 std::nullopt);
        long aantal = 0;
        const std::optional<QString> uitvoerFout = u.Uitvoeren(aantal);
        QVERIFY(uitvoerFout && !uitvoerFout->isEmpty());
        QCOMPARE(aantal, 0);

        querimo::ado::Connection dicht;
        QVERIFY(u.Voorbereiden(dicht, "SELECT 1").has_value());
    }

    void everyKindOfFailureBecomesAText()
    {
        using querimo::exec::FoutVan;
        QCOMPARE(FoutVan([] {}), std::nullopt);
        QCOMPARE(FoutVan([] { throw querimo::DbError(3078, "Tabel 'x' bestaat niet."); }),
                 QStringLiteral("Tabel 'x' bestaat niet."));
        QCOMPARE(FoutVan([] { throw std::out_of_range("vector"); }),
                 QStringLiteral("Onverwachte fout bij het verwerken van de SQL opdracht: vector"));
        QCOMPARE(FoutVan([] { throw std::bad_alloc(); }),
                 QStringLiteral("Onvoldoende geheugen om de SQL opdracht te verwerken."));
        QCOMPARE(FoutVan([] { throw 42; }), QStringLiteral("Onverwachte fout bij het verwerken van de SQL opdracht."));
    }

    void parametersAreDerivedAndUsed()
    {
        Uitvoering u;
        QCOMPARE(u.Voorbereiden(db->Verbinding, "SELECT Naam FROM Klant WHERE KlantNr = [Welke klant]"),
                 std::nullopt);
        QCOMPARE(u.Parameters().Count(), std::size_t(1));
        QCOMPARE(QString::fromStdString(u.Parameters().Item(0).Name), QStringLiteral("Welke klant"));
        u.Parameters().Item(0).Value = QByteArray("2").toStdString();
        long aantal = 0;
        QCOMPARE(u.Uitvoeren(aantal), std::nullopt);
        QCOMPARE(u.Resultaat()->RecordCount(), std::size_t(1));
    }

    void rndGoesOnFromStatementToStatement()
    {
        Uitvoering u;
        QList<double> getallen;
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(u.Voorbereiden(db->Verbinding, "SELECT Rnd() AS R"), std::nullopt);
            long aantal = 0;
            QCOMPARE(u.Uitvoeren(aantal), std::nullopt);
            getallen << u.Resultaat()->valueAt(0, 0).real;
        }
        QVERIFY(getallen[0] != getallen[1]);
    }

    void stoppingEndsTheRunWithTheEnginesMessage()
    {
        Uitvoering u;
        u.Stoppen();  // idle: nothing to stop, and nothing is remembered for later
        QCOMPARE(u.Voorbereiden(db->Verbinding,
                                "SELECT COUNT(*) FROM Bestelregel a, Bestelregel b, Bestelregel c, Bestelregel d"),
                 std::nullopt);
        QVERIFY(!u.StopGevraagd());
        // The caller's events go on while it runs: a clock ticks, and it is one that stops the statement.
        int tikken = 0;
        QTimer klok;
        connect(&klok, &QTimer::timeout, [&] {
            if (++tikken == 10) u.Stoppen();
        });
        klok.start(20);
        long aantal = 0;
        QCOMPARE(u.Uitvoeren(aantal), std::optional<QString>("De query is afgebroken."));
        QVERIFY(tikken >= 10);
        QVERIFY(!u.Bezig());

        // The next statement runs normally.
        QCOMPARE(u.Voorbereiden(db->Verbinding, "SELECT * FROM Klant"), std::nullopt);
        QCOMPARE(u.Uitvoeren(aantal), std::nullopt);
        QCOMPARE(u.Resultaat()->RecordCount(), std::size_t(40));
    }
};

QTEST_MAIN(TestUitvoering)
#include "tst_uitvoering.moc"
