#include "app/window_mover.h"

#include "app/window_geometry.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace quorvex {

WindowMover::WindowMover(QWidget& window, const QList<QWidget*>& surfaces)
    : QObject(&window), window_(window)
{
    window_.installEventFilter(this);
    for (QWidget* s : surfaces) {
        surfaces_.append(s);
        s->installEventFilter(this);
    }
}

bool WindowMover::isSurface(QObject* watched, const QPoint& pos) const
{
    if (watched == &window_)
        return window_.childAt(pos) == nullptr; // the bare background only
    for (const QPointer<QWidget>& s : surfaces_) {
        if (s == watched)
            return true;
    }
    return false;
}

bool WindowMover::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() != Qt::LeftButton || !isSurface(watched, e->position().toPoint()))
            return false;
        pressed_ = true;
        moving_ = false;
        pressGlobal_ = e->globalPosition().toPoint();
        windowAtPress_ = window_.pos();
        return true;
    }
    case QEvent::MouseMove: {
        if (!pressed_)
            return false;
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint delta = e->globalPosition().toPoint() - pressGlobal_;
        if (moving_) {
            window_.move(windowAtPress_ + delta);
            return true;
        }
        if (delta.manhattanLength() < QApplication::startDragDistance())
            return true;
        // The window manager moves the window where it can; elsewhere we do.
        QWindow* handle = window_.windowHandle();
        if (handle && handle->startSystemMove())
            pressed_ = false;
        else
            moving_ = true;
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (!pressed_)
            return false;
        pressed_ = false;
        moving_ = false;
        return true;
    case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (!isSurface(watched, e->position().toPoint()))
            return false;
        pressed_ = false;
        centreWindow(window_);
        return true;
    }
    default:
        return false;
    }
}

} // namespace quorvex
