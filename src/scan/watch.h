// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <memory>

namespace quorvex {

class Form1;
class ActivityLog;
class AutoClear;
class Notifier;
class RescanControls;

// Watching a file over time: rescan controls, activity log, auto-clear and
// notification. The scan calls the steps below, in this order, once it has
// completed; none of them runs after a scan that ended early.
class Watch : public QObject
{
    Q_OBJECT
public:
    explicit Watch(Form1& form);
    ~Watch() override;

    // Writes the activity log when it is enabled. The first write that fails is
    // reported (on standard error without a display, else kept for the pane:
    // takeLogProblem()); the next report comes once the log was written again.
    void logActivity();
    QString takeLogProblem();
    // Clears every listed connection once the auto-clear moment has passed.
    void autoClear();
    // Each checks its own condition (rescan ticked, users found or not, the
    // notify choice), so the scan may call both.
    void notifyFileInUse();
    void notifyFileFree();
    // Shows the rescan controls and runs Timer1 exactly while Check1 is ticked.
    void rearmRescan();

    RescanControls& rescan() const { return *rescan_; }

private:
    Form1& form_;
    std::unique_ptr<RescanControls> rescan_;
    std::unique_ptr<ActivityLog> log_;
    std::unique_ptr<AutoClear> autoClear_;
    std::unique_ptr<Notifier> notifier_;
    bool logFailing_ = false;
    QString logProblem_;
};

} // namespace quorvex
