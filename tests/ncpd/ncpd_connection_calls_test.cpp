// SPDX-License-Identifier: GPL-3.0-or-later
// Requests about files in use and connections, answered over the wire as the
// in-process simulation answers the same call on the same state file.

#include "ncpd_fixture.h"
#include "raw_ncp_client.h"

#include "ncp/completion_code.h"
#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "netware/sim_state_reader.h"

#include <QtTest>

using ncp::WireReader;
using ncp::WireWriter;

namespace {

const QByteArray kQ1 = "DATA:REPORTS\\Q1.XLS";

struct Entry
{
    std::uint16_t conn, task;
    std::uint8_t lockType, access, lockFlag;
    bool operator==(const Entry&) const = default;
};

// A 104/2 request with one verb and its parameters.
} // namespace

class NcpdConnectionCallsTest : public QObject
{
    Q_OBJECT
private slots:
    void versionInfo();
    void scanOfAFile();
    void scanOfAFileWithEmptyBatches();
    void scanRefusals();
    void faults_data();
    void faults();
    void connectionInfoAndAddress_data();
    void connectionInfoAndAddress();
    void broadcastStatuses();
    void clearConnection_data();
    void clearConnection();
    void clearingOwnConnectionEndsTheHandle();
    void olderFormsAndTheEmulatorsRefusals();
};

void NcpdConnectionCallsTest::versionInfo()
{
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    const auto reply = c.request(0x17, 0x11, QByteArray());
    QCOMPARE(reply->data.size(), 128);
    auto sim = f.builder.client();
    nw::VERSION_INFO info;
    QCOMPARE(sim->NWGetFileServerVersionInfo(simHandle(*sim), info), nw::kSuccess);
    QCOMPARE(reply->data.left(50),
             QByteArray(reinterpret_cast<const char*>(info.bytes.data()), 50));
    WireReader in(reply->data);
    in.seek(50);
    QCOMPARE(in.u16be(), std::uint16_t(250)); // max connections: a count a client can walk
    QCOMPARE(in.u16be(), std::uint16_t(3));   // in use
    QCOMPARE(in.u16be(), std::uint16_t(2));   // volumes
    QCOMPARE(in.u8(), std::uint8_t(0));       // revision
    QCOMPARE(in.u8(), std::uint8_t(2));       // SFT level
    QCOMPARE(in.u8(), std::uint8_t(1));       // TTS level
    QCOMPARE(in.u16be(), std::uint16_t(3));   // peak
    in.seek(70);
    QCOMPARE(in.u16be(), std::uint16_t(6)); // product version 6.5.0
    QCOMPARE(in.u16be(), std::uint16_t(5));
    QCOMPARE(in.u16be(), std::uint16_t(0));

    // The maximum never hides a connection numbered above it; a recorded
    // peak stands above the connections in use.
    f.builder.connection(400, QStringLiteral("BOB")).set(QStringLiteral("peakConnections"), 9);
    f.builder.write();
    QTest::qWait(20); // past the server's look-again window
    const QByteArray raised = c.request(0x17, 0x11, QByteArray())->data;
    WireReader again(raised);
    again.seek(50);
    QCOMPARE(again.u16be(), std::uint16_t(400));
    again.seek(59);
    QCOMPARE(again.u16be(), std::uint16_t(9));
}

void NcpdConnectionCallsTest::scanOfAFile()
{
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    const auto located = c.request(0x17, 0xF4, WireWriter().u8(0).lengthPrefixed(kQ1).take());
    QCOMPARE(located->completion, std::uint8_t(0));
    WireReader loc(located->data);
    const std::uint8_t volume = loc.u8();
    const std::uint32_t entry = loc.u32le();
    QCOMPARE(volume, std::uint8_t(1));
    QVERIFY(entry != 0);

    std::vector<Entry> wire;
    std::uint16_t last = 0;
    std::array<std::uint16_t, 6> counts{};
    int rounds = 0;
    do {
        const auto reply =
            c.request(0x17, 0xEC, WireWriter().u8(0).u8(volume).u32le(entry).u16le(last).take());
        QVERIFY(reply);
        QCOMPARE(reply->completion, std::uint8_t(0));
        WireReader in(reply->data);
        last = in.u16le();
        for (auto& n : counts)
            n = std::max(n, in.u16le());
        in.skip(2);
        const std::uint16_t n = in.u16le();
        QVERIFY(n <= 2); // batchSize
        for (std::uint16_t i = 0; i < n; ++i)
            wire.push_back(Entry{in.u16le(), in.u16le(), in.u8(), in.u8(), in.u8()});
        QVERIFY(in.ok() && in.atEnd());
    } while (last != 0 && ++rounds < 10);

    auto sim = f.builder.client();
    const auto conn = simHandle(*sim);
    std::vector<Entry> local;
    std::int16_t iter = 0;
    nw::CONN_USING_FILE_SUMMARY summary;
    nw::CONNS_USING_FILE used;
    while (sim->NWScanConnectionsUsingFile(conn, 0, kQ1.constData(), iter, summary, used) == 0)
        for (int i = 0; i < used.connCount; ++i) {
            const auto& e = used.connInfo[std::size_t(i)];
            local.push_back(
                Entry{e.connNumber, e.taskNumber, e.lockType, e.accessControl, e.lockFlag});
        }
    QCOMPARE(wire.size(), std::size_t(4));
    QVERIFY(wire == local);
    QCOMPARE(counts[0], summary.useCount);
    QCOMPARE(counts[1], summary.openCount);
    QCOMPARE(counts[3], summary.openForWriteCount);
}

