// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clock.h"

namespace quorvex {

// A clock that moves only when the test moves it. advance() moves the wall
// clock and the monotonic clock together; setNow() jumps the wall clock alone
// (as a person changing the system time would).
class ManualClock : public Clock
{
public:
    explicit ManualClock(QDateTime start = QDateTime(QDate(2004, 3, 7), QTime(9, 0)))
        : m_now(std::move(start))
    {
    }

    QDateTime now() const override { return m_now; }
    qint64 monotonicMs() const override { return m_monotonic; }

    void setNow(const QDateTime& now) { m_now = now; }
    void setMonotonicMs(qint64 ms) { m_monotonic = ms; }
    void advanceMs(qint64 ms)
    {
        m_now = m_now.addMSecs(ms);
        m_monotonic += ms;
    }
    void advanceSecs(qint64 seconds) { advanceMs(seconds * 1000); }

private:
    QDateTime m_now;
    qint64 m_monotonic = 1'000'000; // not 0, so code that treats 0 as "unset" is caught
};

} // namespace quorvex
