#include "app/LayoutEvents.h"

#include <QMouseEvent>

#include "app/Layout.h"
#include "app/Routines.h"
#include "app/frmQuerimo.h"

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

LayoutEvents::LayoutEvents(frmQuerimo& frm) : frm_(frm)
{
    for (QObject* watched : {static_cast<QObject*>(&frm_), static_cast<QObject*>(frm_.Werkvlak),
                             static_cast<QObject*>(frm_.imgHorSplit), static_cast<QObject*>(frm_.imgVertSplit)})
        watched->installEventFilter(this);
}

bool LayoutEvents::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == &frm_ || watched == frm_.Werkvlak) {
        if (type == QEvent::Resize || type == QEvent::WindowStateChange) frm_.Form_Resize();
        return false;
    }
    // A bar takes the press so that it keeps the mouse until the button is released.
    if (type == QEvent::MouseButtonPress) return true;
    if (type != QEvent::MouseMove) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    if (watched == frm_.imgHorSplit)
        frm_.imgHorSplit_MouseMove(buttonBits(mouse->buttons()), static_cast<float>(Routines::PixelsNaarTwips(at.y())));
    else
        frm_.imgVertSplit_MouseMove(buttonBits(mouse->buttons()),
                                    static_cast<float>(Routines::PixelsNaarTwips(at.x())));
    return true;
}
