#pragma once
#include <QPoint>
#include <QRect>

#include "app/Layout.h"

class QWidget;

namespace querimo::layout {

// A rectangle in twips as whole pixels. Edges are rounded, not sizes, so panes that touch in twips
// also touch on the screen.
QRect toPixels(const Rect& r);

// Places a widget at a rectangle in twips, measured from origin (pixels) in its parent.
void place(QWidget* widget, const Rect& r, QPoint origin = {});

// A widget's size in twips.
float widthTwips(const QWidget* widget);
float heightTwips(const QWidget* widget);

}  // namespace querimo::layout
