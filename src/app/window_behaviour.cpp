// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_behaviour.h"

#include "app/app_icon.h"
#include "app/form1.h"
#include "app/tray_icon.h"
#include "platform/window_mover.h"

#include <QEvent>
#include <QLabel>
#include <QTimer>

namespace quorvex {

WindowBehaviour::WindowBehaviour(Form1& form, std::function<void()> unload) : form_(form)
{
    form_.setWindowIcon(quorvexIcon());
    tray_ = new TrayIcon(form_, std::move(unload));
    mover_ = new WindowMover(form_, {form_.Label1, form_.Label2, form_.Label3, form_.Label4,
                                     form_.Label5, form_.Label7});
    form_.installEventFilter(this);
}

// The tray icon and the mover live beside the window's controls; they go with
// this object, so that no event reaches them once shutdown has begun.
WindowBehaviour::~WindowBehaviour()
{
    form_.removeEventFilter(this);
    delete mover_;
    delete tray_;
}

bool WindowBehaviour::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &form_ &&
        (event->type() == QEvent::Resize || event->type() == QEvent::WindowStateChange))
        Form_Resize();
    return QObject::eventFilter(watched, event);
}

void WindowBehaviour::Form_Resize()
{
    if (form_.isMinimized()) {
        // Without a tray there would be no way back to a hidden window.
        if (!tray_->isAvailable())
            return;
        // Hidden after the state change has been handled, not in the middle of it.
        QTimer::singleShot(0, &form_, [this] {
            if (form_.isMinimized())
                form_.hide();
        });
        return;
    }
    layout_.ResizeControls(form_);
    // The rescan box's caption keeps its font while the box grows: the seconds
    // box follows the caption rather than the proportions.
    form_.placeSecondsBox();
}

} // namespace quorvex
