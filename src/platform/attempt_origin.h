// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether what the program does now was started by a person (a click, a key,
// the command line) or by the rescan timer. A login a person did not ask for
// must not try a refused password again: every refusal is a strike towards
// the server locking the account.

namespace quorvex {

class AttemptOrigin
{
public:
    bool automatic() const { return automatic_ > 0; }

    // Marks what a timer tick starts, for as long as it lives; a null origin
    // marks nothing.
    class Automatic
    {
    public:
        explicit Automatic(AttemptOrigin* origin) : origin_(origin)
        {
            if (origin_)
                ++origin_->automatic_;
        }
        ~Automatic()
        {
            if (origin_)
                --origin_->automatic_;
        }
        Automatic(const Automatic&) = delete;
        Automatic& operator=(const Automatic&) = delete;

    private:
        AttemptOrigin* origin_;
    };

private:
    int automatic_ = 0;
};

} // namespace quorvex
