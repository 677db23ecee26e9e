// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSystemTrayIcon>

#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace quorvex {

// The main window's icon in the system tray, there from start-up to shutdown,
// with the tip " Quorvex ". While the window is minimised (and so hidden), a left
// click or double-click on the icon restores it and a right click opens the
// menu "&Restore" / "&Exit"; while it is shown, the icon ignores the mouse.
class TrayIcon : public QObject
{
    Q_OBJECT
public:
    // The tray's mouse actions, numbered as the tray callback reports them.
    static constexpr int kLeftButtonUp = 0x202;
    static constexpr int kLeftDoubleClick = 0x203;
    static constexpr int kRightButtonUp = 0x205;

    // exitRequested unloads the main window.
    TrayIcon(QWidget& window, std::function<void()> exitRequested);
    ~TrayIcon() override;

    // Whether a system tray is there; tests replace the question.
    bool isAvailable() const;
    void setAvailability(std::function<bool()> available);

    void add();
    void remove();
    bool isAdded() const { return added_; }
    QString toolTip() const;

    // The tray callback with the mouse action; heeded only while minimised.
    void Form_MouseMove(int action);
    void mPopRestore_Click();
    void mPopExit_Click();

    QMenu* mnu_1() const { return menu_; }
    QAction* mPopRestore() const { return restore_; }
    QAction* mPopExit() const { return exit_; }

private:
    void restore();
    static int actionFor(QSystemTrayIcon::ActivationReason reason);

    QWidget& window_;
    std::function<void()> exitRequested_;
    std::function<bool()> available_;
    QSystemTrayIcon* icon_ = nullptr;
    QMenu* menu_ = nullptr;
    QAction* restore_ = nullptr;
    QAction* exit_ = nullptr;
    bool added_ = false;
};

} // namespace quorvex
