// SPDX-License-Identifier: GPL-3.0-or-later
// The keyed bindery login that sets up a session with a user: what travels,
// and what happens when the server refuses it, accepts it on a grace login, or
// the password cannot be had.

#include "ncp/bindery_password.h"
#include "ncp/completion_code.h"
#include "ncp/ncp_client.h"
#include "ncp/password_source.h"
#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "support/fake_ncp_server.h"

#include <QTest>

using namespace ncp;
using namespace std::chrono_literals;
using quorvex::FakeNcpPeer;
using quorvex::FakeNcpServer;

namespace {

constexpr std::uint32_t kUserId = 0x00001001;
const std::array<std::uint8_t, 8> kKey = {1, 2, 3, 4, 5, 6, 7, 8};

class RecordingPasswords : public PasswordSource
{
public:
    std::optional<QString> answer;
    QStringList asked;
    QStringList refusals;
    QStringList graceLogins;
    std::optional<QString> password(const QString& server, const QString& user,
                                    const QString& file) override
    {
        asked.append(server + QLatin1Char('/') + user + QLatin1Char('/') + file);
        return answer;
    }
    void refused(const QString& server, const QString& user, LoginRefusal why,
                 std::uint8_t completion) override
    {
        refusals.append(
            QStringLiteral("%1/%2 %3 %4").arg(server, user).arg(int(why)).arg(completion, 0, 16));
    }
    void graceLogin(const QString& server, const QString& user, int left) override
    {
        graceLogins.append(QStringLiteral("%1/%2 %3").arg(server, user).arg(left));
    }
};

// A bindery server (version 3) that sets up, then answers the login with
// `loginCompletion` (23/61 with three grace logins left), then every request
// with success and no data.
FakeNcpServer loginServer(std::uint8_t loginCompletion, int sessions = 1)
{
    return FakeNcpServer(
        [=](FakeNcpPeer& peer, int) {
            if (!peer.setUp(5, 3))
                return;
            while (const auto r = peer.receive(3000)) {
                if (r->type == kDestroyConnection)
                    return;
                if (r->subfunction == 23)
                    peer.reply(*r, 0, QByteArray(reinterpret_cast<const char*>(kKey.data()), 8));
                else if (r->subfunction == 53)
                    peer.reply(*r, 0, WireWriter().u32be(kUserId).u16be(1).zeros(48).take());
                else if (r->subfunction == 24)
                    peer.reply(*r, loginCompletion);
                else if (r->subfunction == 61)
                    peer.reply(*r, 0, WireWriter().zeros(7).u8(3).zeros(122).take());
                else
                    peer.reply(*r, 0);
            }
        },
        sessions);
}

std::unique_ptr<NcpClient> client(std::uint16_t port, PasswordSource* passwords,
                                  nw::NWCONN_HANDLE& conn,
                                  const QString& user = QStringLiteral("jsmith"))
{
    auto c = std::make_unique<NcpClient>(
        QStringLiteral("FS1"),
        NcpServerSpec{QStringLiteral("127.0.0.1"), port, user, QStringLiteral("/home/j/pw")},
        nw::DriveLookup(), passwords, SessionOptions{400ms, kReplyLimit});
    c->NWCCOpenConnByName(0, "FS1", 0, 0, 0, conn);
    return c;
}

} // namespace

class NcpLoginTest : public QObject
{
    Q_OBJECT

private slots:
    void keyedLoginSendsTheEncryptedKey()
    {
        auto server = loginServer(0);
        RecordingPasswords passwords;
        passwords.answer = QStringLiteral("secret");
        nw::NWCONN_HANDLE conn = 0;
        auto c = client(server.port(), &passwords, conn);
        QCOMPARE(c->NWClearFileLockSet(conn), nw::kSuccess);
        QCOMPARE(passwords.asked, QStringList{QStringLiteral("FS1/jsmith//home/j/pw")});
        c.reset();
        server.wait();
        const auto log = server.requests().at(0);
        QCOMPARE(log.size(), std::size_t(7)); // create, 23/17, 23/23, 23/53, 23/24, NCP 8, destroy
        QCOMPARE(log[1].subfunction, 17);
        QCOMPARE(log[2].subfunction, 23);
        QCOMPARE(log[3].subfunction, 53);
        QCOMPARE(log[3].data, QByteArray("\x00\x01\x06JSMITH", 9)); // type 1, name upper-cased
        QCOMPARE(log[4].subfunction, 24);
        const auto expected = encryptLoginKey(kKey, shufflePassword(kUserId, "SECRET"));
        QCOMPARE(log[4].data.left(8),
                 QByteArray(reinterpret_cast<const char*>(expected.data()), 8));
        QCOMPARE(log[4].data.mid(8), QByteArray("\x00\x01\x06JSMITH", 9));
        QCOMPARE(log[5].function, 0x08);
    }

