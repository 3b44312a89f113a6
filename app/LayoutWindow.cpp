// The main window's panes: divided afresh at every resize, moved by the two splitter bars.
#include <QLabel>
#include <QStatusBar>
#include <QTableView>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>

#include "app/LayoutEvents.h"
#include "app/LayoutPixels.h"
#include "app/Routines.h"
#include "app/frmQuerimo.h"

using namespace querimo;

void frmQuerimo::IndelingVerbinden()
{
    Indeling.vertSplit.width = 50;
    Indeling.horSplit.height = 45;
    indelingVolgen_ = std::make_unique<LayoutEvents>(this, Werkvlak, imgHorSplit, imgVertSplit);
    connect(indelingVolgen_.get(), &LayoutEvents::Resize, this, &frmQuerimo::Form_Resize);
    connect(indelingVolgen_.get(), &LayoutEvents::HorSplitMouseMove, this, &frmQuerimo::imgHorSplit_MouseMove);
    connect(indelingVolgen_.get(), &LayoutEvents::VertSplitMouseMove, this, &frmQuerimo::imgVertSplit_MouseMove);
}

layout::Frame frmQuerimo::Omlijsting() const
{
    layout::Frame frame;
    frame.toolbarHeight = layout::heightTwips(tlbKnoppen);
    frame.statusHeight = layout::heightTwips(stbStatus);
    frame.clientWidth = layout::widthTwips(Werkvlak);
    frame.clientHeight = frame.toolbarHeight + layout::heightTwips(Werkvlak) + frame.statusHeight;
    return frame;
}

void frmQuerimo::Form_Resize()
{
    if (layout::resize(Indeling, Omlijsting(), isMinimized())) IndelingToepassen();
}

void frmQuerimo::imgHorSplit_MouseMove(int button, float y)
{
    if (layout::dragHorSplit(Indeling, Omlijsting(), button, y)) IndelingToepassen();
}

void frmQuerimo::imgVertSplit_MouseMove(int button, float x)
{
    if (layout::dragVertSplit(Indeling, Omlijsting(), button, x)) IndelingToepassen();
}

void frmQuerimo::IndelingToepassen()
{
    // The panes live in the area between toolbar and status bar; the layout counts from the toolbar's top.
    const QPoint origin(0, -tlbKnoppen->height());
    layout::place(treStruktuur, Indeling.tree, origin);
    layout::place(imgVertSplit, Indeling.vertSplit, origin);
    layout::place(rtbSQL, Indeling.editor, origin);
    layout::place(imgHorSplit, Indeling.horSplit, origin);
    layout::place(dgdSQL, Indeling.grid, origin);
    imgVertSplit->raise();
    imgHorSplit->raise();
    FoutPlaatsen();
}
