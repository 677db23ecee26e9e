// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/termination_signals.h"

#include <QSignalSpy>
#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace quorvex;

class TerminationSignalsTest : public QObject
{
    Q_OBJECT

private slots:
    void signalsArriveOnTheEventLoop();
    void secondSignalEndsAtOnce();
    void previousHandlersComeBack();
};

void TerminationSignalsTest::signalsArriveOnTheEventLoop()
{
    // A signal that comes before the event loop can take it waits for it.
    QVERIFY(TerminationSignals::install());
    QVERIFY(::raise(SIGINT) == 0); // the process survives: the handler only notes it
    QVERIFY(TerminationSignals::requested());
    TerminationSignals termination;
    QVERIFY(termination.isActive());
    QSignalSpy spy(&termination, &TerminationSignals::terminationRequested);
    QCOMPARE(spy.count(), 0); // delivered by the event loop, not in the handler
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.takeFirst().at(0).toInt(), SIGINT);
}

void TerminationSignalsTest::secondSignalEndsAtOnce()
{
    // In a child of its own: the second signal ends the process it arrives in.
    const pid_t child = ::fork();
    if (child == 0) {
        TerminationSignals::install();
        ::raise(SIGTERM);
        if (!TerminationSignals::requested())
            ::_exit(3);
        ::raise(SIGTERM);
        ::_exit(0);
    }
    QVERIFY(child > 0);
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY2(WIFSIGNALED(status), qPrintable(QString::number(status)));
    QCOMPARE(WTERMSIG(status), SIGTERM);
}

namespace {
volatile std::sig_atomic_t g_seen = 0;
void note(int)
{
    g_seen = 1;
}
} // namespace

void TerminationSignalsTest::previousHandlersComeBack()
{
    struct sigaction mine = {};
    mine.sa_handler = note;
    sigemptyset(&mine.sa_mask);
    struct sigaction saved = {};
    ::sigaction(SIGTERM, &mine, &saved);
    {
        TerminationSignals termination;
        QVERIFY(termination.isActive());
    }
    QVERIFY(::raise(SIGTERM) == 0);
    QCOMPARE(int(g_seen), 1);
    ::sigaction(SIGTERM, &saved, nullptr);
    // A second instance can be made once the first is gone.
    TerminationSignals again;
    QVERIFY(again.isActive());
}

QTEST_GUILESS_MAIN(TerminationSignalsTest)
#include "termination_signals_test.moc"
