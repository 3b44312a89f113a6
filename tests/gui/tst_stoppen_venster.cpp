// A statement that runs for long in the real window: the window keeps painting, takes no input but Esc,
// and a stopped statement ends like a failed one with the file as it was.
#include <QtTest>

#include <QAction>
#include <QCryptographicHash>
#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <QTextEdit>
#include <functional>
#include <memory>

#include "VensterHulp.h"

namespace {

// Counts the paints of a widget.
class Verfteller : public QObject {
public:
    explicit Verfteller(QWidget* w) { w->installEventFilter(this); }
    int aantal = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) ++aantal;
        return false;
    }
};

QByteArray Inhoud(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// Never ends on its own: 284 to the fourth power rows.
const QString Eindeloos = QStringLiteral("SELECT COUNT(*) FROM Bestelregel a, Bestelregel b, Bestelregel c, Bestelregel d");

}  // namespace

class TestStoppenVenster : public QObject {
    Q_OBJECT

    QTemporaryDir instellingen;
    QTemporaryDir werk;
    std::unique_ptr<frmQuerimo> venster;
    QTextEdit* editor = nullptr;
    QString database;

    void Typen(const QString& opdracht)
    {
        editor->setFocus();
        editor->selectAll();
        QTest::keyClicks(editor, opdracht);
    }

    bool Licht(const QString& key) const
    {
        return venster->Paneel("licht")->pixmap().toImage() == venster->imlKnoppen.Item(key).toImage();
    }
    QString Status() const { return venster->Paneel("status")->text(); }

    // Starts the editor's statement with F5 and runs tijdens once it has run for a while; returns when the
    // statement has ended. Esc presses go on meanwhile, so a check that fails cannot leave it running.
    void UitvoerenEnIntussen(std::function<void()> tijdens)
    {
        QTimer eenmaal;
        eenmaal.setSingleShot(true);
        connect(&eenmaal, &QTimer::timeout, this, tijdens);
        QTimer vangnet;
        connect(&vangnet, &QTimer::timeout, this, [this] { QTest::keyClick(editor, Qt::Key_Escape); });
        QSignalSpy bezig(&venster->uitvoering, &querimo::exec::Uitvoering::BezigGewijzigd);
        connect(&venster->uitvoering, &querimo::exec::Uitvoering::BezigGewijzigd, &eenmaal, [&](bool aan) {
            if (aan && bezig.count() == 3) {  // the execution itself, after the preparing
                eenmaal.start(700);
                vangnet.start(5000);
            }
        });
        QTest::keyClick(editor, Qt::Key_F5);
    }

private slots:
    void initTestCase() { vensterhulp::EigenInstellingen(instellingen); }

    void init()
    {
        venster = std::make_unique<frmQuerimo>();
        QVERIFY2(venster->Geladen(), qPrintable(venster->StartFout()));
        venster->show();
        QVERIFY(QTest::qWaitForWindowActive(venster.get()));
        editor = venster->rtbSQL;
        database = vensterhulp::VoorbeeldKopie(werk);
        QCOMPARE(vensterhulp::Openen(*venster, database).tekst, QString());
    }

    void cleanup() { venster.reset(); }

