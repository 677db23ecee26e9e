#pragma once

#include <QObject>

class QSocketNotifier;

namespace quorvex {

// Turns SIGINT and SIGTERM into a Qt signal delivered on the event loop, so the
// program can unload its main window in order and write its settings. The
// signal handler only writes the signal's number into a pipe; a socket notifier
// reads it on the event loop. One instance at a time; destroying it restores
// the previous handlers.
class TerminationSignals : public QObject
{
    Q_OBJECT
public:
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

} // namespace quorvex
