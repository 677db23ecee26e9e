// SPDX-License-Identifier: GPL-3.0-or-later
// The NetWare client for NCP servers against a scripted server: completion
// codes, the connections-using-a-file cursor, message statuses, sessions that
// end and come back, directory services by server version, the login.

#include "ncp/completion_code.h"
#include "ncp/ncp_client.h"
#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "support/fake_ncp_server.h"

#include <QTest>

using namespace ncp;
using namespace std::chrono_literals;
using quorvex::FakeNcpPeer;
using quorvex::FakeNcpServer;

namespace {

using Handler = std::function<void(FakeNcpPeer&, const Request&, int session)>;

// A server whose sessions set up without login and then answer every request
// through the handler.
FakeNcpServer serve(Handler handler, int sessions = 1, int major = 4)
{
    return FakeNcpServer(
        [handler, major](FakeNcpPeer& peer, int session) {
            if (!peer.setUp(5, major))
                return;
            while (const auto r = peer.receive(3000)) {
                if (r->type == kDestroyConnection)
                    return;
                handler(peer, *r, session);
            }
        },
        sessions);
}

struct Fixture
{
    explicit Fixture(std::uint16_t port)
        : client(std::make_unique<NcpClient>(
              QStringLiteral("FS1"), NcpServerSpec{QStringLiteral("127.0.0.1"), port, {}, {}},
              nw::DriveLookup(), nullptr, SessionOptions{400ms, kReplyLimit}))
    {
        client->NWCCOpenConnByName(0, "FS1", 0, 0, 0, conn);
    }
    // Closes the session (the server's script sees the destroy and ends).
    void done() { client.reset(); }
    std::unique_ptr<NcpClient> client;
    nw::NWCONN_HANDLE conn = 0;
};

bool is(const Request& r, int function, int subfunction)
{
    return r.function == function && r.subfunction == subfunction;
}

QByteArray connectionInfo()
{
    return WireWriter().u32be(0x1001).u16be(1).paddedText("JSMITH", 48).zeros(7).take();
}

} // namespace

class NcpClientTest : public QObject
{
    Q_OBJECT

private slots:
    void completionCodesBecomeClientCodes_data()
    {
        QTest::addColumn<int>("completion");
        for (const int c :
             {0x0A, 0x96, 0x98, 0x9B, 0x9C, 0x9D, 0xA1, 0xA8, 0xC6, 0xFB, 0xFC, 0xFD, 0xFF})
            QTest::newRow(qPrintable(QString::number(c, 16))) << c;
    }
    void completionCodesBecomeClientCodes()
    {
        QFETCH(int, completion);
        auto server = serve([=](FakeNcpPeer& peer, const Request& r, int) {
            peer.reply(r, std::uint8_t(completion));
        });
        Fixture f(server.port());
        std::array<char, 48> name{};
        std::uint16_t type = 0;
        std::uint32_t id = 0;
        std::array<std::uint8_t, 7> time{};
        QCOMPARE(f.client->NWGetConnectionInformation(f.conn, 3, name, type, id, time),
                 nw::NWCCODE(0x8900 | completion));
        nw::NWINET_ADDR address;
        QCOMPARE(f.client->NWGetInetAddr(f.conn, 3, address), nw::NWCCODE(0x8900 | completion));
        QVERIFY(f.client->sessionOpen()); // a refusal is an answer, not a broken session
    }

