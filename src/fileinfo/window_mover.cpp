#include "fileinfo/window_mover.h"

#include <QMouseEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace quorvex {

WindowMover::WindowMover(QWidget& window, const QList<QWidget*>& surfaces)
    : QObject(&window), window_(window)
{
    window.installEventFilter(this);
    for (QWidget* surface : surfaces)
        surface->installEventFilter(this);
}

void WindowMover::centre(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize size = window.frameGeometry().size();
    const int left = (area.width() - size.width()) / 2;
    const int top = qRound((area.height() - size.height()) * 0.9 / 2);
    window.move(area.x() + left, area.y() + top);
}

bool WindowMover::eventFilter(QObject* watched, QEvent* event)
{
    Q_UNUSED(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            // The window system moves the window with the mouse; where it can't
            // (no window system move on this platform) the press does nothing.
            if (QWindow* handle = window_.windowHandle())
                handle->startSystemMove();
            return true; // handled once, not again by each surface it passes through
        }
        return false;
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            centre(window_);
            return true;
        }
        return false;
    default:
        return false;
    }
}

} // namespace quorvex