    void aLongQueryPaintsTakesOnlyEscAndStops()
    {
        Typen("SELECT * FROM Klant");
        QTest::keyClick(editor, Qt::Key_F5);
        QCOMPARE(Status(), QStringLiteral("40 records"));
        const QByteArray voor = Inhoud(database);
        Typen(Eindeloos);
        QSignalSpy bezig(&venster->uitvoering, &querimo::exec::Uitvoering::BezigGewijzigd);

        bool gecontroleerd = false;
        UitvoerenEnIntussen([&] {
            QVERIFY(venster->uitvoering.Bezig());
            QVERIFY(Licht("oranje"));
            QCOMPARE(Status(), QString());
            QVERIFY(QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor);
            QVERIFY(!venster->mnuUitvoeren->isEnabled() && !venster->Knop("run")->isEnabled());
            // The window still paints.
            Verfteller verf(venster->Paneel("status"));
            venster->Paneel("status")->update();
            QTRY_VERIFY(verf.aantal > 0);
            // Other input is dropped, not kept: keys, F5 again, a click on a menu command.
            QTest::keyClicks(editor, "xyz");
            for (int i = 0; i < 3; ++i) QTest::keyClick(editor, Qt::Key_F5);
            QTest::keyClick(editor, Qt::Key_D, Qt::ControlModifier);
            QCOMPARE(editor->toPlainText(), Eindeloos);
            gecontroleerd = true;
            QTest::keyClick(editor, Qt::Key_Escape);
        });
        QVERIFY(gecontroleerd);
        QVERIFY(!venster->uitvoering.Bezig());
        QVERIFY(Licht("rood"));
        QCOMPARE(Status(), QStringLiteral("Fout bij verwerken SQL opdracht"));
        QVERIFY(!venster->lblFout->isHidden());
        QCOMPARE(venster->lblFout->text(), QStringLiteral("De query is afgebroken."));
        QCOMPARE(venster->historiek.Lijst(), (QStringList{"SELECT * FROM Klant", Eindeloos}));
        QVERIFY(venster->mnuUitvoeren->isEnabled() && !venster->mnuDataKopieren->isEnabled());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        // Nothing that was pressed meanwhile comes back later.
        QTest::qWait(300);
        QCOMPARE(bezig.count(), 4);
        QCOMPARE(editor->toPlainText(), Eindeloos);
        QCOMPARE(Inhoud(database), voor);
        // The window is usable again.
        Typen("SELECT * FROM Artikel WHERE ArtikelNr = 1001");
        QTest::keyClick(editor, Qt::Key_F5);
        QVERIFY(Licht("groen"));
        QCOMPARE(Status(), QStringLiteral("1 record"));
    }

    void anUpdateStoppedHalfwayLeavesTheFileAsItWas()
    {
        Typen("SELECT a.BestelNr AS A, b.Regel AS B, a.Aantal AS C INTO Groot FROM Bestelregel a, Bestelregel b");
        QTest::keyClick(editor, Qt::Key_F5);
        QVERIFY2(Licht("groen"), qPrintable(venster->lblFout->text()));
        const QByteArray voor = Inhoud(database);
        const QByteArray voorHash = QCryptographicHash::hash(voor, QCryptographicHash::Sha256);
        QVERIFY(voor.size() > 1000000);

        // Every row costs a scan of 80,656 rows: it runs for minutes, writing row after row.
        Typen("UPDATE Groot SET C = C + (SELECT COUNT(*) FROM Bestelregel x, Bestelregel y WHERE x.Aantal > Groot.C)");
        UitvoerenEnIntussen([&] { QTest::keyClick(editor, Qt::Key_Escape); });
        QVERIFY(Licht("rood"));
        QCOMPARE(venster->lblFout->text(), QStringLiteral("De query is afgebroken."));
        QCOMPARE(QCryptographicHash::hash(Inhoud(database), QCryptographicHash::Sha256), voorHash);
        // Also once the window has let go of the file.
        venster.reset();
        QCOMPARE(Inhoud(database), voor);
    }

    void closingTheWindowStopsTheStatementFirst()
    {
        Typen(Eindeloos);
        bool gesloten = false;
        UitvoerenEnIntussen([&] {
            gesloten = venster->close();
            QVERIFY(!gesloten);  // not yet: the statement stops first
        });
        QVERIFY(!venster->isVisible());
        QVERIFY(!venster->uitvoering.Bezig());
        QCOMPARE(venster->lblFout->text(), QStringLiteral("De query is afgebroken."));
    }
};

QTEST_MAIN(TestStoppenVenster)
#include "tst_stoppen_venster.moc"
