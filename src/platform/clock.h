// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

namespace quorvex {

// Wall time for stamps and the auto-clear rule; a monotonic clock for deadlines.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;      // local time
    virtual qint64 monotonicMs() const = 0; // milliseconds, only differences count
};

} // namespace quorvex
