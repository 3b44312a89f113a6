// Dragging names from the structure tree into the editor, and the tree's popup menu.
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTableView>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>

#include "VensterHulp.h"
#include "app/frmQuerimo.h"
#include "structure/StruktuurSlepen.h"

namespace {

QTreeWidgetItem* KnoopMetTekst(QTreeWidget* tree, const QString& begin)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->text(0).startsWith(begin)) return *it;
    return nullptr;
}

// A drop as the platform delivers it to the control under the pointer: enter, then drop.
bool Laten(QWidget* target, const QMimeData* data)
{
    const QPoint at(5, 5);
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

}  // namespace

class TestDrag : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { vensterhulp::EigenInstellingen(settings_); }

    void naamTotHetEersteHaakje()
    {
        QCOMPARE(StruktuurSlepen::SleepNaam(QStringLiteral("Naam (tekst)")), QStringLiteral("Naam"));
        QCOMPARE(StruktuurSlepen::SleepNaam(QStringLiteral("Klant (oud) (tekst)")), QStringLiteral("Klant"));
        QCOMPARE(StruktuurSlepen::SleepNaam(QStringLiteral("PrimaryKey(ID)")), QStringLiteral("PrimaryKey(ID)"));
        QCOMPARE(StruktuurSlepen::SleepNaam(QStringLiteral("Order Details")), QStringLiteral("Order Details"));
        // A " (" at the very start does not cut.
        QCOMPARE(StruktuurSlepen::SleepNaam(QStringLiteral(" (x)")), QStringLiteral(" (x)"));
    }

    void veldNaarDeEditor()
    {
        VENSTER_CORPUS_NODIG();
        frmQuerimo frm;
        frm.show();
        QVERIFY(QTest::qWaitForWindowActive(&frm));
        frm.DatabaseOpenen(vensterhulp::CorpusKopie("northwind-jet4.mdb", data_));
        QTreeWidget* tree = frm.treStruktuur;
        QTreeWidgetItem* veld = KnoopMetTekst(tree, QStringLiteral("CategoryName ("));
        QVERIFY(veld);
        tree->scrollToItem(veld);

        // The press selects the node; moving with the left button held starts the drag.
        const QPoint at = tree->visualItemRect(veld).center();
        QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(tree->currentItem(), veld);
        QMouseEvent move(QEvent::MouseMove, at + QPoint(10, 0), tree->viewport()->mapToGlobal(at + QPoint(10, 0)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree->viewport(), &move);
        QVERIFY(move.isAccepted());

        frm.rtbSQL->setPlainText(QStringLiteral("SELECT  FROM Categories"));
        QTextCursor cursor = frm.rtbSQL->textCursor();
        cursor.setPosition(7);
        frm.rtbSQL->setTextCursor(cursor);
        std::unique_ptr<QMimeData> data(StruktuurSlepen::SleepGegevens(tree));
        frm.setFocus();
        QVERIFY(Laten(frm.rtbSQL->viewport(), data.get()));
        QCOMPARE(frm.rtbSQL->toPlainText(), QStringLiteral("SELECT CategoryName FROM Categories"));
        QCOMPARE(frm.rtbSQL->textCursor().position(), 19);
        QVERIFY(frm.rtbSQL->hasFocus());
        QVERIFY(frm.mnuUitvoeren->isEnabled());

        // A selection is replaced, whatever the drop position.
        cursor.setPosition(7);
        cursor.setPosition(19, QTextCursor::KeepAnchor);
        frm.rtbSQL->setTextCursor(cursor);
        tree->setCurrentItem(KnoopMetTekst(tree, QStringLiteral("Description (")));
        QVERIFY(Laten(frm.rtbSQL->viewport(), data.get()));
        QCOMPARE(frm.rtbSQL->toPlainText(), QStringLiteral("SELECT Description FROM Categories"));

        // Dropped anywhere else, or coming from another tree, nothing is inserted.
        Laten(frm.dgdSQL->viewport(), data.get());
        Laten(tree->viewport(), data.get());
        QTreeWidget ander;
        std::unique_ptr<QMimeData> vreemd(StruktuurSlepen::SleepGegevens(&ander));
        Laten(frm.rtbSQL->viewport(), vreemd.get());
        QCOMPARE(frm.rtbSQL->toPlainText(), QStringLiteral("SELECT Description FROM Categories"));
    }

    void rechterknopToontBeeldmenu()
    {
        VENSTER_CORPUS_NODIG();
        frmQuerimo frm;
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        frm.DatabaseOpenen(vensterhulp::CorpusKopie("northwind-jet4.mdb", data_));
        QWidget* viewport = frm.treStruktuur->viewport();

        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!frm.mnuBeeld->isVisible());
        QTest::mouseClick(viewport, Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(frm.mnuBeeld->isVisible());
        QCOMPARE(frm.mnuBeeld->actions().value(0), frm.mnuBeeldVelden);
        frm.mnuBeeld->close();
    }

private:
    QTemporaryDir settings_;
    QTemporaryDir data_;
};

QTEST_MAIN(TestDrag)
#include "tst_drag.moc"
