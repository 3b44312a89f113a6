#include "app/Layout.h"

namespace querimo::layout {

namespace {

// The editor's column sets the horizontal place of the bar and the grid beneath it.
void alignColumn(Panes& p)
{
    p.horSplit.left = p.editor.left;
    p.horSplit.width = p.editor.width;
    p.grid.left = p.editor.left;
    p.grid.width = p.editor.width;
}

}  // namespace

bool resize(Panes& p, const Frame& f, bool minimized)
{
    if (minimized || !(f.clientHeight > f.toolbarHeight)) return false;

    p.editor.top = f.toolbarHeight + 1;
    p.tree.top = p.editor.top;
    p.vertSplit.top = p.editor.top;

    p.tree.width = (f.clientWidth - p.vertSplit.width) / 4;
    p.vertSplit.left = p.tree.width + 1;
    p.editor.left = p.tree.width + p.vertSplit.width + 1;
    p.editor.width = f.clientWidth - p.editor.left;
    alignColumn(p);

    if (p.editor.top + p.horSplit.height < f.clientHeight) {
        p.editor.height = (f.clientHeight - p.editor.top - p.horSplit.height) / 4;
        p.horSplit.top = p.editor.top + p.editor.height + 1;
    }
    p.grid.top = p.horSplit.top + p.horSplit.height + 1;

    if (p.grid.top + f.statusHeight < f.clientHeight) {
        p.grid.height = f.clientHeight - f.statusHeight - p.grid.top;
        p.tree.height = f.clientHeight - f.statusHeight - p.tree.top;
        p.vertSplit.height = p.tree.height;
    }
    return true;
}

bool dragHorSplit(Panes& p, const Frame& f, int buttons, float y)
{
    if (buttons != LeftButton) return false;
    const float top = p.horSplit.top + y;
    if (!(top > f.toolbarHeight + 100 && top < f.clientHeight - f.statusHeight - 250)) return false;

    p.horSplit.top = top;
    p.editor.height = top - f.toolbarHeight - 1;
    p.grid.top = top + p.horSplit.height + 1;
    p.grid.height = f.clientHeight - f.statusHeight - p.grid.top;
    return true;
}

bool dragVertSplit(Panes& p, const Frame& f, int buttons, float x)
{
    if (buttons != LeftButton) return false;
    const float left = p.vertSplit.left + x;
    if (!(left > 100 && left < f.clientWidth - 50)) return false;

    p.vertSplit.left = left;
    p.tree.width = left - 1;
    p.editor.left = left + p.vertSplit.width + 1;
    p.editor.width = f.clientWidth - p.editor.left;
    alignColumn(p);
    return true;
}

}  // namespace querimo::layout
