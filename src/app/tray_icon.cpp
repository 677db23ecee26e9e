// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tray_icon.h"

#include <QCursor>
#include <QMenu>
#include <QWidget>

namespace quorvex {

TrayIcon::TrayIcon(QWidget& window, std::function<void()> exitRequested)
    : QObject(&window), window_(window), exitRequested_(std::move(exitRequested))
{
    // The menu is a child of the window, never on a menu bar; it is opened by
    // hand so that it only appears while the window is minimised.
    menu_ = new QMenu(&window_);
    menu_->setObjectName(QStringLiteral("mnu_1"));
    restore_ = menu_->addAction(QStringLiteral("&Restore"));
    restore_->setObjectName(QStringLiteral("mPopRestore"));
    exit_ = menu_->addAction(QStringLiteral("&Exit"));
    exit_->setObjectName(QStringLiteral("mPopExit"));
    connect(restore_, &QAction::triggered, this, &TrayIcon::mPopRestore_Click);
    connect(exit_, &QAction::triggered, this, &TrayIcon::mPopExit_Click);

    icon_ = new QSystemTrayIcon(this);
    icon_->setToolTip(QStringLiteral(" Quorvex "));
    connect(
        icon_, &QSystemTrayIcon::activated, this,
        [this](QSystemTrayIcon::ActivationReason reason) { Form_MouseMove(actionFor(reason)); });
}

TrayIcon::~TrayIcon()
{
    remove();
}

bool TrayIcon::isAvailable() const
{
    return available_ ? available_() : QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::setAvailability(std::function<bool()> available)
{
    available_ = std::move(available);
}

void TrayIcon::add()
{
    icon_->setIcon(window_.windowIcon());
    if (QSystemTrayIcon::isSystemTrayAvailable())
        icon_->show();
    added_ = true;
}

void TrayIcon::remove()
{
    if (icon_)
        icon_->hide();
    added_ = false;
}

QString TrayIcon::toolTip() const
{
    return icon_->toolTip();
}

int TrayIcon::actionFor(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return kLeftButtonUp;
    case QSystemTrayIcon::DoubleClick:
        return kLeftDoubleClick;
    case QSystemTrayIcon::Context:
        return kRightButtonUp;
    default:
        return 0;
    }
}

void TrayIcon::Form_MouseMove(int action)
{
    if (!window_.isMinimized())
        return;
    switch (action) {
    case kLeftButtonUp:
    case kLeftDoubleClick:
        restore();
        break;
    case kRightButtonUp:
        window_.activateWindow();
        menu_->popup(QCursor::pos());
        break;
    default:
        break;
    }
}

void TrayIcon::mPopRestore_Click()
{
    restore();
}

void TrayIcon::mPopExit_Click()
{
    if (exitRequested_)
        exitRequested_();
}

void TrayIcon::restore()
{
    window_.setWindowState(Qt::WindowNoState);
    window_.show();
    window_.raise();
    window_.activateWindow();
}

} // namespace quorvex
