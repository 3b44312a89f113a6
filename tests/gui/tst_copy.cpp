// Copying the rows of a result to the clipboard as tab-separated text.
#include <QAction>
#include <QClipboard>
#include <QMimeData>
#include <QTableView>
#include <QTextEdit>
#include <QtTest>

#include "VensterHulp.h"
#include "ado/Recordset.h"
#include "app/frmQuerimo.h"
#include "exec/DataTekst.h"

using querimo::Value;
using querimo::ado::FieldInfo;
using querimo::ado::Recordset;
using querimo::exec::DataTekst;

namespace {

std::shared_ptr<Recordset> Resultaat(std::vector<FieldInfo> fields, std::vector<std::vector<Value>> rows)
{
    auto rs = Recordset::fromRows(std::move(fields), std::move(rows));
    rs->MoveFirst();
    return rs;
}

}  // namespace

class TestCopy : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { vensterhulp::EigenInstellingen(settings_); }

    void kopregelEnRijen()
    {
        auto rs = Resultaat({{"id"}, {"naam"}}, {{Value::text("1"), Value::text("Jan")}, {Value::text("2"), Value::null()}});
        QCOMPARE(DataTekst(*rs), std::string("id\tnaam\r\n1\tJan\r\n2\t\r\n"));
        // The first copy ran the record set to its end: a second one has the heading line alone.
        QCOMPARE(DataTekst(*rs), std::string("id\tnaam\r\n"));
    }

    void vanafHetHuidigeRecord()
    {
        auto rs = Resultaat({{"n"}}, {{Value::text("a")}, {Value::text("b")}, {Value::text("c\td")}});
        rs->Move(2);
        QCOMPARE(DataTekst(*rs), std::string("n\r\nc\td\r\n"));
    }

    void northwindNaarHetKlembord()
    {
        VENSTER_CORPUS_NODIG();
        frmQuerimo frm;
        frm.show();
        frm.DatabaseOpenen(vensterhulp::CorpusKopie("northwind-jet4.mdb", data_));
        frm.rtbSQL->setPlainText(QStringLiteral(
            "SELECT CustomerID, City, Region FROM Customers WHERE CustomerID IN ('ALFKI', 'ANATR', 'ANTON') "
            "ORDER BY CustomerID"));
        frm.OpdrachtUitvoeren();
        if (!frm.mnuDataKopieren->isEnabled())
            QSKIP("de SQL-uitvoering geeft nog geen rijen voor deze query");

        frm.mnuDataKopieren->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("CustomerID\tCity\tRegion\r\nALFKI\tBerlin\t\r\nANATR\tMéxico D.F.\t\r\n"
                                "ANTON\tMéxico D.F.\t\r\n"));
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->formats(), QStringList{QStringLiteral("text/plain")});
        frm.mnuDataKopieren->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("CustomerID\tCity\tRegion\r\n"));

        // With the grid's current row on the third record the rows start there.
        frm.dgdSQL->setCurrentIndex(frm.dgdSQL->model()->index(2, 0));
        frm.mnuDataKopieren->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("CustomerID\tCity\tRegion\r\nANTON\tMéxico D.F.\t\r\n"));
    }

private:
    QTemporaryDir settings_;
    QTemporaryDir data_;
};

QTEST_MAIN(TestCopy)
#include "tst_copy.moc"
