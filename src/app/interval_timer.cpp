// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/interval_timer.h"

namespace quorvex {

IntervalTimer::IntervalTimer(QObject* parent) : QObject(parent)
{
    connect(&timer_, &QTimer::timeout, this, &IntervalTimer::timeout);
}

void IntervalTimer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    apply();
}

void IntervalTimer::setInterval(int milliseconds)
{
    interval_ = milliseconds < 0 ? 0 : milliseconds;
    apply();
}

void IntervalTimer::apply()
{
    if (enabled_ && interval_ > 0) {
        // Restarting on every change matches a timer whose countdown begins anew
        // when it is re-armed.
        timer_.start(interval_);
    } else {
        timer_.stop();
    }
}

} // namespace quorvex