void NcpdConnectionCallsTest::scanOfAFileWithEmptyBatches()
{
    NcpdFixture f;
    f.builder.set(QStringLiteral("emptyBatches"), 1);
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    const auto located = c.request(0x17, 0xF4, WireWriter().u8(0).lengthPrefixed(kQ1).take());
    const std::uint32_t entry = WireReader(located->data.mid(1)).u32le();
    const auto first = c.request(0x17, 0xEC, WireWriter().u8(0).u8(1).u32le(entry).u16le(0).take());
    WireReader in(first->data);
    const std::uint16_t next = in.u16le();
    in.seek(16);
    QVERIFY(next != 0); // an empty answer is not the end
    QCOMPARE(in.u16le(), std::uint16_t(0));
    const auto second =
        c.request(0x17, 0xEC, WireWriter().u8(0).u8(1).u32le(entry).u16le(next).take());
    QCOMPARE(WireReader(second->data.mid(16)).u16le(), std::uint16_t(2));
}

void NcpdConnectionCallsTest::scanRefusals()
{
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    const auto path = [&](const QByteArray& p) {
        return c.request(0x17, 0xF4, WireWriter().u8(0).lengthPrefixed(p).take());
    };
    QCOMPARE(path("NOPE:X")->completion, std::uint8_t(0x98));
    QCOMPARE(path("REPORTS\\Q1.XLS")->completion, std::uint8_t(0x9C)); // no volume, no handle
    QCOMPARE(c.request(0x17, 0xF4, WireWriter().u8(9).lengthPrefixed("Q1.XLS").take())->completion,
             std::uint8_t(0x9B));
    // A path that names nothing has no entry to number.
    QCOMPARE(path("DATA:REPORTS\\NONE.TXT")->completion, std::uint8_t(0x9C));
    const auto unknown =
        c.request(0x17, 0xEC, WireWriter().u8(0).u8(1).u32le(777777).u16le(0).take());
    QCOMPARE(unknown->completion, std::uint8_t(0x9C));
    // The same path always gets the same number, in any case.
    QCOMPARE(WireReader(path("data:reports/q1.xls")->data.mid(1)).u32le(),
             WireReader(path(kQ1)->data.mid(1)).u32le());
}

void NcpdConnectionCallsTest::faults_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("completion");
    QTest::addColumn<int>("status");
    QTest::newRow("no console rights") << 0x89C6 << 0xC6 << 0;
    QTest::newRow("invalid connection") << 0x8801 << 0xFF << int(ncp::kStatusBadConnection);
    QTest::newRow("other requester code") << 0x8847 << 0xFF << 0;
}

void NcpdConnectionCallsTest::faults()
{
    QFETCH(int, code);
    QFETCH(int, completion);
    QFETCH(int, status);
    NcpdFixture f;
    f.builder.fault(QStringLiteral("NWGetConnectionInformation"), std::uint32_t(code));
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    const QByteArray five = WireWriter().u32le(5).take();
    const auto faulted = c.request(0x17, 0x1C, five);
    QCOMPARE(int(faulted->completion), completion);
    QCOMPARE(int(faulted->connectionStatus), status);
    // Consumed: the next call works, and the file no longer holds the fault.
    const auto next = c.request(0x17, 0x1C, five);
    QCOMPARE(next->completion, std::uint8_t(0));
    QVERIFY(nw::loadSimState(f.builder.statePath()).state->faults.empty());
}

void NcpdConnectionCallsTest::connectionInfoAndAddress_data()
{
    QTest::addColumn<std::uint32_t>("connection");
    QTest::newRow("user in a context") << 5u;
    QTest::newRow("IPX address") << 6u;
    QTest::newRow("unknown") << 99u;
    QTest::newRow("beyond 16 bits") << 0x10005u;
}

void NcpdConnectionCallsTest::connectionInfoAndAddress()
{
    QFETCH(std::uint32_t, connection);
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    auto sim = f.builder.client();
    const auto conn = simHandle(*sim);
    const std::uint16_t number = connection <= 0xFFFF ? std::uint16_t(connection) : 0;

    const auto info = c.request(0x17, 0x1C, WireWriter().u32le(connection).take());
    std::array<char, 48> name{};
    std::uint16_t type = 0;
    std::uint32_t id = 0;
    std::array<std::uint8_t, 7> login{};
    const auto code = sim->NWGetConnectionInformation(conn, number, name, type, id, login);
    QCOMPARE(ncp::clientCode(info->completion), code);
    if (code == 0) {
        QCOMPARE(info->data, WireWriter()
                                 .u32be(id)
                                 .u16be(type)
                                 .paddedText(name.data(), 48)
                                 .bytes(login)
                                 .u8(0)
                                 .take());
    }

    const auto address = c.request(0x17, 0x1A, WireWriter().u32le(connection).take());
    nw::NWINET_ADDR addr;
    const auto addrCode = sim->NWGetInetAddr(conn, number, addr);
    QCOMPARE(ncp::clientCode(address->completion), addrCode);
    if (addrCode == 0) {
        QCOMPARE(address->data, WireWriter()
                                    .bytes(addr.network)
                                    .bytes(addr.node)
                                    .bytes(addr.socket)
                                    .u8(std::uint8_t(addr.connType))
                                    .take());
    }
}