    void refusedPasswordIsForgottenAndTheCallFails()
    {
        auto server = loginServer(0xFF, 2);
        RecordingPasswords passwords;
        passwords.answer = QStringLiteral("wrong");
        nw::NWCONN_HANDLE conn = 0;
        auto c = client(server.port(), &passwords, conn);
        QCOMPARE(c->NWClearFileLockSet(conn), nw::kInvalidConnection);
        QCOMPARE(passwords.refusals, QStringList{QStringLiteral("FS1/jsmith 0 ff")});
        QVERIFY(c->lastError().contains(QLatin1String("password")));
        // The next call tries again with a new session (and asks again).
        QCOMPARE(c->NWClearFileLockSet(conn), nw::kInvalidConnection);
        QCOMPARE(passwords.asked.size(), 2);
        QCOMPARE(server.sessionsAccepted(), 2);
        c.reset();
        server.wait();
        for (const auto& log : server.requests())
            for (const Request& r : log)
                QVERIFY(r.function != 0x08); // nothing asked without a login
    }

    void serverAnswersToALogin_data()
    {
        QTest::addColumn<int>("completion");
        QTest::addColumn<QString>("refusal"); // empty: logged in
        QTest::newRow("grace login") << 0xDF << QString();
        QTest::newRow("intruder lockout") << 0xC5 << QStringLiteral("FS1/jsmith 1 c5");
        QTest::newRow("expired, no grace") << 0xDE << QStringLiteral("FS1/jsmith 2 de");
        QTest::newRow("disabled") << 0xDC << QStringLiteral("FS1/jsmith 3 dc");
        QTest::newRow("other") << 0xD9 << QStringLiteral("FS1/jsmith 4 d9");
    }
    void serverAnswersToALogin()
    {
        QFETCH(int, completion);
        QFETCH(QString, refusal);
        auto server = loginServer(std::uint8_t(completion));
        RecordingPasswords passwords;
        passwords.answer = QStringLiteral("secret");
        nw::NWCONN_HANDLE conn = 0;
        auto c = client(server.port(), &passwords, conn);
        // 0xDF logs in (the password has expired; the grace logins left are
        // read from the user's LOGIN_CONTROL); every refusal gets its reason.
        QCOMPARE(c->NWClearFileLockSet(conn),
                 refusal.isEmpty() ? nw::kSuccess : nw::kInvalidConnection);
        QCOMPARE(passwords.refusals, refusal.isEmpty() ? QStringList() : QStringList{refusal});
        QCOMPARE(passwords.graceLogins,
                 refusal.isEmpty() ? QStringList{"FS1/jsmith 3"} : QStringList());
        c.reset();
        server.wait();
        const auto log = server.requests().at(0);
        if (refusal.isEmpty())
            QCOMPARE(log[5].data, QByteArray("\x00\x01\x06JSMITH\x01\x0DLOGIN_CONTROL", 24));
    }

