// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

namespace quorvex {

// SIGINT and SIGTERM end the program in order: the handler notes the signal and
// writes its number into a pipe, and a socket notifier turns it into a Qt signal
// on the event loop, so that the program can stop a scan, write its settings and
// exit. A second termination signal ends the process at once.
//
// The handlers are installed without SA_RESTART: a system call that blocks (the
// open of a FIFO nobody reads, a write to it) returns EINTR, and the program's
// own blocking waits check requested() or watch wakeDescriptor().
class TerminationSignals : public QObject
{
    Q_OBJECT
public:
    // Installs the handlers and the pipe; does nothing when they are in place.
    // Called first thing in main(), before anything can block, so that an early
    // signal waits in the pipe until the event loop takes it.
    static bool install();
    // Restores the handlers found by install() and forgets any signal noted.
    static void uninstall();
    // True from the first termination signal on. Safe anywhere.
    static bool requested();
    // Readable from the first termination signal on; a blocking wait can poll
    // it besides its own descriptor. -1 when the handlers are not installed.
    static int wakeDescriptor();

    // Installs the handlers when needed and delivers the signals noted from then
    // (and any noted before) as terminationRequested(). Destroying it uninstalls.
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // False when the pipe or the handlers could not be set up.
    bool isActive() const { return m_notifier != nullptr; }

signals:
    void terminationRequested(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
};

// Waits up to ms milliseconds, less when a termination signal arrives.
void sleepUnlessTerminating(int ms);

} // namespace quorvex
