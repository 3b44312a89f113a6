// Running statements in the real window on the sample database: rows, status texts, the light, failures
// over the grid, the parameter dialog, action messages and copying the rows to the clipboard.
#include <QtTest>

#include <QAction>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTextEdit>
#include <QTreeWidget>
#include <cmath>
#include <functional>
#include <memory>

#include "VensterHulp.h"
#include "exec/RecordsetModel.h"
#include "exec/ResultaatKolommen.h"
#include "exec/Uitvoerberichten.h"
#include "exec/frmParameters.h"

using namespace querimo::exec;

namespace {

// Runs action on the parameter dialog once it is shown, while timer (the caller's) lives.
void BijParameters(QTimer& timer, std::function<void(frmParameters*)> actie)
{
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&timer, actie] {
        auto* dialoog = qobject_cast<frmParameters*>(QApplication::activeModalWidget());
        if (!dialoog || !dialoog->isVisible()) return;
        timer.stop();
        actie(dialoog);
        // A dialog the action left open fails the test instead of hanging it.
        QTimer::singleShot(2000, dialoog, &QDialog::reject);
    });
    timer.start();
}

// The grid learns of the rows in batches as it scrolls; these tests want all of them.
QAbstractItemModel* AllesGehaald(QAbstractItemModel* model)
{
    while (model->canFetchMore({})) model->fetchMore({});
    return model;
}

QStringList Kolom(const QAbstractItemModel* model, int kolom)
{
    QStringList waarden;
    for (int rij = 0; rij < model->rowCount(); ++rij) waarden << model->index(rij, kolom).data().toString();
    return waarden;
}

}  // namespace

class TestUitvoerenVenster : public QObject {
    Q_OBJECT

    QTemporaryDir instellingen;
    QTemporaryDir werk;
    std::unique_ptr<frmQuerimo> venster;
    QTextEdit* editor = nullptr;

    // A fresh copy for every test: action statements change it.
    void Openen() { QCOMPARE(vensterhulp::Openen(*venster, vensterhulp::VoorbeeldKopie(werk)).tekst, QString()); }

    // Types the statement over the editor's text and presses F5.
    void Uitvoeren(const QString& opdracht)
    {
        editor->setFocus();
        editor->selectAll();
        QTest::keyClicks(editor, opdracht);
        QTest::keyClick(editor, Qt::Key_F5);
    }

    bool Licht(const QString& key) const
    {
        return venster->Paneel("licht")->pixmap().toImage() == venster->imlKnoppen.Item(key).toImage();
    }
    QString Status() const { return venster->Paneel("status")->text(); }
    QAbstractItemModel* Rijen() const { return venster->dgdSQL->model(); }

    // A query that fails shows why.
    void QueryMoetLukken() { QVERIFY2(!venster->lblFout->isVisible(), qPrintable(venster->lblFout->text())); }

private slots:
    void initTestCase() { vensterhulp::EigenInstellingen(instellingen); }

    void init()
    {
        venster = std::make_unique<frmQuerimo>();
        QVERIFY2(venster->Geladen(), qPrintable(venster->StartFout()));
        venster->show();
        QVERIFY(QTest::qWaitForWindowActive(venster.get()));
        editor = venster->rtbSQL;
    }

    void cleanup() { venster.reset(); }

    void withoutDatabaseTheFailureIsShown()
    {
        editor->show();
        Uitvoeren("select 1");
        QVERIFY(Licht("rood"));
        QCOMPARE(Status(), QStringLiteral("Fout bij verwerken SQL opdracht"));
        QVERIFY(!venster->lblFout->isHidden());
        QVERIFY(!venster->lblFout->text().isEmpty());
        QVERIFY(venster->dgdSQL->isHidden());
        QVERIFY(venster->mnuUitvoeren->isEnabled() && venster->Knop("run")->isEnabled());
        QVERIFY(!venster->mnuDataKopieren->isEnabled());
        QCOMPARE(venster->historiek.Lijst(), QStringList{"select 1"});  // recorded before it failed
    }

