// Running statements in the real window on the Northwind database: rows, status texts, the light,
// failures over the grid, the parameter dialog and the action message.
#include <QtTest>

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "app/Routines.h"
#include "app/frmQuerimo.h"
#include "exec/RecordsetModel.h"
#include "exec/ResultaatKolommen.h"
#include "exec/frmParameters.h"

namespace {

QString CorpusBestand(const QString& naam)
{
    QString map = qEnvironmentVariable("QUERIMO_CORPUS");
    if (map.isEmpty()) map = QStringLiteral(QUERIMO_SOURCE_DIR "/../shared/corpus");
    const QString pad = map + '/' + naam;
    return QFileInfo::exists(pad) ? pad : QString();
}

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
    QString northwind;
    std::unique_ptr<frmQuerimo> venster;
    QTextEdit* editor = nullptr;

    void Starten()
    {
        venster = std::make_unique<frmQuerimo>();
        QVERIFY2(venster->Geladen(), qPrintable(venster->StartFout()));
        venster->show();
        QVERIFY(QTest::qWaitForWindowActive(venster.get()));
        editor = venster->rtbSQL;
    }

    void Openen()
    {
        if (northwind.isEmpty())
            QSKIP("northwind-jet4.mdb ontbreekt: zet QUERIMO_CORPUS op de map met de Access-bestanden");
        // A failed opening shows a message box; close it so the test can report why.
        QString melding;
        QTimer::singleShot(0, [&melding] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                melding = box->text();
                box->accept();
            }
        });
        venster->DatabaseOpenen(northwind);
        QVERIFY2(venster->Verbinding.State() == querimo::ado::ObjectState::Open, qPrintable(melding));
    }

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
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, instellingen.path());
        const QString bron = CorpusBestand("northwind-jet4.mdb");
        if (bron.isEmpty()) return;
        northwind = werk.filePath("northwind-jet4.mdb");
        QVERIFY(QFile::copy(bron, northwind));
        QFile::setPermissions(northwind, QFile::ReadOwner | QFile::WriteOwner);
    }

    void init() { Starten(); }
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
        QVERIFY(venster->mnuUitvoeren->isEnabled());
        QVERIFY(venster->Knop("run")->isEnabled());
        QVERIFY(!venster->mnuDataKopieren->isEnabled());
        QCOMPARE(venster->Historiek, QStringList{"select 1"});  // recorded before it failed
    }

    void queryShowsItsRows()
    {
        Openen();
        Uitvoeren("SELECT * FROM Shippers");
        QueryMoetLukken();
        QVERIFY(Licht("groen"));
        QCOMPARE(Status(), QStringLiteral("3 records"));
        QCOMPARE(Rijen()->rowCount(), 3);
        QCOMPARE(Rijen()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("CompanyName"));
        QCOMPARE(Kolom(Rijen(), 1), (QStringList{"Speedy Express", "United Package", "Federal Shipping"}));
        QVERIFY(venster->mnuDataKopieren->isEnabled());
        QVERIFY(venster->mnuUitvoeren->isEnabled());
        QVERIFY(venster->Knop("run")->isEnabled());
        QVERIFY(!venster->dgdSQL->isHidden());
        QVERIFY(venster->lblFout->isHidden());
        QCOMPARE(venster->Historiek, QStringList{"SELECT * FROM Shippers"});
    }

    void numericColumnsAreRightAlignedAndSized()
    {
        Openen();
        Uitvoeren("SELECT ShipperID AS Nr, CompanyName, ShipperID AS NummerVanDeVervoerderInDeTabel FROM Shippers");
        QueryMoetLukken();
        const QFontMetrics maat(venster->font());
        auto breedte = [&maat](const QString& kop) {
            return Routines::TwipsNaarPixels(
                querimo::exec::NumeriekeKolomBreedte(Routines::PixelsNaarTwips(maat.horizontalAdvance(kop))));
        };
        QCOMPARE(venster->dgdSQL->columnWidth(0), breedte("Nr"));
        QCOMPARE(venster->dgdSQL->columnWidth(0), Routines::TwipsNaarPixels(1000));
        QCOMPARE(venster->dgdSQL->columnWidth(2), breedte("NummerVanDeVervoerderInDeTabel"));
        QVERIFY(venster->dgdSQL->columnWidth(2) > Routines::TwipsNaarPixels(1000));
        QCOMPARE(venster->dgdSQL->columnWidth(1), venster->dgdSQL->horizontalHeader()->defaultSectionSize());
        const auto uitlijning = [this](int kolom) {
            return Rijen()->index(0, kolom).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask;
        };
        QCOMPARE(uitlijning(0), Qt::AlignRight);
        QCOMPARE(uitlijning(1), Qt::AlignLeft);
    }

    void oneRowAndNoRows()
    {
        Openen();
        Uitvoeren("SELECT * FROM Shippers WHERE ShipperID = 2");
        QueryMoetLukken();
        QCOMPARE(Status(), QStringLiteral("1 record"));
        QVERIFY(venster->mnuDataKopieren->isEnabled());
        Uitvoeren("SELECT * FROM Shippers WHERE ShipperID = 99");
        QCOMPARE(Status(), QStringLiteral("0 records"));
        QCOMPARE(Rijen()->rowCount(), 0);
        QCOMPARE(Rijen()->columnCount(), 3);
        QVERIFY(!venster->mnuDataKopieren->isEnabled());
        QVERIFY(Licht("groen"));
    }

    void gridRowIsTheCurrentRecord()
    {
        Openen();
        Uitvoeren("SELECT * FROM Shippers");
        QueryMoetLukken();
        const auto& rs = venster->dgdSQLRijen->Recordset();
        QCOMPARE(rs->AbsolutePosition(), std::size_t(0));
        venster->dgdSQL->setCurrentIndex(Rijen()->index(2, 1));
        QCOMPARE(rs->AbsolutePosition(), std::size_t(2));
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

        Uitvoeren("SELECT * FROM Shippers");
        QueryMoetLukken();
        QVERIFY(venster->lblFout->isHidden());
        QVERIFY(!venster->dgdSQL->isHidden());
        QVERIFY(Licht("groen"));
    }

    void parameterConfirmed()
    {
        Openen();
        QStringList namen;
        QTimer timer;
        BijParameters(timer, [&namen](frmParameters* dialoog) {
            QAbstractItemModel* rijen = dialoog->dgdParameters->model();
            namen = Kolom(rijen, 0);
            namen << Kolom(rijen, 1);
            // What the value cell's editor hands over when the user has typed ALFKI.
            QVERIFY(rijen->setData(rijen->index(0, 1), "ALFKI"));
            QVERIFY(!rijen->setData(rijen->index(0, 0), "andere naam"));
            dialoog->cmdOK->click();
        });
        Uitvoeren("SELECT CompanyName FROM Customers WHERE CustomerID = [Welke klant]");
        QueryMoetLukken();
        QCOMPARE(namen, (QStringList{"Welke klant", ""}));
        QCOMPARE(Status(), QStringLiteral("1 record"));
        QCOMPARE(Kolom(Rijen(), 0), QStringList{"Alfreds Futterkiste"});
        QCOMPARE(venster->Tag, QStringLiteral("*"));
    }

    void parameterConfirmedWithoutTypingPassesNull()
    {
        Openen();
        QTimer timer;
        BijParameters(timer, [](frmParameters* dialoog) { dialoog->cmdOK->click(); });
        Uitvoeren("SELECT CompanyName FROM Customers WHERE CustomerID = [Welke klant]");
        QueryMoetLukken();
        QVERIFY(!venster->cmdResult->GetParameters().Item(0).Value.has_value());
        QCOMPARE(Status(), QStringLiteral("0 records"));
    }

    void parametersCancelled()
    {
        Openen();
        Uitvoeren("SELECT * FROM Shippers");
        QueryMoetLukken();
        int rijen = -1;
        QTimer timer;
        BijParameters(timer, [&rijen](frmParameters* dialoog) {
            rijen = dialoog->dgdParameters->model()->rowCount();
            QTest::keyClick(dialoog, Qt::Key_Escape);
        });
        Uitvoeren("SELECT * FROM Orders WHERE CustomerID = [Klant] AND EmployeeID = [Medewerker]");
        QCOMPARE(rijen, 2);
        QCOMPARE(Status(), QString());
        QVERIFY(Licht("oranje"));
        QVERIFY(venster->Tag.isEmpty());
        QCOMPARE(Rijen()->rowCount(), 3);  // the previous result stays
        QVERIFY(!venster->mnuDataKopieren->isEnabled());
        QVERIFY(venster->mnuUitvoeren->isEnabled());
    }

    void caretReturnsWhenTheEditorWasActive()
    {
        Openen();
        editor->setFocus();
        editor->setPlainText("SELECT * FROM Shippers");
        QTextCursor caret = editor->textCursor();
        caret.setPosition(5);
        caret.setPosition(9, QTextCursor::KeepAnchor);
        editor->setTextCursor(caret);
        QTest::keyClick(editor, Qt::Key_F5);
        QCOMPARE(editor->textCursor().position(), 5);
        QVERIFY(!editor->textCursor().hasSelection());
    }

    void actionStatementReportsItsCount()
    {
        Openen();
        Uitvoeren("UPDATE Shippers SET Phone = '(31) 20 555 0101' WHERE ShipperID <= 2");
        QVERIFY2(Licht("groen"), qPrintable(venster->lblFout->text()));
        QCOMPARE(Status(), QStringLiteral("Opdracht is verwerkt.  2 records gewijzigd."));
        QVERIFY(!venster->mnuDataKopieren->isEnabled());
        Uitvoeren("UPDATE Shippers SET Phone = Phone WHERE ShipperID = 99");
        QCOMPARE(Status(), QStringLiteral("Opdracht is verwerkt."));
        Uitvoeren("SELECT Phone FROM Shippers WHERE ShipperID <= 2");
        QCOMPARE(Kolom(Rijen(), 0), QStringList({"(31) 20 555 0101", "(31) 20 555 0101"}));
    }
};

QTEST_MAIN(TestUitvoerenVenster)
#include "tst_exec_venster.moc"
