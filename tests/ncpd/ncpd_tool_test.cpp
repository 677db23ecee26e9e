// SPDX-License-Identifier: GPL-3.0-or-later
// The quorvex-ncpd executable: the first line tells where it listens, it
// serves, refuses to start on an unreadable state or a busy port, and ends
// with status 0 on SIGTERM and SIGINT.

#include "raw_ncp_client.h"

#include "support/sim_server_builder.h"

#include <QProcess>
#include <QTcpServer>
#include <QtTest>

#include <csignal>

namespace {

QString toolPath()
{
    return qEnvironmentVariable("QUORVEX_BUILD_DIR") + QStringLiteral("/quorvex-ncpd");
}

// Starts the tool on a free port; returns the port from its first line, or 0.
quint16 startTool(QProcess& p, const QString& statePath)
{
    p.start(toolPath(), {statePath, QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0")});
    if (!p.waitForStarted(5000) || !QTest::qWaitFor([&] { return p.canReadLine(); }, 10000))
        return 0;
    const QString line = QString::fromUtf8(p.readLine()).trimmed();
    const QString prefix = QStringLiteral("listening on 127.0.0.1:");
    return line.startsWith(prefix) ? quint16(line.mid(prefix.size()).toUInt()) : 0;
}

} // namespace

class NcpdToolTest : public QObject
{
    Q_OBJECT
private slots:
    void servesAndEndsOnSignal_data();
    void servesAndEndsOnSignal();
    void refusesAnUnreadableState();
    void refusesABusyPort();
    void help();
};

void NcpdToolTest::servesAndEndsOnSignal_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void NcpdToolTest::servesAndEndsOnSignal()
{
    QFETCH(int, signal);
    SimServerBuilder b;
    QProcess p;
    const quint16 port = startTool(p, b.write());
    QVERIFY2(port != 0, p.readAllStandardError().constData());
    RawNcpClient c;
    QVERIFY(c.open(port, "ADMIN"));
    const auto version = c.request(0x17, 0x11, QByteArray());
    QVERIFY(version);
    QCOMPARE(version->data.left(3), QByteArray("FS1"));
    ::kill(pid_t(p.processId()), signal);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(c.waitClosed());
}

void NcpdToolTest::refusesAnUnreadableState()
{
    SimServerBuilder b;
    QFile broken(b.write());
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("{ not json");
    broken.close();
    QProcess p;
    p.start(toolPath(), {b.statePath(), QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0")});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 1);
    QVERIFY(p.readAllStandardOutput().isEmpty());
    QVERIFY(p.readAllStandardError().contains(b.statePath().toUtf8()));
}

void NcpdToolTest::refusesABusyPort()
{
    QTcpServer taken;
    QVERIFY(taken.listen(QHostAddress::LocalHost, 0));
    SimServerBuilder b;
    QProcess p;
    p.start(toolPath(), {b.write(), QStringLiteral("--listen"),
                         QStringLiteral("127.0.0.1:%1").arg(taken.serverPort())});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 1);
    QVERIFY(p.readAllStandardOutput().isEmpty());
    QVERIFY(p.readAllStandardError().contains("cannot listen"));
}

void NcpdToolTest::help()
{
    QProcess p;
    p.start(toolPath(), {QStringLiteral("--help")});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(p.readAllStandardOutput().contains("--listen HOST:PORT"));
    p.start(toolPath(),
            {QStringLiteral("state.json"), QStringLiteral("--listen"), QStringLiteral("nowhere")});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 1);
}

QTEST_GUILESS_MAIN(NcpdToolTest)
#include "ncpd_tool_test.moc"
