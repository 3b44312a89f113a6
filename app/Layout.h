#pragma once

namespace querimo::layout {

// Positions of the panes in twips (1/1440 inch) in the main window's client area.
struct Rect {
    float left = 0, top = 0, width = 0, height = 0;
};

struct Panes {
    Rect tree, vertSplit, editor, horSplit, grid;
};

// The client area and the bars docked at its top and bottom edges, in twips.
struct Frame {
    float clientWidth = 0, clientHeight = 0, toolbarHeight = 0, statusHeight = 0;
};

// Mouse buttons as a bit set, as the splitter drags test them.
inline constexpr int LeftButton = 1, RightButton = 2;

// Divides the window afresh: the tree gets a quarter of the width, the editor a quarter of the height.
// Returns false when the window is minimized or too low, in which case nothing was changed.
bool resize(Panes& panes, const Frame& frame, bool minimized);

// One mouse-move over the horizontal bar; y is the pointer's distance below the bar's top edge.
// Returns true when the panes were moved.
bool dragHorSplit(Panes& panes, const Frame& frame, int buttons, float y);

// One mouse-move over the vertical bar; x is the pointer's distance right of the bar's left edge.
bool dragVertSplit(Panes& panes, const Frame& frame, int buttons, float x);

}  // namespace querimo::layout