    void scanFollowsTheServersRecordsToTheEnd()
    {
        auto server = serve([](FakeNcpPeer& peer, const Request& r, int) {
            if (is(r, 0x17, 244))
                peer.reply(r, 0, WireWriter().u8(2).u32le(77).take());
            WireReader in(r.data);
            in.skip(6);
            const std::uint16_t last = in.u16le();
            WireWriter w;
            w.u16le(last == 0 ? 12 : 0).zeros(12).u8(1).u8(1).u16le(last == 0 ? 2 : 1);
            for (int i = 0; i < (last == 0 ? 2 : 1); ++i)
                w.u16le(std::uint16_t(last + i + 1)).u16le(1).u8(8).u8(3).u8(0);
            if (is(r, 0x17, 236))
                peer.reply(r, 0, w.take());
        });
        Fixture f(server.port());
        std::int16_t iter = 0;
        nw::CONN_USING_FILE_SUMMARY summary;
        nw::CONNS_USING_FILE used;
        QCOMPARE(
            f.client->NWScanConnectionsUsingFile(f.conn, 0, "DATA:Q1.XLS", iter, summary, used),
            nw::kSuccess);
        QVERIFY(iter > 0);
        QCOMPARE(used.connCount, 2);
        QCOMPARE(summary.locked, 1);
        QCOMPARE(
            f.client->NWScanConnectionsUsingFile(f.conn, 0, "DATA:Q1.XLS", iter, summary, used),
            nw::kSuccess);
        QCOMPARE(used.connCount, 1);
        QCOMPARE(used.connInfo[0].connNumber, 13);
        QCOMPARE(
            f.client->NWScanConnectionsUsingFile(f.conn, 0, "DATA:Q1.XLS", iter, summary, used),
            nw::kNoMoreEntries);
        QCOMPARE(used.connCount, 0);
        f.client->NWCCCloseConn(f.conn);
        f.done();
        server.wait();
        const auto log = server.requests().at(0);
        QCOMPARE(log.size(), std::size_t(6)); // create, version, 244, 236 twice, destroy
        QVERIFY(is(log[2], 0x17, 244));
        QCOMPARE(log[2].data, QByteArray("\x00\x0B"
                                         "DATA:Q1.XLS",
                                         13));
        QCOMPARE(log[3].data, WireWriter().u8(0).u8(2).u32le(77).u16le(0).take());
        QCOMPARE(log[4].data, WireWriter().u8(0).u8(2).u32le(77).u16le(12).take());
    }

    void broadcastStatusesBecomeResults()
    {
        auto server = serve([](FakeNcpPeer& peer, const Request& r, int) {
            WireWriter w;
            w.u16le(5);
            for (std::uint32_t s : {0u, 1u, 2u, 3u, 4u})
                w.u32le(s);
            peer.reply(r, 0, w.take());
        });
        Fixture f(server.port());
        const std::uint32_t list[5] = {1, 2, 3, 4, 70000};
        std::uint8_t results[5] = {9, 9, 9, 9, 9};
        QCOMPARE(f.client->NWSendBroadcastMessage(f.conn, "Hello", 5, list, results),
                 nw::kBadStationNumber);
        const std::uint8_t expected[5] = {0, 0xFD, 0xFD, 0xFC, 0xFC};
        QCOMPARE(QByteArray(reinterpret_cast<char*>(results), 5),
                 QByteArray(reinterpret_cast<const char*>(expected), 5));
    }

    void endedSessionReportsInvalidConnectionAndTheNextCallReconnects_data()
    {
        QTest::addColumn<int>("fault"); // 0 bad connection, 3 silence
        QTest::newRow("connection bad") << 0;
        QTest::newRow("no reply in time") << 3;
    }
    void endedSessionReportsInvalidConnectionAndTheNextCallReconnects()
    {
        QFETCH(int, fault);
        auto server = serve(
            [=](FakeNcpPeer& peer, const Request& r, int session) {
                if (session == 1)
                    peer.reply(r, 0, connectionInfo());
                else if (fault == 0)
                    peer.reply(r, 0, connectionInfo(), kStatusBadConnection);
            },
            2);
        Fixture f(server.port());
        std::array<char, 48> name{};
        std::uint16_t type = 0;
        std::uint32_t id = 0;
        std::array<std::uint8_t, 7> time{};
        QCOMPARE(f.client->NWGetConnectionInformation(f.conn, 3, name, type, id, time),
                 nw::kInvalidConnection);
        QVERIFY(!f.client->sessionOpen());
        QCOMPARE(f.client->NWGetConnectionInformation(f.conn, 3, name, type, id, time),
                 nw::kSuccess);
        QCOMPARE(QByteArray(name.data()), QByteArray("JSMITH"));
        QCOMPARE(id, 0x1001u);
        QCOMPARE(server.sessionsAccepted(), 2);
    }

