#include "platform/termination_signals.h"

#include <QSignalSpy>
#include <QtTest>

#include <csignal>

using namespace quorvex;

class TerminationSignalsTest : public QObject
{
    Q_OBJECT

private slots:
    void signalsArriveOnTheEventLoop();
    void previousHandlersComeBack();
};

void TerminationSignalsTest::signalsArriveOnTheEventLoop()
{
    TerminationSignals termination;
    QVERIFY(termination.isActive());
    QSignalSpy spy(&termination, &TerminationSignals::terminationRequested);
    QVERIFY(::raise(SIGTERM) == 0); // the process survives: the handler only notes it
    QCOMPARE(spy.count(), 0);       // delivered by the event loop, not in the handler
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.takeFirst().at(0).toInt(), SIGTERM);
    QVERIFY(::raise(SIGINT) == 0);
    QVERIFY(::raise(SIGINT) == 0);
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 2, 5000);
    QCOMPARE(spy.at(1).at(0).toInt(), SIGINT);
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
