// SPDX-License-Identifier: GPL-3.0-or-later
// Sessions of the NCP server over a real loopback socket: login, what is
// refused before it, broken input that ends one session and not the others,
// and "still working" while a slow call runs.

#include "ncpd_fixture.h"
#include "raw_ncp_client.h"

#include "ncp/connection_list_requests.h"
#include "ncp/open_file_requests.h"
#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "netware/sim_state_reader.h"

#include <QtTest>

namespace {

QByteArray u32le(std::uint32_t v)
{
    return ncp::WireWriter().u32le(v).take();
}

} // namespace

class NcpdSessionTest : public QObject
{
    Q_OBJECT
private slots:
    void createAnswersTheWorkstationConnection();
    void login_data();
    void login();
    void keyServesOneAttempt();
    void requestsBeforeLoginAreDenied_data();
    void requestsBeforeLoginAreDenied();
    void brokenFramingDropsOnlyThatSession_data();
    void brokenFramingDropsOnlyThatSession();
    void badRequestsAreAnsweredAndTheSessionGoesOn_data();
    void badRequestsAreAnsweredAndTheSessionGoesOn();
    void requestsWithoutCreateAreBadConnection();
    void stillWorkingWhileACallIsSlow();
    void destroyEndsTheSession();
    void sessionsHaveConnectionsOfTheirOwn();
    void loginsAreCountedLockedAndGraced();
};

void NcpdSessionTest::createAnswersTheWorkstationConnection()
{
    NcpdFixture f;
    f.builder.workstation(5, QStringLiteral("JSMITH"));
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.connectTo(f.port()));
    const auto reply = c.create();
    QVERIFY(reply);
    QCOMPARE(reply->completion, std::uint8_t(0));
    QCOMPARE(reply->connection, std::uint16_t(5));
}

void NcpdSessionTest::login_data()
{
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<int>("completion");
    QTest::newRow("right password") << QByteArray("ADMIN") << QByteArray("secret") << 0;
    QTest::newRow("name in any case") << QByteArray("admin") << QByteArray("secret") << 0;
    QTest::newRow("password upper-cased") << QByteArray("ADMIN") << QByteArray("SECRET") << 0;
    QTest::newRow("wrong password") << QByteArray("ADMIN") << QByteArray("Secret") << 0xFF;
    QTest::newRow("empty for a password") << QByteArray("ADMIN") << QByteArray() << 0xFF;
    QTest::newRow("no password: empty") << QByteArray("BOB") << QByteArray() << 0;
    QTest::newRow("no password: any other") << QByteArray("BOB") << QByteArray("x") << 0xFF;
    QTest::newRow("unknown user") << QByteArray("NOBODY") << QByteArray() << 0xFC;
}

void NcpdSessionTest::login()
{
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, password);
    QFETCH(int, completion);
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.connectTo(f.port()));
    QVERIFY(c.create());
    const auto reply = c.login(user, password);
    QVERIFY(reply);
    QCOMPARE(int(reply->completion), completion);
    // What follows is served only after a good login.
    const auto after = c.request(0x16, 0x05, ncp::WireWriter().lengthPrefixed("DATA").take());
    QVERIFY(after);
    QCOMPARE(int(after->completion), completion == 0 ? 0 : 0x7D); // not logged in
}

void NcpdSessionTest::keyServesOneAttempt()
{
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.connectTo(f.port()));
    QVERIFY(c.create());
    QCOMPARE(c.login("ADMIN", "wrong")->completion, std::uint8_t(0xFF));
    // Replaying 23/24 without a new key fails even with the right bytes' shape.
    const auto replay =
        c.request(0x17, 0x18, ncp::WireWriter().zeros(8).u16be(1).lengthPrefixed("ADMIN").take());
    QCOMPARE(replay->completion, std::uint8_t(0xFF));
    QCOMPARE(c.login("ADMIN", "secret")->completion, std::uint8_t(0));
}

void NcpdSessionTest::requestsBeforeLoginAreDenied_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("subfunction");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("23/28") << 0x17 << 0x1C << u32le(5);
    QTest::newRow("23/236") << 0x17 << 0xEC << QByteArray(8, '\0');
    QTest::newRow("23/244") << 0x17 << 0xF4
                            << ncp::WireWriter().u8(0).lengthPrefixed("DATA:").take();
    QTest::newRow("23/254") << 0x17 << 0xFE << u32le(5);
    QTest::newRow("21/10") << 0x15 << 0x0A
                           << QByteArray::fromHex("0000"
                                                  "00");
    QTest::newRow("NCP 8") << 0x08 << 0 << QByteArray(1, '\0');
    QTest::newRow("23/55")
        << 0x17 << 0x37 << ncp::WireWriter().u32be(0xFFFFFFFF).u16be(1).lengthPrefixed("*").take();
    QTest::newRow("NCP 20") << 0x14 << 0 << QByteArray();
}

