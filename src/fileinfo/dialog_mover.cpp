#include "fileinfo/dialog_mover.h"

#include <QMouseEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace quorvex {

DialogMover::DialogMover(QWidget& window, const QList<QWidget*>& surfaces)
    : QObject(&window), window_(window)
{
    window.installEventFilter(this);
    for (QWidget* surface : surfaces)
        surface->installEventFilter(this);
}

void DialogMover::centre(QWidget& window)
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

bool DialogMover::eventFilter(QObject* watched, QEvent* event)
{
    const bool mouse =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    // On the window itself only its bare background counts, not a press that a
    // control passed on.
    if (!mouse || (watched == &window_ &&
                   window_.childAt(static_cast<QMouseEvent*>(event)->position().toPoint())))
        return false;
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
