// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/window_mover.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
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

void WindowMover::centre(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const QSize outer = window.frameGeometry().size();
    const int left = (area.width() - outer.width()) / 2;
    const int top = qRound((area.height() - outer.height()) * 0.9 / 2);
    window.move(area.x() + left, area.y() + top);
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
        if (e->button() != Qt::LeftButton || !isSurface(watched, e->position().toPoint()))
            return false;
        pressed_ = false;
        centre(window_);
        return true;
    }
    default:
        return false;
    }
}

} // namespace quorvex