void NcpdSessionTest::requestsBeforeLoginAreDenied()
{
    QFETCH(int, function);
    QFETCH(int, subfunction);
    QFETCH(QByteArray, data);
    NcpdFixture f;
    f.builder.connection(9, QStringLiteral("BOB"));
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.connectTo(f.port()));
    QVERIFY(c.create());
    // The version, the buffer negotiation and the directory-services ping are
    // there for the asking before login.
    const auto version = c.request(0x17, 0x11, QByteArray());
    QCOMPARE(version->completion, std::uint8_t(0));
    QCOMPARE(version->data.left(3), QByteArray("FS1"));
    const auto big = c.request(0x61, 0, QByteArray::fromHex("040000"));
    QCOMPARE(big->completion, std::uint8_t(0));
    QCOMPARE(big->data, QByteArray::fromHex("0400000000")); // 1024, no echo socket, no signing
    const auto buffer = c.request(0x21, 0, QByteArray::fromHex("2000"));
    QCOMPARE(buffer->data, QByteArray::fromHex("1000")); // never above the server's 4096
    const auto ping = c.request(0x68, 0x01, QByteArray(3, '\0'));
    QCOMPARE(ping->completion, std::uint8_t(0));
    QCOMPARE(ncp::WireReader(ping->data).u32le(), 9u);
    QCOMPARE(ping->data.mid(8, 9), QByteArray("FS1_TREE_"));
    const auto reply = c.request(std::uint8_t(function), std::uint8_t(subfunction), data);
    QVERIFY(reply);
    QCOMPARE(reply->completion, std::uint8_t(0x7D)); // not logged in
    // Nothing happened: connection 5 is still there.
    QVERIFY(nw::loadSimState(f.builder.statePath()).state->connection(5));
}

namespace {

QByteArray requestFrame(std::uint8_t function, std::uint8_t sub, const QByteArray& data)
{
    ncp::Request r;
    r.sequence = 3;
    r.connection = 1;
    r.function = function;
    r.subfunction = sub;
    r.data = data;
    return ncp::encodeRequest(r);
}

} // namespace

void NcpdSessionTest::brokenFramingDropsOnlyThatSession_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QByteArray badSignature = requestFrame(0x17, 0x11, QByteArray());
    badSignature[0] = 'X';
    QTest::newRow("bad signature") << badSignature;
    QTest::newRow("length shorter than the headers") << QByteArray::fromHex("446D6454"
                                                                            "00000010"
                                                                            "00000001"
                                                                            "00001000");
    QTest::newRow("length past 64 KiB") << QByteArray::fromHex("446D6454"
                                                               "00010011"
                                                               "00000001"
                                                               "00001000"
                                                               "2222");
    QByteArray badVersion = requestFrame(0x17, 0x11, QByteArray());
    badVersion[11] = 2;
    QTest::newRow("unknown version") << badVersion;
    QTest::newRow("no room for a sequence") << QByteArray::fromHex("446D6454"
                                                                   "00000014"
                                                                   "00000001"
                                                                   "00001000"
                                                                   "22220301");
}

void NcpdSessionTest::brokenFramingDropsOnlyThatSession()
{
    QFETCH(QByteArray, bytes);
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient good;
    QVERIFY(good.open(f.port(), "ADMIN", "secret"));
    RawNcpClient bad;
    QVERIFY(bad.open(f.port(), "ADMIN", "secret"));
    QCOMPARE(f.listener->sessionCount(), std::size_t(2));
    bad.sendBytes(bytes);
    QVERIFY(bad.waitClosed());
    QVERIFY(!bad.nextFrame(100)); // dropped unanswered
    QTRY_COMPARE(f.listener->sessionCount(), std::size_t(1));
    const auto reply = good.request(0x17, 0x1C, u32le(5));
    QVERIFY(reply);
    QCOMPARE(reply->completion, std::uint8_t(0));
}

