#include "app/InvoerTegenhouden.h"

#include <QCoreApplication>
#include <QKeyEvent>

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

bool InvoerTegenhouden::eventFilter(QObject*, QEvent* event)
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
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
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
