// SPDX-License-Identifier: GPL-3.0-or-later
// The router in front of the backends: a simulated server and one reached over
// NCP side by side, chosen by drive, by server name or by volume; handles and
// directory-services contexts of its own.

#include "ncp/client_router.h"
#include "ncp/wire_writer.h"
#include "support/fake_ncp_server.h"
#include "support/sim_server_builder.h"

#include <QTest>

using namespace nw;
using namespace std::chrono_literals;
using quorvex::FakeNcpPeer;
using quorvex::FakeNcpServer;

namespace {

// FS2 over NCP: volume VOL1 is number 1, nothing else exists.
FakeNcpServer fs2()
{
    return FakeNcpServer([](FakeNcpPeer& peer, int) {
        if (!peer.setUp())
            return;
        while (const auto r = peer.receive(3000)) {
            if (r->type == ncp::kDestroyConnection)
                return;
            if (r->function == 0x17 && r->subfunction == 17)
                peer.reply(*r, 0, quorvex::versionReplyData(4, "FS2"));
            else if (r->function == 0x16 && r->subfunction == 5)
                peer.reply(*r, r->data == "\x04VOL1" ? 0 : 0x98, QByteArray(1, '\1'));
            else
                peer.reply(*r, 0xFF);
        }
    });
}

struct World
{
    explicit World(std::uint16_t port)
    {
        sim.user(QStringLiteral("JSMITH"), QStringLiteral("SALES.ACME"), 1234)
            .file(QStringLiteral("DATA:REPORTS\\Q1.XLS"));
        std::vector<ServerBackend> servers = {
            {QStringLiteral("FS1"), QStringLiteral("sim:") + sim.write()},
            {QStringLiteral("FS2"), QStringLiteral("ncp:127.0.0.1:%1").arg(port)},
            {QStringLiteral("FS3"), QStringLiteral("ncp:fs3:0")},
        };
        router = std::make_unique<ClientRouter>(
            servers,
            [](QChar letter) -> std::optional<NetworkDriveTarget> {
                if (letter == QLatin1Char('F'))
                    return NetworkDriveTarget{"FS1", "DATA", ""};
                if (letter == QLatin1Char('H'))
                    return NetworkDriveTarget{"FS2", "VOL1", "HOME"};
                if (letter == QLatin1Char('K'))
                    return NetworkDriveTarget{"FS3", "SYS", ""};
                return std::nullopt;
            },
            nullptr, ncp::SessionOptions{1000ms, ncp::kReplyLimit});
    }
    QByteArray serverNameOf(NWCONN_HANDLE conn)
    {
        VERSION_INFO v;
        if (router->NWGetFileServerVersionInfo(conn, v) != kSuccess)
            return "?";
        return QByteArray(reinterpret_cast<const char*>(v.bytes.data()));
    }
    SimServerBuilder sim;
    std::unique_ptr<ClientRouter> router;
};

} // namespace