void NcpdSessionTest::badRequestsAreAnsweredAndTheSessionGoesOn_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("completion");
    QByteArray lengthWord = requestFrame(0x17, 0x1C, u32le(5));
    lengthWord[16 + 8] = char(lengthWord[16 + 8] + 3); // says 3 bytes more than there are
    QTest::newRow("length word disagrees") << lengthWord << 0x7E;
    QTest::newRow("unknown packet type") << QByteArray::fromHex("446D6454"
                                                                "00000018"
                                                                "00000001"
                                                                "00001000"
                                                                "7777030101011700")
                                         << 0xFB;
    QTest::newRow("broadcast count past the end")
        << requestFrame(0x15, 0x0A,
                        ncp::WireWriter().u16le(100).u32le(5).lengthPrefixed("hi").take())
        << 0x7E;
    QTest::newRow("text past the end")
        << requestFrame(0x16, 0x05, ncp::WireWriter().u8(40).bytes(QByteArray("DATA")).take())
        << 0x7E;
    QTest::newRow("field cut short") << requestFrame(0x17, 0x1C, QByteArray(2, '\0')) << 0x7E;
    QTest::newRow("bytes after the fields") << requestFrame(0x17, 0x1C, u32le(5) + "junk") << 0x7E;
    QTest::newRow("NCP 97 cut short") << requestFrame(0x61, 0, QByteArray(2, '\0')) << 0x7E;
    QTest::newRow("data after a request without") << requestFrame(0x14, 0, "x") << 0x7E;
    QTest::newRow("unknown function") << requestFrame(0x99, 0, QByteArray()) << 0xFB;
}

void NcpdSessionTest::badRequestsAreAnsweredAndTheSessionGoesOn()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, completion);
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    c.sendBytes(bytes);
    const auto answer = c.nextReply();
    QVERIFY(answer);
    QCOMPARE(int(answer->completion), completion);
    QCOMPARE(answer->sequence, std::uint8_t(3));
    // The session goes on: the next request is served.
    const auto reply = c.request(0x17, 0x1C, u32le(5));
    QVERIFY(reply);
    QCOMPARE(reply->completion, std::uint8_t(0));
    QCOMPARE(f.listener->sessionCount(), std::size_t(1));
}

void NcpdSessionTest::requestsWithoutCreateAreBadConnection()
{
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.connectTo(f.port()));
    const auto reply = c.request(0x17, 0x11, QByteArray());
    QVERIFY(reply);
    QCOMPARE(reply->connectionStatus, ncp::kStatusBadConnection);
}

void NcpdSessionTest::stillWorkingWhileACallIsSlow()
{
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient slow;
    QVERIFY(slow.open(f.port(), "ADMIN", "secret"));
    RawNcpClient other;
    QVERIFY(other.open(f.port(), "ADMIN", "secret"));
    f.builder.set(QStringLiteral("latencyMs"), 2300).write();
    QTest::qWait(20); // past the server's look-again window

    ncp::Request r;
    r.sequence = slow.nextSequence();
    r.connection = slow.connection();
    r.task = 4;
    r.function = 0x17;
    r.subfunction = 0x1C;
    r.data = u32le(5);
    QElapsedTimer timer;
    timer.start();
    slow.sendBytes(ncp::encodeRequest(r));
    // While it waits, the event loop still serves the other session's 23/244,
    // which calls no simulated call and so waits no latency.
    const auto quick = other.request(
        0x17, 0xF4, ncp::WireWriter().u8(0).lengthPrefixed("DATA:REPORTS\\Q1.XLS").take());
    QVERIFY(quick);
    QVERIFY(timer.elapsed() < 1500);

    int still = 0;
    std::optional<ncp::Reply> reply = slow.nextFrame(5000);
    for (; reply && reply.value().type == ncp::kStillWorking; reply = slow.nextFrame(5000)) {
        QCOMPARE(reply.value().sequence, r.sequence);
        QCOMPARE(reply.value().task, std::uint8_t(4));
        ++still;
    }
    QVERIFY(reply);
    QCOMPARE(reply->completion, std::uint8_t(0));
    QCOMPARE(reply->sequence, r.sequence);
    QVERIFY2(still >= 2, qPrintable(QString::number(still))); // at 1 s and 2 s of 2.3 s
}

void NcpdSessionTest::destroyEndsTheSession()
{
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    ncp::Request r;
    r.type = ncp::kDestroyConnection;
    r.sequence = c.nextSequence();
    r.connection = c.connection();
    c.sendBytes(ncp::encodeRequest(r));
    const auto reply = c.nextReply();
    QVERIFY(reply);
    QCOMPARE(reply->completion, std::uint8_t(0));
    QVERIFY(c.waitClosed());
    QTRY_COMPARE(f.listener->sessionCount(), std::size_t(0));
}

