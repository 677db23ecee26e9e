// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QDialog;

namespace quorvex {

class Form1;

// Shows a window modally with the rescan paused: Timer1 is stopped if it runs and
// started again when the window closes only if it was running, so a rescan that
// was off stays off and none fires while the window is open.
void showModalPausingRescan(Form1& form, QDialog& dialog);

// The Options, Info and About buttons: each opens its window modally with the rescan paused.
class DialogButtons : public QObject
{
    Q_OBJECT
public:
    explicit DialogButtons(Form1& form);

    void Command17_Click();
    void Command18_Click();
    void Command7_Click();

private:
    Form1& form_;
};

} // namespace quorvex
