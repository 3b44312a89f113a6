// Where the panes go when the window is resized and when a splitter bar is dragged.
#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTableView>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

#include "VensterHulp.h"
#include "app/Layout.h"
#include "app/LayoutPixels.h"

using namespace querimo::layout;

namespace {

const Frame Voorbeeld{10050, 6000, 420, 375};

Panes Ontwerp()
{
    Panes p;
    p.vertSplit.width = 50;
    p.horSplit.height = 45;
    return p;
}

Panes Ingedeeld()
{
    Panes p = Ontwerp();
    resize(p, Voorbeeld, false);
    return p;
}

void VergelijkRect(const Rect& r, float left, float top, float width, float height)
{
    QCOMPARE(r.left, left);
    QCOMPARE(r.top, top);
    QCOMPARE(r.width, width);
    QCOMPARE(r.height, height);
}

bool Gelijk(const Rect& a, const Rect& b)
{
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

bool Gelijk(const Panes& a, const Panes& b)
{
    return Gelijk(a.tree, b.tree) && Gelijk(a.vertSplit, b.vertSplit) && Gelijk(a.editor, b.editor)
           && Gelijk(a.horSplit, b.horSplit) && Gelijk(a.grid, b.grid);
}

void Sleep(QWidget* bar, Qt::MouseButtons buttons, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, bar->mapToGlobal(at), Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
}

}  // namespace

class TestLayout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { vensterhulp::EigenInstellingen(settings_); }

    void kwartenVanBreedteEnHoogte()
    {
        const Panes p = Ingedeeld();
        VergelijkRect(p.tree, 0, 421, 2500, 5204);
        VergelijkRect(p.vertSplit, 2501, 421, 50, 5204);
        VergelijkRect(p.editor, 2551, 421, 7499, 1383.5f);
        VergelijkRect(p.horSplit, 2551, 1805.5f, 7499, 45);
        VergelijkRect(p.grid, 2551, 1851.5f, 7499, 3773.5f);
        QCOMPARE(p.grid.top + p.grid.height, 5625.0f);
        QCOMPARE(p.tree.top + p.tree.height, 5625.0f);
    }

    void geminimaliseerdOfTeLaagVerandertNiets()
    {
        Panes p = Ingedeeld();
        const Panes voor = p;
        QVERIFY(!resize(p, Frame{3000, 2000, 420, 375}, true));
        QVERIFY(!resize(p, Frame{3000, 420, 420, 375}, false));
        QVERIFY(Gelijk(p, voor));
    }

    void lageVensterBehoudtHoogtes()
    {
        // Editor top + bar height reaches the client height: the editor keeps its height, the grid goes under
        // the bar, and since it would not fit above the status bar, grid and tree keep their heights too.
        Panes p = Ingedeeld();
        QVERIFY(resize(p, Frame{8000, 466, 420, 375}, false));
        QCOMPARE(p.editor.height, 1383.5f);
        QCOMPARE(p.horSplit.top, 1805.5f);
        QCOMPARE(p.grid.top, 1851.5f);
        QCOMPARE(p.grid.height, 3773.5f);
        QCOMPARE(p.tree.height, 5204.0f);
        QCOMPARE(p.editor.width, 8000 - p.editor.left);
    }

    void horizontaleBalkBinnenGrenzen()
    {
        Panes p = Ingedeeld();
        // Limits: strictly between toolbar + 100 and client height - status bar - 250.
        QVERIFY(!dragHorSplit(p, Voorbeeld, LeftButton, 520 - p.horSplit.top));
        QVERIFY(!dragHorSplit(p, Voorbeeld, LeftButton, 5375 - p.horSplit.top));
        QCOMPARE(p.horSplit.top, 1805.5f);
        QVERIFY(dragHorSplit(p, Voorbeeld, LeftButton, 521 - p.horSplit.top));
        VergelijkRect(p.horSplit, 2551, 521, 7499, 45);
        QCOMPARE(p.editor.height, 100.0f);
        VergelijkRect(p.grid, 2551, 567, 7499, 5058);
        // Beyond the limit the bar stays at its last place and moves on once back inside.
        QVERIFY(!dragHorSplit(p, Voorbeeld, LeftButton, -300));
        QCOMPARE(p.horSplit.top, 521.0f);
        QVERIFY(dragHorSplit(p, Voorbeeld, LeftButton, 5374 - p.horSplit.top));
        QCOMPARE(p.grid.height, 6000 - 375 - (5374 + 46.0f));
    }