class ClientRouterTest : public QObject
{
    Q_OBJECT

private slots:
    void pathsGoToTheirServersBackend_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("server");
        QTest::addColumn<QByteArray>("volume");
        QTest::addColumn<QByteArray>("dir");
        QTest::newRow("simulated drive") << QByteArray("F:\\REPORTS\\Q1.XLS") << QByteArray("FS1")
                                         << QByteArray("DATA") << QByteArray("REPORTS\\Q1.XLS");
        QTest::newRow("network drive") << QByteArray("H:\\X\\Y.TXT") << QByteArray("FS2")
                                       << QByteArray("VOL1") << QByteArray("HOME\\X\\Y.TXT");
        QTest::newRow("server and volume") << QByteArray("fs2\\vol1:A") << QByteArray("FS2")
                                           << QByteArray("VOL1") << QByteArray("A");
        QTest::newRow("UNC") << QByteArray("\\\\FS2\\VOL1\\A") << QByteArray("FS2")
                             << QByteArray("VOL1") << QByteArray("A");
        QTest::newRow("simulated volume") << QByteArray("DATA:REPORTS") << QByteArray("FS1")
                                          << QByteArray("DATA") << QByteArray("REPORTS");
        QTest::newRow("volume only the network server has")
            << QByteArray("VOL1:A\\B") << QByteArray("FS2") << QByteArray("VOL1")
            << QByteArray("A\\B");
    }
    void pathsGoToTheirServersBackend()
    {
        QFETCH(QByteArray, path);
        auto server = fs2();
        World w(server.port());
        std::array<char, 64> serverName{}, volName{}, dirPath{};
        NWCONN_HANDLE conn = 0;
        QCOMPARE(w.router->NWParsePath(path.constData(), serverName, conn, volName, dirPath),
                 kSuccess);
        QTEST(QByteArray(serverName.data()), "server");
        QTEST(QByteArray(volName.data()), "volume");
        QTEST(QByteArray(dirPath.data()), "dir");
        QTEST(w.serverNameOf(conn), "server"); // the handle reaches that server
    }

    void pathsNoServerTakes_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<NWCCODE>("code");
        QTest::newRow("unmapped drive") << QByteArray("Z:\\A") << kBadPathSyntax;
        QTest::newRow("drive of a server whose value is wrong")
            << QByteArray("K:\\A") << kInvalidConnection;
        QTest::newRow("unknown server") << QByteArray("FS9\\SYS:A") << kBadPathSyntax;
        QTest::newRow("unknown volume") << QByteArray("NOVOL:A") << kBadPathSyntax;
        QTest::newRow("no volume") << QByteArray("A\\B") << kBadPathSyntax;
    }
    void pathsNoServerTakes()
    {
        QFETCH(QByteArray, path);
        QFETCH(NWCCODE, code);
        auto server = fs2();
        World w(server.port());
        std::array<char, 64> serverName{}, volName{}, dirPath{};
        NWCONN_HANDLE conn = 0;
        QCOMPARE(w.router->NWParsePath(path.constData(), serverName, conn, volName, dirPath), code);
    }

    void connectionsByNameHaveTheRoutersOwnHandles()
    {
        auto server = fs2();
        World w(server.port());
        NWCONN_HANDLE a = 0, b = 0, c = 0;
        QCOMPARE(w.router->NWCCOpenConnByName(0, "fs2", 0, 0, 0, a), kSuccess);
        QCOMPARE(w.router->NWCCOpenConnByName(0, "FS1", 0, 0, 0, b), kSuccess);
        QCOMPARE(w.router->NWCCOpenConnByName(0, "FS9", 0, 0, 0, c), kServerUnknown);
        QCOMPARE(w.router->NWCCOpenConnByName(0, "FS3", 0, 0, 0, c), kServerUnknown);
        QVERIFY(a != b);
        QCOMPARE(w.serverNameOf(a), QByteArray("FS2"));
        QCOMPARE(w.serverNameOf(b), QByteArray("FS1"));
        QCOMPARE(w.router->NWCCCloseConn(a), kSuccess);
        QCOMPARE(w.serverNameOf(a), QByteArray("?"));
        QCOMPARE(w.router->NWCCCloseConn(a), kInvalidConnection);
        QCOMPARE(w.serverNameOf(b), QByteArray("FS1"));
    }

    void contextsBelongToTheRouter()
    {
        auto server = fs2();
        World w(server.port());
        NWCONN_HANDLE conn = 0;
        w.router->NWCCOpenConnByName(0, "FS1", 0, 0, 0, conn);
        NWDSContextHandle context = 0;
        QCOMPARE(w.router->NWDSCreateContextHandle(context), kSuccess);
        std::uint32_t id = 0;
        QCOMPARE(w.router->NWDSMapNameToID(context, conn, "JSMITH", id), kDsNoSuchEntry);
        // Set after the backend's context exists: the change reaches it.
        QCOMPARE(w.router->NWDSSetContext(context, DCK_NAME_CONTEXT, "SALES.ACME"), kSuccess);
        QCOMPARE(w.router->NWDSMapNameToID(context, conn, "JSMITH", id), kSuccess);
        QCOMPARE(id, 1234u);
        QCOMPARE(w.router->NWDSFreeContext(context), kSuccess);
        QCOMPARE(w.router->NWDSMapNameToID(context, conn, "JSMITH", id), kDsBadContext);
        QCOMPARE(w.router->NWDSSetContext(context, DCK_NAME_CONTEXT, "X"), kDsBadContext);
    }

    void serverListKeepsTheSettingsOrder()
    {
        auto server = fs2();
        World w(server.port());
        const auto list = w.router->serverList();
        QCOMPARE(list.size(), std::size_t(3));
        QCOMPARE(list[0].name, QStringLiteral("FS1"));
        QVERIFY(list[0].reachable);
        QCOMPARE(list[0].volumes.size(), std::size_t(2));
        QCOMPARE(list[1].name, QStringLiteral("FS2"));
        QVERIFY(list[1].reachable);
        QCOMPARE(list[2].name, QStringLiteral("FS3"));
        QVERIFY(!list[2].reachable);
        QVERIFY(list[2].error.contains(QLatin1String("bad port")));
        QVERIFY(w.router->simServer(QStringLiteral("FS1")));
        QVERIFY(!w.router->simServer(QStringLiteral("FS2")));
        QVERIFY(!w.router->volumeHostDirectory(QStringLiteral("FS1"), "DATA").isEmpty());
        QVERIFY(w.router->volumeHostDirectory(QStringLiteral("FS2"), "VOL1").isEmpty());
        QCOMPARE(w.router->NWCallsInit(nullptr, nullptr), kSuccess);
    }
};

QTEST_GUILESS_MAIN(ClientRouterTest)
#include "client_router_test.moc"
