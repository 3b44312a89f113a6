#include "app/LayoutEvents.h"

#include <QMouseEvent>
#include <QWidget>

#include "app/Layout.h"
#include "app/Routines.h"

namespace {

int buttonBits(Qt::MouseButtons buttons)
{
    int bits = 0;
    if (buttons & Qt::LeftButton) bits |= querimo::layout::LeftButton;
    if (buttons & Qt::RightButton) bits |= querimo::layout::RightButton;
    if (buttons & Qt::MiddleButton) bits |= 4;
    return bits;
}

}  // namespace

LayoutEvents::LayoutEvents(QWidget* window, QWidget* werkvlak, QWidget* horSplit, QWidget* vertSplit)
    : window_(window), werkvlak_(werkvlak), horSplit_(horSplit)
{
    for (QWidget* watched : {window, werkvlak, horSplit, vertSplit}) watched->installEventFilter(this);
}

bool LayoutEvents::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == window_ || watched == werkvlak_) {
        if (type == QEvent::Resize || type == QEvent::WindowStateChange) emit Resize();
        return false;
    }
    // A bar takes the press so that it keeps the mouse until the button is released.
    if (type == QEvent::MouseButtonPress) return true;
    if (type != QEvent::MouseMove) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    if (watched == horSplit_)
        emit HorSplitMouseMove(buttonBits(mouse->buttons()), static_cast<float>(Routines::PixelsNaarTwips(at.y())));
    else
        emit VertSplitMouseMove(buttonBits(mouse->buttons()), static_cast<float>(Routines::PixelsNaarTwips(at.x())));
    return true;
}
