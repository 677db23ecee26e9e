#include "options/window_surface_drag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace quorvex {

WindowSurfaceDrag* WindowSurfaceDrag::install(QWidget& window, const QList<QWidget*>& surfaces)
{
    return new WindowSurfaceDrag(window, surfaces);
}

WindowSurfaceDrag::WindowSurfaceDrag(QWidget& window, const QList<QWidget*>& surfaces)
    : QObject(&window), window_(window), surfaces_(surfaces)
{
    for (QWidget* surface : surfaces_)
        surface->installEventFilter(this);
}

void WindowSurfaceDrag::centreHigh(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize size = window.frameGeometry().size();
    window.move(area.left() + (area.width() - size.width()) / 2,
                area.top() + qRound((area.height() - size.height()) * 0.9 / 2));
}

bool WindowSurfaceDrag::eventFilter(QObject* watched, QEvent* event)
{
    if (!surfaces_.contains(watched))
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        pressed_ = mouse->button() == Qt::LeftButton;
        byHand_ = false;
        pressAt_ = mouse->globalPosition().toPoint();
        windowAt_ = window_.pos();
        return pressed_;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!pressed_ || !(mouse->buttons() & Qt::LeftButton))
            return false;
        const QPoint delta = mouse->globalPosition().toPoint() - pressAt_;
        if (!byHand_) {
            if (delta.manhattanLength() < QApplication::startDragDistance())
                return true;
            QWindow* handle = window_.windowHandle();
            if (handle && handle->startSystemMove()) {
                pressed_ = false;
                return true;
            }
            byHand_ = true;
        }
        window_.move(windowAt_ + delta);
        return true;
    }
    case QEvent::MouseButtonRelease:
        pressed_ = false;
        byHand_ = false;
        return false;
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            pressed_ = false;
            centreHigh(window_);
            return true;
        }
        return false;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace quorvex
