// SPDX-License-Identifier: GPL-3.0-or-later
// The directory-services login between the NCP client and quorvex-ncpd (a
// server process of its own): at each signature level, refused as the
// bindery login is refused, falling back to the bindery where the server has
// no directory, a server that requires signing against a client that may
// not sign, and a refused password not tried again on a rescan tick.

#include "app/prompted_password_source.h"
#include "ncp/ncp_client.h"
#include "ncp/password_source.h"
#include "netware/sim_state_reader.h"
#include "platform/attempt_origin.h"
#include "raw_ncp_client.h"
#include "support/ncpd_process.h"
#include "support/scripted_prompts.h"
#include "support/sim_server_builder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ncp;
using namespace std::chrono_literals;

namespace {

class RecordingPasswords : public PasswordSource
{
public:
    QString answer = QStringLiteral("secret");
    int asked = 0;
    QStringList heard;
    std::optional<QString> password(const QString&, const QString&, const QString&) override
    {
        ++asked;
        return answer;
    }
    void refused(const QString&, const QString& user, LoginRefusal why,
                 std::uint8_t completion) override
    {
        heard.append(
            QStringLiteral("refused %1 %2 %3").arg(user).arg(int(why)).arg(completion, 0, 16));
    }
    void graceLogin(const QString&, const QString& user, int left) override
    {
        heard.append(QStringLiteral("grace %1 %2").arg(user).arg(left));
    }
    void notice(const QString&, const QString&, const QString& text) override
    {
        heard.append(QStringLiteral("notice ") + text);
    }
};

// FS1 (6.5) with ADMIN in ACME holding keys for "secret", and JSMITH.
void directoryServer(SimServerBuilder& b, int level)
{
    b.user(QStringLiteral("JSMITH"), QStringLiteral("SALES.ACME"), 1002)
        .objectKey(QStringLiteral("ADMIN"), QStringLiteral("context"), QStringLiteral("ACME"))
        .directoryKeys(QStringLiteral("ADMIN"), QStringLiteral("secret"))
        .set(QStringLiteral("signatureLevel"), level);
}

struct Session
{
    NcpdProcess server;
    std::unique_ptr<NcpClient> client;
    nw::NWCONN_HANDLE conn = 0;

    Session(SimServerBuilder& b, const QString& user, PasswordSource* passwords,
            bool maySign = true)
        : server(b.write())
    {
        if (!server.start())
            return;
        SessionOptions options{5000ms, kReplyLimit};
        options.mayStartSigning = maySign;
        NcpServerSpec spec{server.host(), server.port(), user, {}};
        spec.binderyOnly = user.endsWith(QLatin1String(";bindery"));
        if (spec.binderyOnly)
            spec.user.chop(8);
        client = std::make_unique<NcpClient>(QStringLiteral("FS1"), spec, nw::DriveLookup(),
                                             passwords, options);
        client->NWCCOpenConnByName(0, "FS1", 0, 0, 0, conn);
    }
    // A call the server answers only after a login.
    nw::NWCCODE call() { return client->NWClearFileLockSet(conn); }
};

int failedLogins(SimServerBuilder& b, const QString& user)
{
    return nw::loadSimState(b.statePath()).state->objectByName(user)->failedLogins;
}

} // namespace