    void queryShowsItsRows()
    {
        Openen();
        Uitvoeren("SELECT * FROM Klant WHERE KlantNr <= 3");
        QueryMoetLukken();
        QVERIFY(Licht("groen"));
        QCOMPARE(Status(), QStringLiteral("3 records"));
        QCOMPARE(Rijen()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Naam"));
        QCOMPARE(Kolom(Rijen(), 1),
                 (QStringList{"Bakkerij De Gouden Korst", "Jansen Installatietechniek", "Café Het Hoekje"}));
        QVERIFY(venster->mnuDataKopieren->isEnabled());
        QVERIFY(venster->mnuUitvoeren->isEnabled() && venster->Knop("run")->isEnabled());
        QVERIFY(!venster->dgdSQL->isHidden() && venster->lblFout->isHidden());
        QCOMPARE(venster->historiek.Lijst(), QStringList{"SELECT * FROM Klant WHERE KlantNr <= 3"});
    }

    void recordCounts_data()
    {
        QTest::addColumn<QString>("opdracht");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("kolommen");
        QTest::newRow("one") << "SELECT * FROM Klant WHERE KlantNr = 2"
                             << "1 record" << 9;
        QTest::newRow("none") << "SELECT * FROM Klant WHERE KlantNr = 99"
                              << "0 records" << 9;
        QTest::newRow("a whole table") << "SELECT * FROM Bestelregel"
                                       << "284 records" << 5;
        QTest::newRow("a view") << "SELECT * FROM [Omzet per klant]"
                                << "37 records" << 5;
    }

    void recordCounts()
    {
        QFETCH(QString, opdracht);
        QFETCH(QString, status);
        QFETCH(int, kolommen);
        Openen();
        Uitvoeren(opdracht);
        QueryMoetLukken();
        QVERIFY(Licht("groen"));
        QCOMPARE(Status(), status);
        QCOMPARE(AllesGehaald(Rijen())->rowCount(), status.split(' ').first().toInt());
        QCOMPARE(Rijen()->columnCount(), kolommen);
        QCOMPARE(venster->mnuDataKopieren->isEnabled(), Rijen()->rowCount() > 0);
    }

    void recordCountIsGroupedTheLocalWay()
    {
        QCOMPARE(RecordAantalTekst(1234567, QLocale(QLocale::Dutch, QLocale::Netherlands)),
                 QStringLiteral("1.234.567 records"));
    }

    void numericColumnsAreRightAlignedAndSized()
    {
        Openen();
        Uitvoeren("SELECT KlantNr AS Nr, Naam, KlantNr AS NummerVanDeKlantInDeTabel FROM Klant");
        QueryMoetLukken();
        // A short caption gets 1000 twips, a long one 100 more than its width.
        const QString lang = QStringLiteral("NummerVanDeKlantInDeTabel");
        const double kop = Routines::PixelsNaarTwips(QFontMetrics(venster->font()).horizontalAdvance(lang));
        QVERIFY(kop > 1000);
        QCOMPARE(venster->dgdSQL->columnWidth(0), Routines::TwipsNaarPixels(1000));
        QCOMPARE(venster->dgdSQL->columnWidth(2), Routines::TwipsNaarPixels(std::nearbyint(kop) + 100));
        QCOMPARE(venster->dgdSQL->columnWidth(1), venster->dgdSQL->horizontalHeader()->defaultSectionSize());
        const auto uitlijning = [this](int kolom) {
            return Rijen()->index(0, kolom).data(Qt::TextAlignmentRole).value<Qt::Alignment>()
                   & Qt::AlignHorizontal_Mask;
        };
        QCOMPARE(uitlijning(0), Qt::AlignRight);
        QCOMPARE(uitlijning(1), Qt::AlignLeft);
    }

    void numericColumnWidth()
    {
        QCOMPARE(NumeriekeKolomBreedte(900), 1000);
        QCOMPARE(NumeriekeKolomBreedte(1400.5), 1500);  // a half goes to the even neighbour
        QCOMPARE(NumeriekeKolomBreedte(1401.5), 1502);
    }

    void failureReplacesTheGrid()
    {
        Openen();
        Uitvoeren("SELECT * FROM Bestaatniet");
        QVERIFY(Licht("rood"));
        QCOMPARE(Status(), QStringLiteral("Fout bij verwerken SQL opdracht"));
        QVERIFY(venster->dgdSQL->isHidden());
        QVERIFY(!venster->lblFout->isHidden());
        QCOMPARE(venster->lblFout->geometry(), venster->dgdSQL->geometry());
        const QString eerste = venster->lblFout->text();
        QVERIFY(eerste.contains("Bestaatniet"));
        QVERIFY(!venster->mnuDataKopieren->isEnabled());
        QVERIFY(venster->mnuUitvoeren->isEnabled());

        Uitvoeren("SELECT Foutje( FROM");
        QVERIFY(Licht("rood"));
        QVERIFY(venster->lblFout->text() != eerste);  // only the latest description

        Uitvoeren("SELECT * FROM Artikel");
        QueryMoetLukken();
        QVERIFY(!venster->dgdSQL->isHidden());
        QVERIFY(Licht("groen"));
    }

    void savedParameterQueryAsksItsParameters()
    {
        Openen();
        QStringList namen;
        QTimer timer;
        BijParameters(timer, [&namen](frmParameters* dialoog) {
            QAbstractItemModel* rijen = dialoog->dgdParameters->model();
            namen = Kolom(rijen, 0) + Kolom(rijen, 1);
            // What the value cells' editor hands over when the user has typed the dates.
            QVERIFY(rijen->setData(rijen->index(0, 1), "2024-12-01"));
            QVERIFY(rijen->setData(rijen->index(1, 1), "2024-12-05"));
            QVERIFY(!rijen->setData(rijen->index(0, 0), "andere naam"));
            dialoog->cmdOK->click();
        });
        Uitvoeren("SELECT * FROM [Bestellingen in periode]");
        QueryMoetLukken();
        QCOMPARE(namen, (QStringList{"Vanaf datum", "Tot en met datum", "", ""}));
        QCOMPARE(Status(), QStringLiteral("5 records"));
        QCOMPARE(Kolom(Rijen(), 0).first(), QStringLiteral("24116"));
        QCOMPARE(Kolom(Rijen(), 2).last(), QStringLiteral("Schildersbedrijf Visser"));
    }

    void parameterConfirmedWithoutTypingPassesNull()
    {
        Openen();
        QTimer timer;
        BijParameters(timer, [](frmParameters* dialoog) { dialoog->cmdOK->click(); });
        Uitvoeren("SELECT Naam FROM Klant WHERE KlantNr = [Welke klant]");
        QueryMoetLukken();
        QVERIFY(!venster->uitvoering.Parameters().Item(0).Value.has_value());
        QCOMPARE(Status(), QStringLiteral("0 records"));
    }

    void enterInAValueBeingTypedConfirms()
    {
        Openen();
        QTimer timer;
        BijParameters(timer, [](frmParameters* dialoog) {
            QTableView* raster = dialoog->dgdParameters;
            // Both columns fit: nothing to scroll sideways to.
            QCOMPARE(raster->horizontalScrollBar()->maximum(), 0);
            QTest::keyClicks(raster, "3");  // typing in the value cell starts editing it
            auto* vak = raster->findChild<QLineEdit*>();
            QVERIFY(vak);
            QTest::keyClicks(vak, "1");
            QTest::keyClick(vak, Qt::Key_Return);
        });
        Uitvoeren("SELECT Naam FROM Klant WHERE KlantNr = [Welke klant]");
        QueryMoetLukken();
        QCOMPARE(venster->uitvoering.Parameters().Item(0).Value, std::optional<std::string>("31"));
    }

    void parametersCancelled()
    {
        Openen();
        Uitvoeren("SELECT * FROM Artikel");
        QueryMoetLukken();
        int rijen = -1;
        QTimer timer;
        BijParameters(timer, [&rijen](frmParameters* dialoog) {
            rijen = dialoog->dgdParameters->model()->rowCount();
            QTest::keyClick(dialoog, Qt::Key_Escape);
        });
        Uitvoeren("SELECT * FROM Bestelling WHERE KlantNr = [Klant] AND Verzonden = [Verzonden?]");
        QCOMPARE(rijen, 2);
        QCOMPARE(Status(), QString());
        QVERIFY(Licht("oranje"));
        QCOMPARE(Rijen()->rowCount(), 30);  // the previous result stays
        QVERIFY(!venster->mnuDataKopieren->isEnabled());
        QVERIFY(venster->mnuUitvoeren->isEnabled());
    }

    void caretReturnsWhenTheEditorWasActive()
    {
        Openen();
        editor->setFocus();
        editor->setPlainText("SELECT * FROM Artikel");
        QTextCursor caret = editor->textCursor();
        caret.setPosition(5);
        caret.setPosition(9, QTextCursor::KeepAnchor);
        editor->setTextCursor(caret);
        QTest::keyClick(editor, Qt::Key_F5);
        QCOMPARE(editor->textCursor().position(), 5);
        QVERIFY(!editor->textCursor().hasSelection());
    }

    void actionStatements_data()
    {
        QTest::addColumn<QString>("opdracht");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("controle");
        QTest::addColumn<QString>("uitkomst");
        QTest::addColumn<int>("tabellen");
        QTest::newRow("update") << "UPDATE Klant SET Telefoon = '020-1234567' WHERE KlantNr <= 2"
                                << "Opdracht is verwerkt.  2 records gewijzigd."
                                << "SELECT DISTINCT Telefoon FROM Klant WHERE KlantNr <= 2"
                                << "020-1234567" << 4;
        QTest::newRow("nothing changed") << "UPDATE Klant SET Telefoon = Telefoon WHERE KlantNr = 99"
                                         << "Opdracht is verwerkt."
                                         << "SELECT Count(*) FROM Klant"
                                         << "40" << 4;
        QTest::newRow("delete") << "DELETE FROM Bestelregel WHERE BestelNr = 24089"
                                << "Opdracht is verwerkt.  4 records verwijderd."
                                << "SELECT Count(*) FROM Bestelregel"
                                << "280" << 4;
        QTest::newRow("insert") << "INSERT INTO Artikel (ArtikelNr, Omschrijving, Prijs) VALUES (2001, 'Map', 1.5)"
                                << "Opdracht is verwerkt.  1 record toegevoegd."
                                << "SELECT Omschrijving FROM Artikel WHERE ArtikelNr = 2001"
                                << "Map" << 4;
        QTest::newRow("select into") << "SELECT * INTO Kopie FROM Artikel"
                                     << "Opdracht is verwerkt.  30 records verwerkt."
                                     << "SELECT Count(*) FROM Kopie"
                                     << "30" << 5;
    }

    void actionStatements()
    {
        QFETCH(QString, opdracht);
        QFETCH(QString, status);
        QFETCH(QString, controle);
        QFETCH(QString, uitkomst);
        QFETCH(int, tabellen);
        Openen();
        Uitvoeren(opdracht);
        QVERIFY2(Licht("groen"), qPrintable(venster->lblFout->text()));
        QCOMPARE(Status(), status);
        QVERIFY(!venster->mnuDataKopieren->isEnabled());
        // A new table shows in the tree at once.
        QCOMPARE(venster->Knoop("Tables")->childCount(), tabellen);
        Uitvoeren(controle);
        QueryMoetLukken();
        QCOMPARE(Kolom(Rijen(), 0), QStringList{uitkomst});
    }

    void actionMessageWording_data()
    {
        QTest::addColumn<long>("aantal");
        QTest::addColumn<QString>("opdracht");
        QTest::addColumn<QString>("melding");
        QTest::newRow("insert wins over update") << 1L << "update Klant set Opm='insert'"
                                                 << "Opdracht is verwerkt.  1 record toegevoegd.";
        QTest::newRow("update wins over delete") << 4L << "delete from Klant where Soort='update'"
                                                 << "Opdracht is verwerkt.  4 records gewijzigd.";
        QTest::newRow("word inside a name") << 5L << "delete from UpdateLog"
                                            << "Opdracht is verwerkt.  5 records gewijzigd.";
        QTest::newRow("negative count") << -1L << "update x set y=1"
                                        << "Opdracht is verwerkt.  -1 records gewijzigd.";
    }

    void actionMessageWording()
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

    void rowsToTheClipboard()
    {
        Openen();
        Uitvoeren("SELECT KlantNr, Naam, Contactpersoon FROM Klant WHERE KlantNr IN (1, 3, 8) ORDER BY KlantNr");
        QueryMoetLukken();
        QVERIFY(venster->mnuDataKopieren->isEnabled());
        const QString kop = QStringLiteral("KlantNr\tNaam\tContactpersoon\r\n");
        venster->mnuDataKopieren->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 kop
                     + "1\tBakkerij De Gouden Korst\tEmma Visser\r\n3\tCafé Het Hoekje\tSanne Meijer\r\n"
                       "8\tDrukkerij Bakker\t\r\n");
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->formats(), QStringList{QStringLiteral("text/plain")});
        // The copy ran the record set to its end: a second one has the heading line alone.
        venster->mnuDataKopieren->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), kop);

        // The grid's current row is the current record, so the rows start there.
        venster->dgdSQL->setCurrentIndex(Rijen()->index(2, 0));
        QCOMPARE(venster->dgdSQLRijen->Recordset()->AbsolutePosition(), std::size_t(2));
        venster->mnuDataKopieren->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), kop + "8\tDrukkerij Bakker\t\r\n");
    }
};

QTEST_MAIN(TestUitvoerenVenster)
#include "tst_exec_venster.moc"
