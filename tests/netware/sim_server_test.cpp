// SPDX-License-Identifier: GPL-3.0-or-later
// Several users of one server file: changes made by a second client or by the
// quorvex-sim tool are seen, concurrent writers lose nothing, an unchanged
// file is not read again, and the tool refuses bad commands without changing
// the file.

#include "support/sim_server_builder.h"
#include "support/small_file_system.h"

#include "ncp/bindery_password.h"
#include "ncpauth/ds_key.h"
#include "ncpauth/sealed_block.h"
#include "netware/sim_path.h"
#include "netware/sim_state_reader.h"

#include <QtTest>

#include <thread>

using namespace nw;

namespace {

QString toolPath()
{
    return qEnvironmentVariable("QUORVEX_BUILD_DIR") + QStringLiteral("/quorvex-sim");
}

struct ToolRun
{
    int status = -1;
    QString out, err;
};

ToolRun runTool(const QStringList& args, const QByteArray& input = QByteArray())
{
    QProcess p;
    p.start(toolPath(), args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class SimServerTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void unchangedFileIsNotReadAgain();
    void secondClientChangeIsSeen();
    void toolChangesAreSeen();
    void toolRefusesBadCommands_data();
    void toolRefusesBadCommands();
    void concurrentWritersLoseNothing();
    void toolGeneratesLargeServer();
    void toolSaysWhyTheStateCannotBeUsed();
};

void SimServerTest::initTestCase()
{
    QVERIFY2(QFileInfo(toolPath()).isExecutable(), qPrintable(toolPath()));
}

void SimServerTest::unchangedFileIsNotReadAgain()
{
    SimServerBuilder b;
    SimServer server(b.write());
    const auto first = server.state();
    QVERIFY(first);
    QCOMPARE(server.state().get(), first.get());
    // Same size, new content: a rewrite (new inode, new time) is noticed once
    // the server looks at the file again, which it does at most every 2 ms.
    QTest::qSleep(10);
    QByteArray text = contents(b.statePath());
    text.replace("\"FS1\"", "\"FS7\"");
    QSaveFile f(b.statePath());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
    QVERIFY(f.commit());
    QCOMPARE(server.state()->server, QStringLiteral("FS7"));
}

void SimServerTest::secondClientChangeIsSeen()
{
    SimServerBuilder b;
    b.user(QStringLiteral("BOB"))
        .connection(5, QStringLiteral("BOB"))
        .connection(6, QStringLiteral("BOB"));
    auto first = b.client();
    auto second = b.client();
    char s[48], v[48], p[255];
    NWCONN_HANDLE c1 = 0, c2 = 0;
    first->NWParsePath("F:\\", s, c1, v, p);
    second->NWParsePath("F:\\", s, c2, v, p);
    NWINET_ADDR a;
    QCOMPARE(first->NWGetInetAddr(c1, 5, a), kSuccess);
    QCOMPARE(second->NWClearConnectionNumber(c2, 5), kSuccess);
    QCOMPARE(first->NWGetInetAddr(c1, 5, a), kBadStationNumber);
    // And the other way round, on the fresh state.
    QCOMPARE(first->NWClearConnectionNumber(c1, 6), kSuccess);
    QCOMPARE(second->NWGetInetAddr(c2, 6, a), kBadStationNumber);
}

void SimServerTest::toolChangesAreSeen()
{
    SimServerBuilder b;
    b.user(QStringLiteral("JSMITH")).file(QStringLiteral("DATA:REPORTS\\Q1.XLS"));
    auto client = b.client();
    char s[48], v[48], p[255];
    NWCONN_HANDLE conn = 0;
    client->NWParsePath("F:\\REPORTS\\Q1.XLS", s, conn, v, p);
    const QString state = b.statePath();

    const ToolRun login = runTool(
        {state, "login", "jsmith", "--address", "IP:10.1.2.5", "--at", "2004-03-07 09:15:42"});
    QCOMPARE(login.status, 0);
    const QString number = login.out.trimmed();
    QCOMPARE(number, QStringLiteral("2")); // 1 is the workstation's
    QCOMPARE(
        runTool({state, "open", number, "data:reports/q1.xls", "--task", "4", "--locked"}).status,
        0);

    std::int16_t iter = 0;
    CONN_USING_FILE_SUMMARY sum;
    CONNS_USING_FILE batch;
    QCOMPARE(client->NWScanConnectionsUsingFile(conn, 0, "DATA:REPORTS\\Q1.XLS", iter, sum, batch),
             kSuccess);
    QCOMPARE(batch.connCount, std::uint16_t(1));
    QCOMPARE(batch.connInfo[0].connNumber, std::uint16_t(2));
    QCOMPARE(batch.connInfo[0].taskNumber, std::uint16_t(4));
    QCOMPARE(batch.connInfo[0].lockFlag, std::uint8_t(1));
    NWINET_ADDR a;
    QCOMPARE(client->NWGetInetAddr(conn, 2, a), kSuccess);
    QCOMPARE(a.network[3], std::uint8_t(5));

    std::uint32_t list[] = {2};
    std::uint8_t result = 0;
    QCOMPARE(client->NWSendBroadcastMessage(conn, "Lunch?", 1, list, &result), kSuccess);
    const ToolRun messages = runTool({state, "messages", number});
    QCOMPARE(messages.status, 0);
    QVERIFY2(messages.out.contains(QLatin1String("ADMIN: Lunch?")), qPrintable(messages.out));

    QCOMPARE(runTool({state, "fault", "NWGetInetAddr", "0x89FD", "--count", "1"}).status, 0);
    QCOMPARE(client->NWGetInetAddr(conn, 2, a), kBadStationNumber);
    QCOMPARE(client->NWGetInetAddr(conn, 2, a), kSuccess);

    QCOMPARE(runTool({state, "close", number, "DATA:REPORTS\\Q1.XLS"}).status, 0);
    QCOMPARE(runTool({state, "logout", number}).status, 0);
    QCOMPARE(client->NWGetInetAddr(conn, 2, a), kBadStationNumber);
    const ToolRun show = runTool({state, "show"});
    QCOMPARE(show.status, 0);
    QVERIFY(show.out.contains(QLatin1String("0 connection(s)")));

    // An account locked by intruder detection, unlocked.
    b.objectKey("JSMITH", "intruderLimit", 3).objectKey("JSMITH", "failedLogins", 3).write();
    QVERIFY(runTool({state, "show"})
                .out.contains(QLatin1String("JSMITH: 3 refused login(s) (locked)")));
    QCOMPARE(runTool({state, "unlock", "jsmith"}).status, 0);
    const auto reloaded = loadSimState(state).state;
    QVERIFY(reloaded);
    const auto after = reloaded->objectByName(QStringLiteral("JSMITH"));
    QVERIFY(after && !after->locked() && after->intruderLimit == 3);

    // A new password: only what servers keep, the key pair sealed under its hash.
    // Passwords with a blank, which no base64 key or hex hash in the file holds.
    b.password(QStringLiteral("JSMITH"), QStringLiteral("old pass")).write();
    QCOMPARE(runTool({state, "password", "jsmith"}, "n3w pass\n").status, 0);
    const auto keyed = loadSimState(state).state;
    const SimObject* j = keyed->objectByName(QStringLiteral("JSMITH"));
    const auto hash = ncp::shufflePassword(j->id, "N3W PASS");
    QCOMPARE(j->passwordHash, QByteArray(reinterpret_cast<const char*>(hash.data()), 16));
    QVERIFY(!j->password);
    QVERIFY(!contents(state).contains("n3w pass") && !contents(state).contains("old pass"));
    const auto sealed = ncp::openBlock(hash, j->privateKey);
    QVERIFY(sealed && ncp::decodePrivateKey(*sealed) && ncp::decodePublicKey(j->publicKey));
    QVERIFY(ncp::decodePrivateKey(keyed->privateKey)); // the server's own
}

void SimServerTest::toolRefusesBadCommands_data()
{
    QTest::addColumn<QStringList>("args"); // STATE is prepended
    QTest::newRow("unknown command") << QStringList{"dance"};
    QTest::newRow("unknown user") << QStringList{"login", "NOBODY"};
    QTest::newRow("connection in use") << QStringList{"login", "BOB", "--conn", "5"};
    QTest::newRow("bad address") << QStringList{"login", "BOB", "--address", "IP:1.2"};
    QTest::newRow("bad time") << QStringList{"login", "BOB", "--at", "now"};
    QTest::newRow("unknown option") << QStringList{"login", "BOB", "--colour", "red"};
    QTest::newRow("logout unknown") << QStringList{"logout", "9"};
    QTest::newRow("logout not a number") << QStringList{"logout", "five"};
    QTest::newRow("open missing file") << QStringList{"open", "5", "DATA:NOPE.TXT"};
    QTest::newRow("open bad volume") << QStringList{"open", "5", "VOL9:A.TXT"};
    QTest::newRow("open twice") << QStringList{"open", "5", "DATA:A.TXT"};
    QTest::newRow("close not open") << QStringList{"close", "5", "DATA:A.TXT", "--task", "2"};
    QTest::newRow("fault bad code") << QStringList{"fault", "NWGetInetAddr", "lots"};
    QTest::newRow("fault count 0") << QStringList{"fault", "NWGetInetAddr", "1", "--count", "0"};
    QTest::newRow("missing argument") << QStringList{"open", "5"};
    QTest::newRow("password of nobody") << QStringList{"password", "NOBODY"};
    QTest::newRow("password not given") << QStringList{"password", "BOB"};
}

void SimServerTest::toolRefusesBadCommands()
{
    QFETCH(QStringList, args);
    SimServerBuilder b;
    b.user(QStringLiteral("BOB"))
        .file(QStringLiteral("DATA:A.TXT"))
        .connection(5, QStringLiteral("BOB"))
        .opens(5, QStringLiteral("DATA:A.TXT"));
    const QByteArray before = contents(b.write());
    const ToolRun run = runTool(QStringList{b.statePath()} + args);
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.startsWith(QLatin1String("quorvex-sim: ")) &&
                 run.err.count(QLatin1Char('\n')) == 1,
             qPrintable(run.err));
    QCOMPARE(contents(b.statePath()), before);
}

void SimServerTest::concurrentWritersLoseNothing()
{
    SimServerBuilder b;
    b.user(QStringLiteral("BOB"));
    const QString state = b.write();
    // Two tool processes and two in-process writers log users in at the same time.
    const int perWriter = 25;
    QList<QProcess*> tools;
    for (int i = 0; i < 2; ++i) {
        auto* p = new QProcess(this);
        p->start(
            QStringLiteral("/bin/sh"),
            {"-c", QStringLiteral(
                       "for i in $(seq %1); do \"%2\" \"%3\" login BOB >/dev/null || exit 1; done")
                       .arg(perWriter)
                       .arg(toolPath(), state)});
        tools << p;
    }
    auto writer = [&] {
        SimServer server(state);
        for (int i = 0; i < perWriter; ++i)
            server.mutate([](SimState& s) {
                std::uint16_t n = 2;
                while (s.connection(n))
                    ++n;
                s.connections.push_back(
                    SimConnection{n, "BOB", QDateTime::currentDateTime(), {}, true, {}, {}});
                return true;
            });
    };
    std::thread t1(writer), t2(writer);
    t1.join();
    t2.join();
    for (QProcess* p : tools) {
        QVERIFY(p->waitForFinished(120000));
        QCOMPARE(p->exitCode(), 0);
    }
    const SimLoadResult r = loadSimState(state);
    QVERIFY2(r.state, qPrintable(r.error));
    QCOMPARE(int(r.state->connections.size()), 4 * perWriter);
}

void SimServerTest::toolGeneratesLargeServer()
{
    QTemporaryDir dir;
    const ToolRun gen = runTool({"generate", dir.path(), "--users", "10000", "--file",
                                 "DATA:SHARED\\BIG.DB", "--tasks", "2"});
    QCOMPARE(gen.status, 0);
    const QString state = gen.out.trimmed();
    const ToolRun show = runTool({state, "show"});
    QCOMPARE(show.status, 0);
    QVERIFY(show.out.contains(QLatin1String("10000 connection(s)")));
    QCOMPARE(show.out.count(QLatin1String("DATA:SHARED\\BIG.DB")), 20000);
    SimServer server(state);
    const auto s = server.state();
    QVERIFY2(s, qPrintable(server.errorText()));
    QVERIFY(
        findHostPath(s->volumes[std::size_t(s->volumeIndex("DATA"))].hostDir, "shared\\big.db"));
    // The server and the user who logs in can log in over the directory.
    QVERIFY(!s->privateKey.isEmpty() && !s->objectByName(s->workstation.user)->publicKey.isEmpty());
    QCOMPARE(runTool({"generate", dir.path(), "--users", "ten", "--file", "DATA:X"}).status, 1);
    QCOMPARE(runTool({"generate", dir.path(), "--users", "5", "--file", "nofile"}).status, 1);
}

void SimServerTest::toolSaysWhyTheStateCannotBeUsed()
{
    QTemporaryDir dir;
    const QString loop = dir.filePath(QStringLiteral("LOOP.json"));
    QVERIFY(QFile::link(loop + QStringLiteral(".2"), loop));
    QVERIFY(QFile::link(loop, loop + QStringLiteral(".2")));
    const ToolRun looped = runTool({loop, "show"});
    QCOMPARE(looped.status, 1);
    QVERIFY2(looped.err.contains(QStringLiteral("a loop of symbolic links")),
             qPrintable(looped.err));

    // A change that cannot be written leaves the state as it was and says why.
    SmallFileSystem disk;
    if (!disk.isMounted())
        QSKIP(qPrintable(disk.whyNot()));
    SimServerBuilder b;
    b.user(QStringLiteral("JSMITH")).write();
    QJsonObject json = b.json();
    QJsonArray volumes;
    for (const QJsonValue& v : json.value(QLatin1String("volumes")).toArray()) {
        QJsonObject volume = v.toObject();
        volume.insert(QLatin1String("root"),
                      b.dir() + QLatin1Char('/') + volume.value(QLatin1String("root")).toString());
        volumes.append(volume);
    }
    json.insert(QLatin1String("volumes"), volumes);
    const QString state = disk.filePath(QStringLiteral("FS1.json"));
    QFile file(state);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(json).toJson());
    file.close();
    const QByteArray before = contents(state);
    QVERIFY(disk.fill());
    const ToolRun full = runTool({state, "login", "JSMITH"});
    QCOMPARE(full.status, 1);
    QVERIFY2(full.err.startsWith(QStringLiteral("quorvex-sim: cannot write ") + state),
             qPrintable(full.err));
    QCOMPARE(contents(state), before);
}

QTEST_GUILESS_MAIN(SimServerTest)
#include "sim_server_test.moc"