    void namesAndPasswordsTravelUpperCasedInLatin1()
    {
        auto server = loginServer(0, 2);
        RecordingPasswords passwords;
        passwords.answer = QStringLiteral("p\u00e4ssw\u00f6rd");
        nw::NWCONN_HANDLE conn = 0;
        auto c = client(server.port(), &passwords, conn, QStringLiteral("j\u00f6rg"));
        QCOMPARE(c->NWClearFileLockSet(conn), nw::kSuccess);
        // A character without a Latin-1 byte is not sent as a stand-in.
        c->NWCCCloseConn(conn);
        c.reset();
        passwords.answer = QStringLiteral("\u20ac100");
        c = client(server.port(), &passwords, conn, QStringLiteral("j\u00f6rg"));
        QCOMPARE(c->NWClearFileLockSet(conn), nw::kInvalidConnection);
        QCOMPARE(passwords.refusals, QStringList{QStringLiteral("FS1/j\u00f6rg 5 0")});
        c.reset();
        server.wait();
        const auto logs = server.requests();
        QCOMPARE(logs[0][3].data, QByteArray("\x00\x01\x04J\xD6RG", 7));
        const auto expected = encryptLoginKey(kKey, shufflePassword(kUserId, "P\xC4SSW\xD6RD"));
        QCOMPARE(logs[0][4].data.left(8),
                 QByteArray(reinterpret_cast<const char*>(expected.data()), 8));
        for (const Request& r : logs[1])
            QVERIFY(r.subfunction != 23 && r.subfunction != 24); // no login tried
    }

    void noPasswordMeansNoSession()
    {
        auto server = loginServer(0);
        RecordingPasswords passwords; // answers nullopt: cancelled
        nw::NWCONN_HANDLE conn = 0;
        auto c = client(server.port(), &passwords, conn);
        QCOMPARE(c->NWClearFileLockSet(conn), nw::kInvalidConnection);
        QVERIFY(passwords.refusals.isEmpty());
        c.reset();
        server.wait();
        const auto log = server.requests().at(0);
        QCOMPARE(log.size(), std::size_t(3)); // create, version, destroy
        QCOMPARE(log[2].type, kDestroyConnection);
    }

    void badReplySignatureFailsThatCallAlone()
    {
        // A bindery server that wants signed packets; after the login the
        // first reply's signature is spoiled, the second is good.
        FakeNcpServer server([](FakeNcpPeer& peer, int) {
            if (!peer.acceptCreateSigned() || !peer.answerVersion(3))
                return;
            int after = 0;
            while (const auto r = peer.receive(3000)) {
                if (r->type == kDestroyConnection)
                    return;
                if (r->subfunction == 23) {
                    peer.reply(*r, 0, QByteArray(reinterpret_cast<const char*>(kKey.data()), 8));
                } else if (r->subfunction == 53) {
                    peer.reply(*r, 0, WireWriter().u32be(kUserId).u16be(1).zeros(48).take());
                } else if (r->subfunction == 24) {
                    peer.reply(*r, 0);
                    peer.startSigning(binderySignRoot(shufflePassword(kUserId, "SECRET"), kKey));
                } else {
                    if (after++ == 0)
                        peer.spoilNextSignature();
                    peer.reply(*r, 0);
                }
            }
        });
        RecordingPasswords passwords;
        passwords.answer = QStringLiteral("secret");
        nw::NWCONN_HANDLE conn = 0;
        auto c = client(server.port(), &passwords, conn);
        QCOMPARE(c->NWClearFileLockSet(conn), kInvalidSignature);
        QCOMPARE(c->badSignatures(), 1);
        QVERIFY(c->sessionSigned());
        QVERIFY(c->lastError().contains(QLatin1String("signature")));
        QCOMPARE(c->NWClearFileLockSet(conn), nw::kSuccess); // the session went on
        QCOMPARE(passwords.asked.size(), 1);
        c.reset();
        server.wait();
        // Both requests after the login came signed (the peer checks every one).
        QCOMPARE(server.requests().at(0).back().type, kDestroyConnection);
    }

    void unknownUserFailsTheSession()
    {
        FakeNcpServer server([](FakeNcpPeer& peer, int) {
            if (!peer.setUp())
                return;
            while (const auto r = peer.receive(3000))
                if (r->type == kRequest)
                    peer.reply(*r, r->subfunction == 53 ? 0xFC : 0,
                               r->subfunction == 23 ? QByteArray(8, 'k') : QByteArray());
        });
        RecordingPasswords passwords;
        passwords.answer = QString();
        nw::NWCONN_HANDLE conn = 0;
        auto c = client(server.port(), &passwords, conn);
        QCOMPARE(c->NWClearFileLockSet(conn), nw::kInvalidConnection);
        QVERIFY(passwords.refusals.isEmpty()); // not the password's fault
        QVERIFY(!c->sessionOpen());
    }
};

QTEST_GUILESS_MAIN(NcpLoginTest)
#include "ncp_login_test.moc"