    void replyThatDoesNotFitFailsOneCall()
    {
        // Too short, then past the reserved byte some servers add, then whole
        // after a server broadcast frame that answers nothing.
        auto replies = std::make_shared<int>(0);
        auto server = serve([replies](FakeNcpPeer& peer, const Request& r, int) {
            int& n = *replies;
            if (n == 0)
                peer.reply(r, 0, connectionInfo().chopped(1));
            else if (n == 1)
                peer.reply(r, 0, connectionInfo() + QByteArray(2, '\0'));
            if (n == 2) {
                Reply broadcast;
                broadcast.type = kServerBroadcast;
                broadcast.sequence = 0x42;
                peer.sendRaw(encodeReply(broadcast));
                peer.reply(r, 0, connectionInfo());
            }
            ++n;
        });
        Fixture f(server.port());
        std::array<char, 48> name{};
        std::uint16_t type = 0;
        std::uint32_t id = 0;
        std::array<std::uint8_t, 7> time{};
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(f.client->NWGetConnectionInformation(f.conn, 3, name, type, id, time),
                     nw::NWCCODE(0x8816));
            QVERIFY(f.client->sessionOpen());
        }
        QCOMPARE(f.client->NWGetConnectionInformation(f.conn, 3, name, type, id, time),
                 nw::kSuccess);
        QCOMPARE(QByteArray(name.data()), QByteArray("JSMITH"));
        QCOMPARE(server.sessionsAccepted(), 1);
    }

    void trusteePathListEndsAsServersEndIt_data()
    {
        QTest::addColumn<int>("form"); // 0: eight zero bytes, 1: 0x9C, 2: next sequence 0
        QTest::newRow("empty entry, object 0") << 0;
        QTest::newRow("completion 0x9C") << 1;
        QTest::newRow("last path says none follow") << 2;
    }
    void trusteePathListEndsAsServersEndIt()
    {
        QFETCH(int, form);
        auto server = serve([form](FakeNcpPeer& peer, const Request& r, int) {
            const std::uint16_t sequence = WireReader(r.data.mid(1, 2)).u16be();
            if (sequence == 0xFFFF)
                peer.reply(r, 0,
                           WireWriter()
                               .u16be(form == 2 ? 0 : 1)
                               .u32be(0x1002)
                               .u8(0xFB)
                               .lengthPrefixed("DATA:REPORTS")
                               .take());
            else if (form == 0)
                peer.reply(r, 0, QByteArray(8, '\0'));
            else
                peer.reply(r, 0x9C);
        });
        Fixture f(server.port());
        std::uint16_t iter = 0xFFFF;
        std::uint8_t rights = 0;
        std::array<char, 512> path{};
        QCOMPARE(f.client->NWScanObjectTrusteePaths(f.conn, 0x1002, 1, iter, rights, path),
                 nw::kSuccess);
        QCOMPARE(QByteArray(path.data()), QByteArray("DATA:REPORTS"));
        QCOMPARE(f.client->NWScanObjectTrusteePaths(f.conn, 0x1002, 1, iter, rights, path),
                 nw::kInvalidPath);
        QCOMPARE(path[0], '\0');
        QVERIFY(f.client->sessionOpen());
        f.done();
        server.wait();
        // create, version, one or two 23/71, destroy: "none follow" saves the second.
        QCOMPARE(server.requests().at(0).size(), std::size_t(form == 2 ? 4 : 5));
    }

    void directoryTrusteesGoByBlocksAndEnd_data()
    {
        QTest::addColumn<int>("end"); // completion of the third block; 0: an empty block
        QTest::newRow("0x9C") << 0x9C;
        QTest::newRow("no entries") << 0;
    }
    void directoryTrusteesGoByBlocksAndEnd()
    {
        QFETCH(int, end);
        auto server = serve([end](FakeNcpPeer& peer, const Request& r, int) {
            const int block = std::uint8_t(r.data.at(1));
            const int count = block == 0 ? 20 : block == 1 ? 1 : 0;
            if (count == 0 && end != 0)
                return peer.reply(r, std::uint8_t(end));
            WireWriter w;
            w.u8(std::uint8_t(count));
            for (int i = 0; i < 20; ++i)
                w.u32be(i < count ? std::uint32_t(0x100 + block * 20 + i) : 0);
            for (int i = 0; i < count; ++i)
                w.u16le(1);
            peer.reply(r, 0, w.take());
        });
        Fixture f(server.port());
        std::uint32_t iter = 0;
        std::array<char, 256> name{};
        std::uint32_t when = 0, owner = 0;
        std::array<nw::TRUSTEE_INFO, 20> trustees{};
        const auto next = [&] {
            return f.client->NWScanDirectoryForTrustees2(f.conn, 0, "DATA:REPORTS", iter, name,
                                                         when, owner, trustees);
        };
        QCOMPARE(next(), nw::kSuccess);
        QCOMPARE(next(), nw::kSuccess);
        QCOMPARE(trustees[0].objectID, 0x114u); // the 21st trustee, in the second block
        QCOMPARE(trustees[1].objectID, 0u);
        QCOMPARE(next(), nw::kInvalidPath);
        f.done();
        server.wait();
        const auto log = server.requests().at(0);
        for (int block = 0; block < 3; ++block)
            QCOMPARE(int(std::uint8_t(log[2 + std::size_t(block)].data.at(1))), block);
    }

    void olderFormsWhereTheServerWantsThem()
    {
        auto server = serve([](FakeNcpPeer& peer, const Request& r, int) {
            if (is(r, 0x17, 254) || is(r, 0x15, 10))
                peer.reply(r, 0xFB);
            else if (is(r, 0x15, 0))
                peer.reply(r, 0, QByteArray("\x02\x00\xFC", 3));
            else
                peer.reply(r, 0);
        });
        Fixture f(server.port());
        QCOMPARE(f.client->NWClearConnectionNumber(f.conn, 5), nw::kSuccess);
        QCOMPARE(f.client->NWClearConnectionNumber(f.conn, 6), nw::kSuccess);
        QCOMPARE(f.client->NWClearConnectionNumber(f.conn, 300), nw::kBadStationNumber);
        const std::uint32_t list[3] = {3, 300, 4};
        std::uint8_t results[3] = {9, 9, 9};
        const QByteArray message(70, 'm');
        QCOMPARE(f.client->NWSendBroadcastMessage(f.conn, message.constData(), 3, list, results),
                 nw::kBadStationNumber);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(results), 3), QByteArray("\x00\xFD\xFC", 3));
        f.done();
        server.wait();
        const auto log = server.requests().at(0);
        QCOMPARE(log.size(), std::size_t(8)); // 254, 210, 210, 21/10, 21/0 between set-up and end
        QVERIFY(is(log[2], 0x17, 254));
        QCOMPARE(log[2].data, QByteArray("\x05\x00\x00\x00", 4)); // little-endian, as ncpfs
        QVERIFY(is(log[3], 0x17, 210) && log[3].data == QByteArray(1, '\x05'));
        QVERIFY(is(log[4], 0x17, 210) && log[4].data == QByteArray(1, '\x06'));
        QVERIFY(is(log[5], 0x15, 10));
        QVERIFY(is(log[6], 0x15, 0));
        QCOMPARE(log[6].data, QByteArray("\x02\x03\x04\x3A", 4) + message.left(58));
    }

    void fileEntryFromTheNameSpaceWhereThePathLookUpIsRefused()
    {
        auto server = serve([](FakeNcpPeer& peer, const Request& r, int) {
            if (is(r, 0x17, 244))
                peer.reply(r, 0xFF);
            else if (is(r, 0x16, 5))
                peer.reply(r, 0, QByteArray(1, '\x01'));
            else if (is(r, 0x57, 6))
                peer.reply(r, 0,
                           WireWriter()
                               .zeros(48)
                               .u32le(0x99)
                               .u32le(0x1234)
                               .u32le(1)
                               .zeros(16)
                               .lengthPrefixed("Q1.XLS")
                               .take());
            else
                peer.reply(r, 0, WireWriter().zeros(16).u16le(0).take());
        });
        Fixture f(server.port());
        for (int scan = 0; scan < 2; ++scan) {
            std::int16_t iter = 0;
            nw::CONN_USING_FILE_SUMMARY summary;
            nw::CONNS_USING_FILE used;
            QCOMPARE(f.client->NWScanConnectionsUsingFile(f.conn, 0, "DATA:REPORTS\\Q1.XLS", iter,
                                                          summary, used),
                     nw::kSuccess);
        }
        f.done();
        server.wait();
        const auto log = server.requests().at(0);
        // 23/244 once; then 87/6 and 23/236 for each scan (the volume's
        // number comes with the entry's).
        QCOMPARE(log.size(), std::size_t(8));
        QVERIFY(is(log[2], 0x17, 244) && is(log[3], 0x57, 6) && is(log[5], 0x57, 6));
        QCOMPARE(log[3].data,
                 WireWriter()
                     .u8(0)
                     .u8(0)
                     .u16le(0x16)
                     .u32le(0x0401) // the name and the directory block
                     .u8(0)
                     .u32le(0)
                     .u8(0xFF) // no handle: the volume's name comes first
                     .u8(3)
                     .lengthPrefixed("DATA")
                     .lengthPrefixed("REPORTS")
                     .lengthPrefixed("Q1.XLS")
                     .take());
        // 23/236 takes the DOS directory number, as ncpfs feeds it.
        QCOMPARE(log[4].data, WireWriter().u8(0).u8(1).u32le(0x1234).u16le(0).take());
    }

    void scanCursorDoesNotOutliveItsSession()
    {
        auto server = serve(
            [](FakeNcpPeer& peer, const Request& r, int session) {
                if (is(r, 0x17, 244))
                    peer.reply(r, 0, WireWriter().u8(2).u32le(77).take());
                else if (session == 0 && r.function != 0x08)
                    peer.reply(r, 0, WireWriter().u16le(4).zeros(16).take());
                else
                    peer.reply(r, 0, {}, kStatusBadConnection);
            },
            2);
        Fixture f(server.port());
        std::int16_t iter = 0;
        nw::CONN_USING_FILE_SUMMARY summary;
        nw::CONNS_USING_FILE used;
        QCOMPARE(f.client->NWScanConnectionsUsingFile(f.conn, 0, "V:F", iter, summary, used),
                 nw::kSuccess);
        QCOMPARE(f.client->NWClearFileLockSet(f.conn), nw::kInvalidConnection);
        QVERIFY(!f.client->sessionOpen());
        // Record 4 belonged to the ended session; the scan must start again.
        QCOMPARE(f.client->NWScanConnectionsUsingFile(f.conn, 0, "V:F", iter, summary, used),
                 nw::kInvalidConnection);
        QCOMPARE(f.client->NWScanConnectionsUsingFile(f.conn, 0, "V:F", iter, summary, used),
                 nw::kNoMoreEntries);
    }

    void volumeNumbersAreAskedOncePerSession()
    {
        // Session 0: DATA is volume 1; a scan's path look-up then says 2; a
        // request refused with "no such volume"; then the session goes bad.
        // Session 1 answers volume 3.
        auto server = serve(
            [](FakeNcpPeer& peer, const Request& r, int session) {
                if (is(r, 0x16, 5) && r.data.contains("NOPE"))
                    peer.reply(r, 0x98);
                else if (is(r, 0x16, 5))
                    peer.reply(r, 0, WireWriter().u8(session == 0 ? 1 : 3).take());
                else if (is(r, 0x17, 244))
                    peer.reply(r, 0, WireWriter().u8(2).u32le(77).take());
                else if (is(r, 0x17, 236))
                    peer.reply(r, 0, WireWriter().zeros(16).u16le(0).take());
                else if (is(r, 0x17, 28))
                    peer.reply(r, 0x98);
                else
                    peer.reply(r, 0, {}, kStatusBadConnection);
            },
            2);
        Fixture f(server.port());
        const auto volume = [&f](const char* name) {
            std::uint16_t number = 0;
            const nw::NWCCODE code = f.client->NWGetVolumeNumber(f.conn, name, number);
            return code == nw::kSuccess ? int(number) : -int(code);
        };
        QCOMPARE(volume("DATA"), 1);
        QCOMPARE(volume("data"), 1); // the same volume, not asked again
        QCOMPARE(volume("NOPE"), -int(nw::kVolumeDoesNotExist));
        QCOMPARE(volume("DATA"), 1); // a volume this server never had moves no other
        std::int16_t iter = 0;
        nw::CONN_USING_FILE_SUMMARY summary;
        nw::CONNS_USING_FILE used;
        QCOMPARE(
            f.client->NWScanConnectionsUsingFile(f.conn, 0, "DATA:Q1.XLS", iter, summary, used),
            nw::kSuccess);
        QCOMPARE(volume("DATA"), 2); // what the path look-up said
        std::array<char, 48> name{};
        std::uint16_t type = 0;
        std::uint32_t id = 0;
        std::array<std::uint8_t, 7> time{};
        QCOMPARE(f.client->NWGetConnectionInformation(f.conn, 3, name, type, id, time),
                 nw::kVolumeDoesNotExist);
        QCOMPARE(volume("DATA"), 1); // asked again after "no such volume"
        QCOMPARE(f.client->NWClearFileLockSet(f.conn), nw::kInvalidConnection);
        QCOMPARE(volume("DATA"), 3); // a new session asks again
        QCOMPARE(volume("DATA"), 3);
        f.done();
        server.wait();
        const auto sessions = server.requests();
        const auto count = [](const std::vector<Request>& log) {
            return std::count_if(log.begin(), log.end(),
                                 [](const Request& r) { return is(r, 0x16, 5); });
        };
        QCOMPARE(sessions.size(), std::size_t(2));
        QCOMPARE(count(sessions[0]), 3); // DATA, NOPE, DATA after "no such volume"
        QCOMPARE(count(sessions[1]), 1);
    }

    void unknownHandleAndUnreachableServer()
    {
        std::uint16_t port = 0;
        {
            FakeNcpServer closed([](FakeNcpPeer&, int) {}, 0);
            port = closed.port();
        }
        Fixture f(port);
        nw::VERSION_INFO version;
        QCOMPARE(f.client->NWGetFileServerVersionInfo(f.conn + 1, version), nw::kInvalidConnection);
        QCOMPARE(f.client->NWGetFileServerVersionInfo(f.conn, version), nw::kInvalidConnection);
        QVERIFY(f.client->lastError().contains(QLatin1String("cannot connect")));
        nw::NWCONN_HANDLE other = 0;
        QCOMPARE(f.client->NWCCOpenConnByName(0, "FS2", 0, 0, 0, other), nw::kServerUnknown);
    }

    void objectConnectionsFallBackToTheOlderForm()
    {
        // A server that knows only 23/21: its byte list is taken instead.
        auto server = serve([](FakeNcpPeer& peer, const Request& r, int) {
            if (is(r, 0x17, 27))
                peer.reply(r, 0xFB);
            else
                peer.reply(r, 0, QByteArray("\x03\x09\x02\xFF", 4));
        });
        Fixture f(server.port());
        std::array<std::uint16_t, 8> list{};
        std::uint16_t count = 0;
        QCOMPARE(f.client->NWGetObjectConnectionNumbers(f.conn, "jsmith", 1, count, list),
                 nw::kSuccess);
        QCOMPARE(count, 3);
        QCOMPARE(QList<std::uint16_t>(list.begin(), list.begin() + 3),
                 (QList<std::uint16_t>{2, 9, 255}));
        f.client->NWCCCloseConn(f.conn);
        f.done();
        server.wait();
        const auto log = server.requests().at(0);
        QVERIFY(is(log[3], 0x17, 21));
        QCOMPARE(log[3].data, WireWriter().u16be(1).lengthPrefixed("JSMITH").take());
    }

    void openFilesAnswersThatDoNotHoldTogetherFailTheCall_data()
    {
        QTest::addColumn<QByteArray>("answer");
        // One record: task 1, volume 1, parent 2, entry 3, name "A".
        const QByteArray record =
            WireWriter().u16le(1).zeros(3).u8(1).u32le(2).u32le(3).u8(1).u8(0).u8(1).take() + "A";
        QTest::newRow("fewer records than counted")
            << WireWriter().u16le(0).u16le(2).take() + record;
        QTest::newRow("more records than counted")
            << WireWriter().u16le(0).u16le(1).take() + record + record;
        QTest::newRow("a name cut short")
            << WireWriter().u16le(0).u16le(1).take() + record.chopped(1);
        QByteArray many = WireWriter().u16le(9).u16le(40).take();
        for (int i = 0; i < 40; ++i)
            many += record;
        QTest::newRow("more than the control keeps") << many;
    }
    void openFilesAnswersThatDoNotHoldTogetherFailTheCall()
    {
        QFETCH(QByteArray, answer);
        auto server =
            serve([answer](FakeNcpPeer& peer, const Request& r, int) { peer.reply(r, 0, answer); });
        Fixture f(server.port());
        std::int16_t iter = 0;
        nw::OPEN_FILE_CONN_CTRL control;
        nw::OPEN_FILE_CONN file;
        QCOMPARE(f.client->NWScanOpenFilesByConn2(f.conn, 4, iter, control, file),
                 ncp::kInvalidReplyLength);
        QVERIFY(f.client->sessionOpen());
    }

    void bindery_serverGetsNoDirectoryRequests()
    {
        auto server =
            serve([](FakeNcpPeer& peer, const Request& r, int) { peer.reply(r, 0xFB); }, 1, 3);
        Fixture f(server.port());
        nw::NWDSContextHandle context = 0;
        QCOMPARE(f.client->NWDSCreateContextHandle(context), nw::kSuccess);
        std::uint32_t id = 0;
        QCOMPARE(f.client->NWDSMapNameToID(context, f.conn, "ADMIN.ACME", id), nw::kDsNotSupported);
        std::array<char, 256> name{};
        QCOMPARE(f.client->NWDSMapIDToName(context, f.conn, 1, name), nw::kDsNotSupported);
        QCOMPARE(f.client->NWDSMapNameToID(context + 1, f.conn, "X", id), nw::kDsBadContext);
        f.done();
        server.wait();
        const auto log = server.requests().at(0);
        QCOMPARE(log.size(), std::size_t(3)); // create, version, destroy
        for (const Request& r : log)
            QVERIFY(r.function != 0x68);
    }

    void directoryLookUps_data()
    {
        QTest::addColumn<int>("completion");
        QTest::addColumn<int>("dsError");
        QTest::addColumn<nw::NWCCODE>("expected");
        QTest::newRow("found") << 0 << 0 << nw::kSuccess;
        QTest::newRow("no such entry") << 0 << -601 << nw::kDsNoSuchEntry;
        QTest::newRow("other directory error") << 0 << -634 << nw::NWCCODE(-634);
        QTest::newRow("not supported") << 0xFB << 0 << nw::kDsNotSupported;
        QTest::newRow("access denied") << 0xA8 << 0 << nw::kAccessDenied;
    }
    void directoryLookUps()
    {
        QFETCH(int, completion);
        QFETCH(int, dsError);
        QFETCH(nw::NWCCODE, expected);
        auto server = serve([=](FakeNcpPeer& peer, const Request& r, int) {
            WireReader in(r.data);
            in.skip(16);
            const std::uint32_t verb = in.u32le();
            const QByteArray verbData =
                verb == 1 ? WireWriter().u32le(1).u32be(0x0A0B0C0D).take()
                          : WireWriter().u32le(8).bytes(QByteArray("A\0.\0B\0\0\0", 8)).take();
            peer.reply(r, std::uint8_t(completion),
                       WireWriter()
                           .u32le(std::uint32_t(8 + verbData.size()))
                           .u32le(0xFFFFFFFF)
                           .u32le(std::uint32_t(dsError))
                           .bytes(verbData)
                           .take());
        });
        Fixture f(server.port());
        nw::NWDSContextHandle context = 0;
        f.client->NWDSCreateContextHandle(context);
        QCOMPARE(f.client->NWDSSetContext(context, nw::DCK_NAME_CONTEXT, "SALES.ACME"),
                 nw::kSuccess);
        std::uint32_t id = 0;
        QCOMPARE(f.client->NWDSMapNameToID(context, f.conn, "JSMITH", id), expected);
        if (expected == nw::kSuccess)
            QCOMPARE(id, 0x0A0B0C0Du);
        std::array<char, 256> name{};
        QCOMPARE(f.client->NWDSMapIDToName(context, f.conn, 0x01020304, name), expected);
        if (expected == nw::kSuccess)
            QCOMPARE(QByteArray(name.data()), QByteArray("A.B"));
        f.done();
        server.wait();
        const auto log = server.requests().at(0);
        QVERIFY(log.size() >= 4);
        // The name resolved against the context, in UTF-16LE after its byte length.
        const QByteArray resolve = log[2].data;
        QCOMPARE(WireReader(resolve.mid(36, 4)).u32le(), 36u);
        QCOMPARE(resolve.mid(40, 36),
                 QByteArray("J\0S\0M\0I\0T\0H\0.\0S\0A\0L\0E\0S\0.\0A\0C\0M\0E\0"
                            "\0\0",
                            36));
        QCOMPARE(log[3].data.mid(36, 4), QByteArray("\x01\x02\x03\x04", 4));
    }
};

QTEST_GUILESS_MAIN(NcpClientTest)
#include "ncp_client_test.moc"