class NcpdDirectoryLoginTest : public QObject
{
    Q_OBJECT

private slots:
    void loginAtEachSignatureLevel_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("maySign");
        QTest::addColumn<bool>("signs");
        QTest::newRow("level 0") << 0 << true << false;
        QTest::newRow("level 1: signed when the client asks") << 1 << true << false;
        QTest::newRow("level 2") << 2 << true << true;
        QTest::newRow("level 3") << 3 << true << true;
        QTest::newRow("level 2, client that may not sign") << 2 << false << false;
    }
    void loginAtEachSignatureLevel()
    {
        QFETCH(int, level);
        QFETCH(bool, maySign);
        QFETCH(bool, signs);
        SimServerBuilder b;
        directoryServer(b, level);
        RecordingPasswords passwords;
        Session s(b, QStringLiteral("ADMIN.ACME"), &passwords, maySign);
        QVERIFY2(s.client, qPrintable(s.server.error()));
        // Several calls after the login: each request and reply signed in turn.
        for (int i = 0; i < 3; ++i)
            QCOMPARE(s.call(), nw::kSuccess);
        QCOMPARE(s.client->sessionSigned(), signs);
        QVERIFY2(passwords.heard.isEmpty(), qPrintable(passwords.heard.join('\n')));
        QCOMPARE(s.client->badSignatures(), 0);
        QCOMPARE(failedLogins(b, QStringLiteral("ADMIN")), 0);
    }

    void serverThatRequiresSigningRefusesAClientThatMayNot()
    {
        SimServerBuilder b;
        directoryServer(b, 3);
        RecordingPasswords passwords;
        Session s(b, QStringLiteral("ADMIN.ACME"), &passwords, false);
        QCOMPARE(s.call(), nw::kInvalidConnection);
        QVERIFY2(s.client->lastError().contains(QLatin1String("requires packet signing")),
                 qPrintable(s.client->lastError()));
        QVERIFY(!s.client->sessionOpen());
        QCOMPARE(passwords.asked, 0);        // refused before any login
        QCOMPARE(passwords.heard.size(), 1); // and the person told
        QVERIFY(passwords.heard[0].contains(QLatin1String("requires signed packets")));
        // A stock client that negotiates only the older way gets no login.
        RawNcpClient raw;
        QVERIFY(raw.connectTo(s.server.port()));
        QVERIFY(raw.create());
        QVERIFY(raw.request(0x21, 0, QByteArray::fromHex("1000")));
        QCOMPARE(raw.login("ADMIN", "SECRET")->completion, std::uint8_t(0xA8));
        QCOMPARE(failedLogins(b, QStringLiteral("ADMIN")), 0);
    }

    void refusalsAreTheBinderyLoginsOnes_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QJsonObject>("keys");
        QTest::addColumn<bool>("loggedIn");
        QTest::addColumn<QString>("heard");
        QTest::addColumn<int>("failed");
        QTest::newRow("wrong password")
            << "wrong" << QJsonObject() << false << "refused ADMIN.ACME 0 ff" << 1;
        QTest::newRow("locked") << "secret"
                                << QJsonObject{{"intruderLimit", 2}, {"failedLogins", 2}} << false
                                << "refused ADMIN.ACME 1 c5" << 2;
        QTest::newRow("expired, no grace") << "secret" << QJsonObject{{"passwordExpired", true}}
                                           << false << "refused ADMIN.ACME 2 de" << 0;
        QTest::newRow("disabled") << "secret" << QJsonObject{{"disabled", true}} << false
                                  << "refused ADMIN.ACME 3 dc" << 0;
        QTest::newRow("grace login")
            << "secret" << QJsonObject{{"passwordExpired", true}, {"graceLogins", 3}} << true
            << "grace ADMIN.ACME 2" << 0;
    }
    void refusalsAreTheBinderyLoginsOnes()
    {
        QFETCH(QString, password);
        QFETCH(QJsonObject, keys);
        QFETCH(bool, loggedIn);
        QFETCH(QString, heard);
        QFETCH(int, failed);
        SimServerBuilder b;
        directoryServer(b, 2);
        for (auto it = keys.begin(); it != keys.end(); ++it)
            b.objectKey(QStringLiteral("ADMIN"), it.key(), it.value());
        RecordingPasswords passwords;
        passwords.answer = password;
        Session s(b, QStringLiteral("ADMIN.ACME"), &passwords);
        QCOMPARE(s.call(), loggedIn ? nw::kSuccess : nw::kInvalidConnection);
        QCOMPARE(passwords.heard, QStringList{heard});
        QCOMPARE(failedLogins(b, QStringLiteral("ADMIN")), failed);
    }

    void withoutADirectoryTheBinderyLogsIn()
    {
        // A bindery server: the name's leaf logs in there, and that is told.
        SimServerBuilder old;
        old.version(3, 12).password(QStringLiteral("ADMIN"), QStringLiteral("secret"));
        RecordingPasswords passwords;
        Session s(old, QStringLiteral("ADMIN.ACME"), &passwords);
        QCOMPARE(s.call(), nw::kSuccess);
        QCOMPARE(passwords.heard.size(), 1);
        QVERIFY2(passwords.heard[0].contains(QLatin1String("no directory services")),
                 qPrintable(passwords.heard[0]));
        // A plain name whose object has no key pair: the bindery, and told so.
        SimServerBuilder plain;
        plain.password(QStringLiteral("ADMIN"), QStringLiteral("secret"));
        RecordingPasswords told;
        Session p(plain, QStringLiteral("ADMIN"), &told);
        QCOMPARE(p.call(), nw::kSuccess);
        QCOMPARE(told.heard.size(), 1);
        QVERIFY2(told.heard[0].contains(QLatin1String(";bindery")), qPrintable(told.heard[0]));
        // ";bindery": straight there, nothing to tell.
        RecordingPasswords quiet;
        Session q(plain, QStringLiteral("ADMIN;bindery"), &quiet);
        QCOMPARE(q.call(), nw::kSuccess);
        QVERIFY(quiet.heard.isEmpty());
    }

    void demoServerLogsInOverTheDirectory()
    {
        // The shipped FS1, as its README line has it: ADMIN.ACME, the empty password.
        QTemporaryDir dir;
        const QString state = dir.filePath(QStringLiteral("FS1.json"));
        QVERIFY(QFile::copy(qEnvironmentVariable("QUORVEX_SOURCE_DIR") +
                                QStringLiteral("/data/demo/FS1.json"),
                            state));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("FS1/SYS")) &&
                QDir(dir.path()).mkpath(QStringLiteral("FS1/DATA")));
        NcpdProcess server(state);
        QVERIFY2(server.start(), qPrintable(server.error()));
        RecordingPasswords passwords;
        passwords.answer = QString();
        NcpClient client(
            QStringLiteral("FS1"),
            NcpServerSpec{server.host(), server.port(), QStringLiteral("ADMIN.ACME"), {}},
            nw::DriveLookup(), &passwords, SessionOptions{5000ms, kReplyLimit});
        nw::NWCONN_HANDLE conn = 0;
        client.NWCCOpenConnByName(0, "FS1", 0, 0, 0, conn);
        QCOMPARE(client.NWClearFileLockSet(conn), nw::kSuccess);
        QVERIFY2(passwords.heard.isEmpty(), qPrintable(passwords.heard.join('\n')));
    }

    void refusedPasswordIsNotTriedAgainOnARescanTick()
    {
        SimServerBuilder b;
        directoryServer(b, 2);
        quorvex::ScriptedPrompts prompts;
        prompts.queuePassword(QStringLiteral("wrong"));
        prompts.queueAnswer(quorvex::Answer::Ok); // the refusal's message
        quorvex::AttemptOrigin origin;
        auto passwords = quorvex::makePasswordSource(prompts, &origin);
        Session s(b, QStringLiteral("ADMIN.ACME"), passwords.get());
        QCOMPARE(s.call(), nw::kInvalidConnection);
        {
            const quorvex::AttemptOrigin::Automatic tick(&origin);
            QCOMPARE(s.call(), nw::kInvalidConnection);
            QCOMPARE(s.call(), nw::kInvalidConnection);
        }
        // One strike, the person's own attempt; the ticks asked the server nothing.
        QCOMPARE(failedLogins(b, QStringLiteral("ADMIN")), 1);
        QVERIFY(prompts.allScripted());
    }
};

QTEST_GUILESS_MAIN(NcpdDirectoryLoginTest)
#include "ncpd_directory_login_test.moc"