    void verticaleBalkBinnenGrenzen()
    {
        Panes p = Ingedeeld();
        QVERIFY(!dragVertSplit(p, Voorbeeld, LeftButton, 100 - p.vertSplit.left));
        QVERIFY(!dragVertSplit(p, Voorbeeld, LeftButton, 10000 - p.vertSplit.left));
        QVERIFY(dragVertSplit(p, Voorbeeld, LeftButton, 101 - p.vertSplit.left));
        QCOMPARE(p.tree.width, 100.0f);
        VergelijkRect(p.editor, 152, 421, 9898, 1383.5f);
        QCOMPARE(p.horSplit.left, 152.0f);
        QCOMPARE(p.grid.width, 9898.0f);
    }

    void alleenDeLinkerknopSleept()
    {
        Panes p = Ingedeeld();
        const Panes voor = p;
        QVERIFY(!dragHorSplit(p, Voorbeeld, RightButton, 200));
        QVERIFY(!dragHorSplit(p, Voorbeeld, LeftButton | RightButton, 200));
        QVERIFY(!dragVertSplit(p, Voorbeeld, RightButton, 200));
        QVERIFY(!dragVertSplit(p, Voorbeeld, LeftButton | RightButton, 200));
        QVERIFY(Gelijk(p, voor));
    }

    void vensterVolgtDeIndelingEnDeBalken()
    {
        frmQuerimo frm;
        frm.resize(800, 600);
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));

        Panes kwarten = Ontwerp();
        QVERIFY(resize(kwarten, frm.Omlijsting(), false));
        QVERIFY(Gelijk(frm.Indeling, kwarten));
        QCOMPARE(frm.Omlijsting().clientWidth, widthTwips(frm.Werkvlak));
        // Toolbar and status bar are part of the client area: the panes fill the area between them.
        const QPoint origin(0, -frm.tlbKnoppen->height());
        QCOMPARE(frm.rtbSQL->geometry(), toPixels(frm.Indeling.editor).translated(origin));
        QCOMPARE(frm.dgdSQL->geometry(), toPixels(frm.Indeling.grid).translated(origin));
        QCOMPARE(frm.treStruktuur->geometry(), toPixels(frm.Indeling.tree).translated(origin));
        QVERIFY(qAbs(frm.dgdSQL->geometry().bottom() + 1 - frm.Werkvlak->height()) <= 1);
        QCOMPARE(frm.imgHorSplit->cursor().shape(), Qt::SizeVerCursor);
        QCOMPARE(frm.imgVertSplit->cursor().shape(), Qt::SizeHorCursor);

        const int gridTop = frm.dgdSQL->y();
        Sleep(frm.imgHorSplit, Qt::LeftButton, QPoint(5, 40));
        QVERIFY(frm.dgdSQL->y() > gridTop + 30);
        QCOMPARE(frm.rtbSQL->geometry().bottom() + 1, frm.imgHorSplit->y());
        QCOMPARE(frm.lblFout->geometry(), frm.dgdSQL->geometry());

        const int treeWidth = frm.treStruktuur->width();
        Sleep(frm.imgVertSplit, Qt::LeftButton, QPoint(60, 5));
        QVERIFY(frm.treStruktuur->width() > treeWidth + 50);
        QCOMPARE(frm.dgdSQL->x(), frm.rtbSQL->x());
        QCOMPARE(frm.lblFout->geometry(), frm.dgdSQL->geometry());

        // Held with both buttons the bar does not move.
        const QRect bar = frm.imgVertSplit->geometry();
        Sleep(frm.imgVertSplit, Qt::LeftButton | Qt::RightButton, QPoint(-60, 5));
        QCOMPARE(frm.imgVertSplit->geometry(), bar);

        // Restoring the window divides it into quarters again.
        frm.showMinimized();
        QCoreApplication::processEvents();
        frm.showNormal();
        QCoreApplication::processEvents();
        QVERIFY(Gelijk(frm.Indeling, kwarten));
    }

private:
    QTemporaryDir settings_;
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
