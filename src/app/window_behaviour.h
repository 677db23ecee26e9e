// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/control_layout.h"
#include "app/size_limits.h"

#include <QObject>

#include <functional>
#include <memory>

namespace quorvex {

class Form1;
class TrayIcon;
class WindowMover;

// How the main window behaves as a window: its tray icon, minimising to the
// tray, its controls kept in proportion, its size limits, and dragging and
// centring it by its background and labels.
class WindowBehaviour : public QObject
{
    Q_OBJECT
public:
    // unload closes the main window (the tray's "&Exit").
    WindowBehaviour(Form1& form, std::function<void()> unload);
    ~WindowBehaviour() override;

    TrayIcon& tray() const { return *tray_; }
    ControlLayout& layout() { return layout_; }
    SizeLimits& limits() { return limits_; }

    // Minimised: hide the window where a tray can bring it back. Otherwise keep
    // the controls in proportion.
    void Form_Resize();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Form1& form_;
    ControlLayout layout_;
    SizeLimits limits_;
    TrayIcon* tray_ = nullptr;
    WindowMover* mover_ = nullptr;
};

} // namespace quorvex
