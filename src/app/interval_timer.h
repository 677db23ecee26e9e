// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

namespace quorvex {

// A timer with the semantics the rescan relies on: enabled and interval are
// independent, and an interval of 0 never fires, enabled or not (QTimer would
// fire on every event-loop turn).
class IntervalTimer : public QObject
{
    Q_OBJECT
public:
    explicit IntervalTimer(QObject* parent = nullptr);

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);
    int interval() const { return interval_; }
    void setInterval(int milliseconds);
    // True while the timer will fire: enabled with a non-zero interval.
    bool isArmed() const { return timer_.isActive(); }

signals:
    void timeout();

private:
    void apply();

    QTimer timer_;
    bool enabled_ = false;
    int interval_ = 0;
};

} // namespace quorvex
