// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace quorvex {

class Form1;

// The periodic rescan and the Stop button: the check box Check1, the seconds box
// Text3, the timer Timer1 and Command9.
class RescanControls : public QObject
{
    Q_OBJECT
public:
    explicit RescanControls(Form1& form);

    void Check1_Click();
    void Text3_Change();
    void Timer1_Timer();
    void Command9_Click();

    // After a completed scan: show the rescan controls and run the timer exactly
    // while the box is ticked.
    void rearm();

    // The seconds a text of the seconds box stands for: its leading digits, 0 when
    // there are none, at most 65.
    static int secondsFromText(const QString& text);
    static constexpr int kMaxSeconds = 65;

protected:
    // Text3_KeyPress: only digits and backspace reach the seconds box.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Form1& form_;
};

} // namespace quorvex
