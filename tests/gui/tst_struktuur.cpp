// The structure tree's content read from the sample database, in both modes, without the window.
#include <QSignalSpy>
#include <QtTest>

#include "VensterHulp.h"
#include "db/Databaseverbinding.h"
#include "structure/Struktuur.h"

using querimo::structure::Beeld;
using querimo::structure::Knoop;
using querimo::structure::Struktuur;

namespace {

const Knoop* Zoek(const std::vector<Knoop>& knopen, const QString& tekst)
{
    for (const Knoop& k : knopen)
        if (k.tekst == tekst) return &k;
    return nullptr;
}

}  // namespace

class TestStruktuur : public QObject {
    Q_OBJECT

    QTemporaryDir werk;
    std::unique_ptr<querimo::db::Databaseverbinding> db;

private slots:
    void init()
    {
        db = std::make_unique<querimo::db::Databaseverbinding>(Routines::ProgrammaMap());
        QCOMPARE(db->Openen(vensterhulp::VoorbeeldKopie(werk)), std::nullopt);
    }

    void fieldsOfTablesAndViews()
    {
        Struktuur s;
        const std::vector<Knoop> knopen = s.Lezen(db->Verbinding);
        QVERIFY(!knopen.empty());
        QCOMPARE(knopen.front().sleutel, QStringLiteral("Tables"));
        const Knoop* klant = Zoek(knopen, "Klant");
        QVERIFY(klant);
        QCOMPARE(klant->ouder, QStringLiteral("Tables"));
        QCOMPARE(klant->beeld, QStringLiteral("table"));
        const Knoop* view = Zoek(knopen, "Omzet per klant");
        QVERIFY(view);
        QCOMPARE(view->ouder, QStringLiteral("Views"));
        // Only the first table and the first view open their folder.
        int eerste = 0;
        for (const Knoop& k : knopen) eerste += k.eersteKind;
        QCOMPARE(eerste, 2);
        // A node's parent always comes before it.
        QSet<QString> gezien;
        for (const Knoop& k : knopen) {
            QVERIFY2(k.ouder.isEmpty() || gezien.contains(k.ouder), qPrintable(k.sleutel));
            gezien.insert(k.sleutel);
        }
        int velden = 0;
        for (const Knoop& k : knopen)
            if (k.ouder == klant->sleutel) {
                QCOMPARE(k.beeld, QStringLiteral("fields"));
                QVERIFY(k.tekst.contains(" ("));
                ++velden;
            }
        QCOMPARE(velden, 9);
    }

    void indexesOfTablesOnly()
    {
        Struktuur s;
        QSignalSpy modus(&s, &Struktuur::ModusGewijzigd);
        s.ZetModus(Beeld::Indexen);
        QCOMPARE(modus.count(), 1);
        const std::vector<Knoop> knopen = s.Lezen(db->Verbinding);
        QVERIFY(!Zoek(knopen, "Views"));
        const Knoop* primair = nullptr;
        for (const Knoop& k : knopen)
            if (k.beeld == "primkey" && k.tekst.startsWith("pkBestelregel")) primair = &k;
        QVERIFY(primair);
        QCOMPARE(primair->tekst, QStringLiteral("pkBestelregel(BestelNr,Regel)"));
    }

    void anUnreadableSchemaEndsTheListWhereItStopped()
    {
        db->Verbinding.Close();
        const std::vector<Knoop> knopen = Struktuur().Lezen(db->Verbinding);
        QCOMPARE(knopen.size(), std::size_t(1));
        QCOMPARE(knopen.front().sleutel, QStringLiteral("Tables"));
    }
};

QTEST_MAIN(TestStruktuur)
#include "tst_struktuur.moc"
