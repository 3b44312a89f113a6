// The history dialog: one line per statement, picking one, its size and layout.
#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QtTest>

#include "VensterHulp.h"
#include "app/LayoutPixels.h"
#include "app/frmQuerimo.h"
#include "history/frmHistoriek.h"

namespace {

void KlikRegel(QListWidget* list, int row, bool dubbel = false)
{
    const QPoint at = list->visualItemRect(list->item(row)).center();
    // A double-click arrives as a click followed by a second press reported as a double-click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (dubbel) {
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    }
}

}  // namespace

class TestHistoriek : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { vensterhulp::EigenInstellingen(settings_); }

    void regelsEnPlaats()
    {
        QCOMPARE(frmHistoriek::Regel(QStringLiteral("SELECT *\r\nFROM a\r\nWHERE  b")),
                 QStringLiteral("SELECT * FROM a WHERE  b"));
        QCOMPARE(frmHistoriek::Regel(QStringLiteral("SELECT *\nFROM a")), QStringLiteral("SELECT * FROM a"));
        // Three quarters of the main window's inner size, towards its lower right.
        QCOMPARE(frmHistoriek::Plaats(8000, 6000, 1000, 500), QRect(3000, 2000, 6000, 4500));
    }

    void okPasNaEenKlik()
    {
        frmHistoriek dialog({QStringLiteral("SELECT 1"), QStringLiteral("SELECT 2")}, QFont(), nullptr);
        dialog.resize(400, 300);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Querimo Historiek"));
        QCOMPARE(dialog.lstHistoriek->count(), 2);
        QVERIFY(dialog.lstHistoriek->selectedItems().isEmpty());
        QVERIFY(!dialog.cmdOK->isEnabled());
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(dialog.isVisible());

        KlikRegel(dialog.lstHistoriek, 1);
        QVERIFY(dialog.cmdOK->isEnabled());
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.okTag, QStringLiteral("*"));
    }

    void indelingVanKnoppenEnLijst()
    {
        using querimo::layout::toPixels;
        frmHistoriek dialog({}, QFont(), nullptr);
        dialog.resize(querimo::layout::toPixels({0, 0, 6000, 4500}).size());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const float sw = querimo::layout::widthTwips(&dialog), sh = querimo::layout::heightTwips(&dialog);
        QCOMPARE(dialog.cmdOK->geometry(), toPixels({sw / 2 - 50 - 1215, sh - 375 - 100, 1215, 375}));
        QCOMPARE(dialog.cmdCancel->geometry(), toPixels({sw / 2 + 50, sh - 375 - 100, 1215, 375}));
        QCOMPARE(dialog.lstHistoriek->geometry(), toPixels({0, 0, sw, sh - 375 - 200}));

        // Too narrow for both buttons with room to spare: they keep their horizontal places.
        const int okLeft = dialog.cmdOK->x();
        dialog.resize(toPixels({0, 0, 2400, 4000}).size());
        QCOMPARE(dialog.cmdOK->x(), okLeft);
        QCOMPARE(dialog.lstHistoriek->width(), dialog.width());
    }

    void breedsteRegelIsTeSchuiven()
    {
        const QString lang = QStringLiteral("SELECT ") + QString(300, QLatin1Char('x'));
        frmHistoriek dialog({QStringLiteral("SELECT 1"), lang}, QFont(), nullptr);
        dialog.resize(300, 200);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QScrollBar* bar = dialog.lstHistoriek->horizontalScrollBar();
        QVERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        const QRect regel = dialog.lstHistoriek->visualItemRect(dialog.lstHistoriek->item(1));
        QVERIFY(regel.right() < dialog.lstHistoriek->viewport()->width());
        QVERIFY(regel.right() > dialog.lstHistoriek->viewport()->width() - 20);
    }

    void kiezenInHetHoofdvenster()
    {
        frmQuerimo frm;
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        frm.Historiek = {QStringLiteral("SELECT 1"), QStringLiteral("SELECT *\nFROM a\nWHERE b"), QStringLiteral("SELECT 3")};
        frm.HistoriekIndex = 3;

        QString regel;
        QRect geplaatst;
        vensterhulp::BijDialoog([&](QWidget* w) {
            auto* dialog = static_cast<frmHistoriek*>(w);
            regel = dialog->lstHistoriek->item(1)->text();
            geplaatst = QRect(dialog->pos(), dialog->size());
            KlikRegel(dialog->lstHistoriek, 1);
            dialog->cmdOK->click();
        });
        frm.mnuHistoriek->trigger();
        QCOMPARE(regel, QStringLiteral("SELECT * FROM a WHERE b"));
        QCOMPARE(geplaatst, frmHistoriek::Plaats(frm.width(), frm.height(), frm.frameGeometry().left(),
                                                 frm.frameGeometry().top()));
        QCOMPARE(frm.HistoriekIndex, 2);
        QCOMPARE(frm.rtbSQL->toPlainText(), QStringLiteral("SELECT *\nFROM a\nWHERE b"));

        // A double-click is selecting and OK at once.
        vensterhulp::BijDialoog([](QWidget* w) { KlikRegel(static_cast<frmHistoriek*>(w)->lstHistoriek, 0, true); });
        frm.mnuHistoriek->trigger();
        QCOMPARE(frm.HistoriekIndex, 1);
        QCOMPARE(frm.rtbSQL->toPlainText(), QStringLiteral("SELECT 1"));
        QVERIFY(!frm.mnuVorige->isEnabled());
        QVERIFY(frm.mnuVolgende->isEnabled());

        // Cancelling, also after a click, changes nothing.
        vensterhulp::BijDialoog([](QWidget* w) {
            auto* dialog = static_cast<frmHistoriek*>(w);
            KlikRegel(dialog->lstHistoriek, 2);
            dialog->cmdCancel->click();
        });
        frm.mnuHistoriek->trigger();
        QCOMPARE(frm.HistoriekIndex, 1);
        QCOMPARE(frm.rtbSQL->toPlainText(), QStringLiteral("SELECT 1"));
    }

private:
    QTemporaryDir settings_;
};

QTEST_MAIN(TestHistoriek)
#include "tst_historiek.moc"
