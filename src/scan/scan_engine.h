// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/connection_details.h"

#include <QObject>
#include <QString>

namespace quorvex {

class Form1;

// The connection scan of the file chosen in the file browser: asks the server
// which connections have the file open and lists them in the user list.
class ScanEngine : public QObject
{
    Q_OBJECT
public:
    explicit ScanEngine(Form1& form);

    // The Scan button; also run by the rescan timer, a file double-click, a
    // history pick and the command line. While a scan runs (it lets the event
    // loop turn before each client call) a further request is dropped: the
    // running scan goes on untouched.
    void Command1_Click();
    bool isRunning() const { return running_; }

    // How the last scan that was not dropped ended: Completed once the server
    // said the list was exhausted; Failed for every other end (a check, the
    // parse, Stop, the time-out or a client error).
    enum class Outcome
    {
        None,
        Failed,
        Completed
    };
    Outcome lastOutcome() const { return lastOutcome_; }

    // How long the client loop may run, in milliseconds of the monotonic clock.
    static constexpr qint64 kDeadlineMs = 60'000;
    // Added to the widest user line to give the list's horizontal scroll extent.
    static constexpr int kExtentMarginPx = 25;
    // While the client loop runs the window is painted at most this often.
    static constexpr int kPaintIntervalMs = 40;

private:
    class WaitCursor;
    // Steps of one scan; each returns false when the scan ends there.
    bool checkFile(QString& fileName, QString& longPath, QString& clientPath);
    bool parse(WaitCursor& cursor, const QString& fileName, const QString& clientPath,
               QString& volumePath);
    enum class LoopEnd
    {
        Complete,
        Ended,
        WindowGone
    };
    LoopEnd runClientLoop(WaitCursor& cursor, const QString& volumePath, qint64 deadline);
    void complete(WaitCursor& cursor, const QString& longPath);
    void setHorizontalExtent();
    // A line that says why the server of the browser's drive cannot be used
    // (its state file does not read), or empty.
    QString serverProblemLine() const;

    Form1& form_;
    ConnectionDetails details_;
    bool running_ = false;
    Outcome lastOutcome_ = Outcome::None;
};

} // namespace quorvex