void NcpdSessionTest::sessionsHaveConnectionsOfTheirOwn()
{
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient workstation, jsmith, admin;
    QVERIFY(workstation.open(f.port(), "ADMIN", "secret"));
    QVERIFY(jsmith.open(f.port(), "JSMITH"));
    QVERIFY(admin.open(f.port(), "ADMIN", "secret"));
    // The first keeps the workstation's number; the others take free ones
    // (5 and 6 are the state's) and appear in the state as their users'.
    QCOMPARE(workstation.connection(), std::uint16_t(1));
    QCOMPARE(jsmith.connection(), std::uint16_t(2));
    QCOMPARE(admin.connection(), std::uint16_t(3));
    auto state = nw::loadSimState(f.builder.statePath()).state;
    QCOMPARE(state->connection(2)->user, QStringLiteral("JSMITH"));
    QCOMPARE(state->connection(3)->user, QStringLiteral("ADMIN"));
    // Each acts as itself: JSMITH is no console operator.
    QCOMPARE(jsmith.request(0x17, 0xFE, u32le(6))->completion, std::uint8_t(0xC6));
    // Nor may JSMITH list another connection's files or every connection.
    for (const ncp::RequestBody& listing :
         {ncp::openFilesRequest(6, 0), ncp::activeConnectionsRequest(1, 2)}) {
        QCOMPARE(jsmith.request(listing.function, listing.subfunction, listing.data)->completion,
                 std::uint8_t(0xC6));
        QCOMPARE(admin.request(listing.function, listing.subfunction, listing.data)->completion,
                 std::uint8_t(0));
    }
    // A connection cleared by the server is logged out.
    QCOMPARE(workstation.request(0x17, 0xFE, u32le(3))->completion, std::uint8_t(0));
    const auto cleared = admin.request(0x16, 0x05, ncp::WireWriter().lengthPrefixed("DATA").take());
    QCOMPARE(cleared->connectionStatus & ncp::kStatusBadConnection, ncp::kStatusBadConnection);
    // Ending a session takes its connection out of the state.
    ncp::Request destroy;
    destroy.type = ncp::kDestroyConnection;
    destroy.sequence = jsmith.nextSequence();
    destroy.connection = jsmith.connection();
    jsmith.sendBytes(ncp::encodeRequest(destroy));
    QVERIFY(jsmith.waitClosed());
    QTRY_VERIFY(!nw::loadSimState(f.builder.statePath()).state->connection(2));
    QVERIFY(nw::loadSimState(f.builder.statePath()).state->connection(1));
}

void NcpdSessionTest::loginsAreCountedLockedAndGraced()
{
    NcpdFixture f;
    f.builder.objectKey("ADMIN", "intruderLimit", 2)
        .objectKey("BOB", "passwordExpired", true)
        .objectKey("BOB", "graceLogins", 1);
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.connectTo(f.port()) && c.create());
    const auto login = [&c](const QByteArray& user, const QByteArray& password) {
        return int(c.login(user, password)->completion);
    };
    const auto failed = [&f] {
        return nw::loadSimState(f.builder.statePath()).state->objectByName("ADMIN")->failedLogins;
    };
    QCOMPARE(login("ADMIN", "wrong"), 0xFF);
    QCOMPARE(login("ADMIN", "secret"), 0); // a right one ends the run of refusals
    QCOMPARE(failed(), 0);
    QCOMPARE(login("ADMIN", "wrong"), 0xFF);
    QCOMPARE(login("ADMIN", "wrong"), 0xFF);
    QCOMPARE(failed(), 2);
    QCOMPARE(login("ADMIN", "secret"), 0xC5); // locked, the right password too
    f.builder.objectKey("ADMIN", "failedLogins", 0).write();
    QTest::qWait(10);
    QCOMPARE(login("ADMIN", "secret"), 0); // unlocked by editing the state
    // An expired password logs in on a grace login, one used per login.
    QCOMPARE(login("BOB", ""), 0xDF);
    const auto control = c.request(0x17, 0x3D,
                                   ncp::WireWriter()
                                       .u16be(1)
                                       .lengthPrefixed("BOB")
                                       .u8(1)
                                       .lengthPrefixed("LOGIN_CONTROL")
                                       .take());
    QCOMPARE(control->completion, std::uint8_t(0)); // logged in
    QCOMPARE(int(control->data.at(7)), 0);
    QCOMPARE(login("BOB", ""), 0xDE);
}

QTEST_GUILESS_MAIN(NcpdSessionTest)
#include "ncpd_session_test.moc"
