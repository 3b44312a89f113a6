#include "app/LayoutPixels.h"

#include <QWidget>

#include "app/Routines.h"

namespace querimo::layout {

QRect toPixels(const Rect& r)
{
    const int x0 = Routines::TwipsNaarPixels(r.left);
    const int y0 = Routines::TwipsNaarPixels(r.top);
    const int x1 = Routines::TwipsNaarPixels(r.left + r.width);
    const int y1 = Routines::TwipsNaarPixels(r.top + r.height);
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

void place(QWidget* widget, const Rect& r, QPoint origin)
{
    widget->setGeometry(toPixels(r).translated(origin));
}

float widthTwips(const QWidget* widget)
{
    return static_cast<float>(Routines::PixelsNaarTwips(widget->width()));
}

float heightTwips(const QWidget* widget)
{
    return static_cast<float>(Routines::PixelsNaarTwips(widget->height()));
}

}  // namespace querimo::layout
