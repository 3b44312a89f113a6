#include "app/InvoerTegenhouden.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

InvoerTegenhouden::InvoerTegenhouden(std::function<void()> stoppen) : stoppen_(std::move(stoppen)) {}

InvoerTegenhouden::~InvoerTegenhouden()
{
    Uit();
}

void InvoerTegenhouden::Aan()
{
    if (aan_) return;
    QCoreApplication::instance()->installEventFilter(this);
    aan_ = true;
}

void InvoerTegenhouden::Uit()
{
    if (!aan_) return;
    QCoreApplication::instance()->removeEventFilter(this);
    aan_ = false;
}

namespace {

bool BinnenIn(const QObject* object, const QObject* widget)
{
    for (; object; object = object->parent())
        if (object == widget) return true;
    return false;
}

}  // namespace

bool InvoerTegenhouden::VoorDoorlaten(QObject* watched, QEvent* event) const
{
    if (!doorlaten_) return false;
    if (watched->isWidgetType()) return BinnenIn(watched, doorlaten_);
    // The window hears of the mouse before the widget under it does.
    const QPoint plek = static_cast<QSinglePointEvent*>(event)->globalPosition().toPoint();
    return BinnenIn(QApplication::widgetAt(plek), doorlaten_);
}

bool InvoerTegenhouden::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Taken here, so no menu shortcut fires; the key press that follows is dropped below.
        event->accept();
        return true;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
            stoppen_();
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel: return !VoorDoorlaten(watched, event);
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Drop:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::InputMethod: return true;
    default: return false;
    }
}