void NcpdConnectionCallsTest::broadcastStatuses()
{
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    const auto reply =
        c.request(0x15, 0x0A,
                  WireWriter().u16le(3).u32le(5).u32le(99).u32le(6).lengthPrefixed("Lunch").take());
    QCOMPARE(reply->completion, std::uint8_t(0));
    QCOMPARE(reply->data, WireWriter().u16le(3).u32le(0).u32le(1).u32le(3).take());
    const auto state = nw::loadSimState(f.builder.statePath()).state;
    QCOMPARE(state->connection(5)->messages.size(), 1);
    QCOMPARE(state->connection(5)->messages[0].toObject().value("text").toString(),
             QStringLiteral("Lunch"));
}

void NcpdConnectionCallsTest::clearConnection_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<bool>("operatorRights");
    QTest::addColumn<int>("completion");
    QTest::addColumn<bool>("sixGone");
    QTest::newRow("little-endian") << WireWriter().u32le(6).take() << true << 0 << true;
    QTest::newRow("big-endian") << WireWriter().u32be(6).take() << true << 0 << true;
    QTest::newRow("unknown") << WireWriter().u32le(99).take() << true << 0xFD << false;
    QTest::newRow("big-endian unknown") << WireWriter().u32be(99).take() << true << 0xFD << false;
    QTest::newRow("no console operator") << WireWriter().u32le(6).take() << false << 0xC6 << false;
}

void NcpdConnectionCallsTest::clearConnection()
{
    QFETCH(QByteArray, field);
    QFETCH(bool, operatorRights);
    QFETCH(int, completion);
    QFETCH(bool, sixGone);
    NcpdFixture f;
    f.builder.workstation(1, QStringLiteral("ADMIN"), operatorRights);
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    const auto reply = c.request(0x17, 0xFE, field);
    QCOMPARE(int(reply->completion), completion);
    const auto state = nw::loadSimState(f.builder.statePath()).state;
    QCOMPARE(state->connection(6) == nullptr, sixGone);
    QVERIFY(state->connection(5));
}

void NcpdConnectionCallsTest::clearingOwnConnectionEndsTheHandle()
{
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    QCOMPARE(c.request(0x17, 0xFE, WireWriter().u32le(1).take())->completion, std::uint8_t(0));
    const auto after = c.request(0x17, 0x1C, WireWriter().u32le(5).take());
    QCOMPARE(after->connectionStatus, ncp::kStatusBadConnection);
    // A new create and login serve again.
    QVERIFY(c.create());
    QCOMPARE(c.login("ADMIN", "secret")->completion, std::uint8_t(0));
    QCOMPARE(c.request(0x17, 0x1C, WireWriter().u32le(5).take())->completion, std::uint8_t(0));
}

void NcpdConnectionCallsTest::olderFormsAndTheEmulatorsRefusals()
{
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    // 21/0: a status byte per station, 0xFF for one that is not there.
    const auto sent = c.request(0x15, 0x00, QByteArray("\x03\x05\x63\x06\x05Lunch", 10));
    QCOMPARE(sent->data, QByteArray("\x03\x00\xFF\xFC", 4));
    QCOMPARE(c.request(0x15, 0x00, QByteArray("\x01\x63\x02Hi", 5))->completion,
             std::uint8_t(0xFF));
    QCOMPARE(c.request(0x17, 0xD2, QByteArray(1, '\x06'))->completion, std::uint8_t(0));
    QVERIFY(!nw::loadSimState(f.builder.statePath()).state->connection(6));
    // The emulators take only the older forms, and keep no path-to-entry map.
    f.builder.set("profile", "emulator").write();
    QTest::qWait(10);
    QCOMPARE(c.request(0x17, 0xFE, WireWriter().u32le(5).take())->completion, std::uint8_t(0xFB));
    QCOMPARE(c.request(0x15, 0x0A, WireWriter().u16le(1).u32le(5).lengthPrefixed("x").take())
                 ->completion,
             std::uint8_t(0xFB));
    QCOMPARE(
        c.request(0x17, 0xF4, WireWriter().u8(0).lengthPrefixed("DATA:REPORTS").take())->completion,
        std::uint8_t(0xFF));
}

QTEST_GUILESS_MAIN(NcpdConnectionCallsTest)
#include "ncpd_connection_calls_test.moc"
