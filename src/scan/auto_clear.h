// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvex {

class Form1;

// Drops the connection of everyone holding the file once the moment set in the
// Options window has passed. Clearing a connection loses that user's unsaved work,
// so nothing is cleared before the moment, nor when its text does not read.
class AutoClear
{
public:
    explicit AutoClear(Form1& form);

    // Runs after a completed scan; results are not looked at and the user list
    // stays as it is until the next scan.
    void apply();

private:
    Form1& form_;
};

} // namespace quorvex
