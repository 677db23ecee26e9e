// SPDX-License-Identifier: GPL-3.0-or-later
// Clients that hold sessions without using them: a connection that never sends
// its create request, a session that falls silent, and a create beyond the
// session cap, which a full server answers "no free connection slots".
#include "ncpd/busy_answer.h"
#include "ncpd/ncp_listener.h"
#include "raw_ncp_client.h"
#include "support/sim_server_builder.h"

#include <QtTest>

#include <list>

class NcpdLimitsTest : public QObject
{
    Q_OBJECT
private slots:
    void silentClientsAreClosed();
    void createBeyondTheCapIsAnsweredBusy();
};

void NcpdLimitsTest::silentClientsAreClosed()
{
    SimServerBuilder builder;
    builder.set(QStringLiteral("watchdogSeconds"), 1);
    ncpd::NcpListener listener(builder.write());
    listener.setHandshakeTime(std::chrono::milliseconds(300));
    QString error;
    QVERIFY2(listener.listen(QHostAddress(QHostAddress::LocalHost), 0, &error), qPrintable(error));

    RawNcpClient mute, silent, busy;
    QVERIFY(mute.connectTo(listener.port()));
    QVERIFY(silent.connectTo(listener.port()) && busy.connectTo(listener.port()));
    QVERIFY(silent.create() && busy.create());
    QVERIFY(mute.waitClosed(3000)); // never created: gone after the handshake time
    // The one that keeps asking stays; the silent one goes after the watchdog time.
    for (int i = 0; i < 6; ++i) {
        QTest::qWait(250);
        QVERIFY(busy.request(23, 17, {}));
    }
    QVERIFY(silent.waitClosed(3000));
    QVERIFY(busy.request(23, 17, {}));
    QCOMPARE(listener.sessionCount(), std::size_t(1));
}

void NcpdLimitsTest::createBeyondTheCapIsAnsweredBusy()
{
    SimServerBuilder builder;
    ncpd::NcpListener listener(builder.write());
    listener.setHandshakeTime(std::chrono::minutes(1));
    QString error;
    QVERIFY2(listener.listen(QHostAddress(QHostAddress::LocalHost), 0, &error), qPrintable(error));
    // Connections that never create hold every session (in groups, so that the
    // listen queue keeps up).
    std::list<QTcpSocket> holders;
    while (holders.size() < ncpd::NcpListener::kMaxSessions) {
        for (int i = 0; i < 32; ++i)
            holders.emplace_back().connectToHost(QHostAddress::LocalHost, listener.port());
        QTRY_COMPARE_WITH_TIMEOUT(listener.sessionCount(), holders.size(), 10000);
    }

    RawNcpClient late;
    QVERIFY(late.connectTo(listener.port()));
    const auto busy = late.create();
    QVERIFY2(busy, "the create beyond the cap is answered");
    QCOMPARE(busy->completion, ncpd::BusyAnswer::kNoFreeSlots);
    QVERIFY(late.waitClosed());

    holders.front().abort();
    QTRY_COMPARE_WITH_TIMEOUT(listener.sessionCount(), ncpd::NcpListener::kMaxSessions - 1, 5000);
    RawNcpClient next;
    QVERIFY(next.connectTo(listener.port()));
    const auto created = next.create();
    QVERIFY(created);
    QCOMPARE(created->completion, std::uint8_t(0));
}

QTEST_GUILESS_MAIN(NcpdLimitsTest)
#include "ncpd_limits_test.moc"
