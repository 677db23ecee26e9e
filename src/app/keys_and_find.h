// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QKeyEvent;

namespace quorvex {

class Form1;

// The keys the main window answers wherever the focus is inside it (F1 the FAQ,
// F5 refresh, Escape ends the program), seen before any of its controls, and
// the find box that jumps to a user in the user list.
class KeysAndFind : public QObject
{
    Q_OBJECT
public:
    explicit KeysAndFind(Form1& form);
    ~KeysAndFind() override;

    // True when the key was the main window's (and no control is to see it).
    bool Form_KeyDown(const QKeyEvent& key);
    void Text1_Change();
    void Command6_Click();

    // How long a found line stays selected to show where it is.
    static constexpr int kFlashMs = 100;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void flash(int row);

    Form1& form_;
};

} // namespace quorvex
