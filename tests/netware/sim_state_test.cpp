// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing state files: every kind of bad file is refused with a
// text naming the file and the fault, makes the server unreachable, and is
// never overwritten.

#include "support/sim_server_builder.h"

#include "netware/sim_state_reader.h"
#include "netware/sim_state_writer.h"

#include <QtTest>

using namespace nw;

class SimStateTest : public QObject
{
    Q_OBJECT
private slots:
    void readsTheDocumentedForm();
    void refusesBadFiles_data();
    void refusesBadFiles();
    void badFileMakesServerUnreachableAndStaysUntouched();
    void writeAndReadAgainKeepsEverything();
    void readsWhatOnlyTheLenientParserTakes();
};

void SimStateTest::readsTheDocumentedForm()
{
    SimServerBuilder b;
    b.user(QStringLiteral("JSMITH"), QStringLiteral("SALES.ACME"), 1002)
        .file(QStringLiteral("DATA:REPORTS\\Q1.XLS"))
        .connection(5, QStringLiteral("jsmith"), QStringLiteral("2004-03-07 09:15:42"),
                    QStringLiteral("IP:10.1.2.5"))
        .opens(5, QStringLiteral("data:reports/q1.xls"), 1, 8, 3, 0)
        .trustee(QStringLiteral("DATA:REPORTS"), QStringLiteral("JSMITH"), 251)
        .fileData(QStringLiteral("DATA:REPORTS\\Q1.XLS"),
                  {{"owner", "JSMITH"}, {"attributes", 32}, {"accessed", "2004-03-07"}})
        .set(QStringLiteral("someFutureKey"), 1);
    const SimLoadResult r = loadSimState(b.write());
    QVERIFY2(r.state, qPrintable(r.error));
    const SimState& s = *r.state;
    QCOMPARE(s.volumes.size(), std::size_t(2));
    QCOMPARE(s.objectByName(QStringLiteral("jSmith"))->id, 1002u);
    QCOMPARE(s.objectByFullName(QStringLiteral("jsmith.sales.acme"))->id, 1002u);
    QCOMPARE(s.connection(5)->address.type, std::uint16_t(11));
    // Case and separators do not matter for look-ups.
    QCOMPARE(s.openEntries(QStringLiteral("DATA:REPORTS\\Q1.XLS")).size(), std::size_t(1));
    QCOMPARE(s.trusteesOfObject(1002).size(), std::size_t(1));
    QVERIFY(s.fileData(QStringLiteral("DATA:REPORTS\\Q1.XLS")));
    QCOMPARE(s.batchSize, 70);
    QVERIFY(s.unknownKeys.contains(QLatin1String("someFutureKey")));
    // The contexts make containers, with IDs no object holds.
    QCOMPARE(s.containers().size(), std::size_t(2));
    const SimContainer* sales = s.containerByName(QStringLiteral("sales.acme"));
    QVERIFY(sales && !s.objectById(sales->id));
    QCOMPARE(s.containerById(sales->id)->name, QStringLiteral("SALES.ACME"));
    QCOMPARE(s.subordinateCount(QStringLiteral("ACME")), 1);
    QCOMPARE(s.connectionsSupported(), 250);
    QCOMPARE(s.treeName(), QStringLiteral("FS1_TREE"));
}

void SimStateTest::refusesBadFiles_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("json"); // replaces the key's value; empty key = whole file
    QTest::addColumn<QString>("expected");
    QTest::newRow("truncated") << QString() << "{\"server\": \"FS1\", \"volumes\": ["
                               << "malformed JSON";
    QTest::newRow("not an object") << QString() << "[1, 2]"
                                   << "one JSON object";
    QTest::newRow("no server") << "server"
                               << "null"
                               << "server: must be a text";
    QTest::newRow("long server name")
        << "server" << QString("\"%1\"").arg(QString(48, 'S')) << "1 to 47";
    QTest::newRow("batch size 0") << "batchSize"
                                  << "0"
                                  << "batchSize: 0 is outside 1..70";
    QTest::newRow("batch size 71") << "batchSize"
                                   << "71"
                                   << "outside 1..70";
    QTest::newRow("batch size text") << "batchSize"
                                     << "\"70\""
                                     << "must be a number";
    QTest::newRow("fractional latency") << "latencyMs"
                                        << "1.5"
                                        << "latencyMs";
    QTest::newRow("connection 0") << "connections"
                                  << R"([{"number": 0, "user": "ADMIN"}])"
                                  << "outside 1..65535";
    QTest::newRow("connection 65536") << "connections"
                                      << R"([{"number": 65536, "user": "ADMIN"}])"
                                      << "connections[0].number";
    QTest::newRow("duplicate connection")
        << "connections"
        << R"([{"number": 3, "user": "ADMIN"}, {"number": 3, "user": "ADMIN"}])"
        << "connection 3 appears twice";
    QTest::newRow("unknown connection user") << "connections"
                                             << R"([{"number": 3, "user": "NOBODY"}])"
                                             << "unknown object NOBODY";
    QTest::newRow("bad login") << "connections"
                               << R"([{"number": 3, "user": "ADMIN", "login": "yesterday"}])"
                               << "login";
    QTest::newRow("bad address") << "connections"
                                 << R"([{"number": 3, "user": "ADMIN", "address": "IP:1.2.3"}])"
                                 << "address";
    QTest::newRow("open on unknown volume")
        << "connections"
        << R"([{"number": 3, "user": "ADMIN", "open": [{"path": "VOL9:X"}]}])"
        << "unknown volume VOL9";
    QTest::newRow("missing volume root") << "volumes"
                                         << R"([{"name": "SYS", "root": "nowhere"}])"
                                         << "does not exist";
    QTest::newRow("volumes wrong type") << "volumes"
                                        << "{}"
                                        << "must be an array";
    QTest::newRow("unknown trustee") << "trustees"
                                     << R"([{"path": "SYS:X", "object": "NOBODY", "rights": 1}])"
                                     << "unknown object NOBODY";
    QTest::newRow("unknown trustee id") << "trustees"
                                        << R"([{"path": "SYS:X", "object": 4711, "rights": 1}])"
                                        << "unknown object id 4711";
    QTest::newRow("rights too big") << "trustees"
                                    << R"([{"path": "SYS:X", "object": "ADMIN", "rights": 65536}])"
                                    << "rights";
    QTest::newRow("bad workstation user") << "workstation"
                                          << R"({"user": "NOBODY"})"
                                          << "workstation.user";
    QTest::newRow("duplicate object id") << "objects"
                                         << R"([{"id": 1, "name": "A"}, {"id": 1, "name": "B"}])"
                                         << "objects[1].id";
    QTest::newRow("password not a text") << "objects"
                                         << R"([{"id": 1, "name": "A", "password": 7}])"
                                         << "objects[0].password";
    QTest::newRow("members of a user") << "objects"
                                       << R"([{"id": 1, "name": "A", "members": ["A"]}])"
                                       << "objects[0].members";
    QTest::newRow("unknown member") << "objects"
                                    << R"([{"id": 1, "name": "G", "type": 2, "members": ["X"]}])"
                                    << "objects[0].members[0]";
    QTest::newRow("no connections") << "maxConnections"
                                    << "0"
                                    << "maxConnections";
    QTest::newRow("tree name too long") << "tree"
                                        << R"("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456")"
                                        << "tree";
    QTest::newRow("bad fault code") << "faults"
                                    << R"([{"call": "X", "code": "lots"}])"
                                    << "faults[0].code";
    QTest::newRow("bad file date") << "files"
                                   << R"({"DATA:A": {"created": "2004-13-45"}})"
                                   << "created";
    // The first in code point order, as always: U+FFFD before U+1F600.
    QTest::newRow("first bad file")
        << "files"
        << QString::fromUtf8(
               R"({"DATA:\ud83d\ude00": {"created": "x"}, "DATA:\ufffd": {"created": "x"}})")
        << QString::fromUtf8("files[\"DATA:\uFFFD\"].created");
}

void SimStateTest::refusesBadFiles()
{
    QFETCH(QString, key);
    QFETCH(QString, json);
    QFETCH(QString, expected);
    SimServerBuilder b;
    QByteArray text;
    if (key.isEmpty()) {
        text = json.toUtf8();
    } else {
        QJsonObject root = b.json();
        root.insert(QLatin1String("connections"), QJsonArray());
        const QJsonDocument value = QJsonDocument::fromJson("[" + json.toUtf8() + "]");
        QVERIFY(value.isArray());
        root.insert(key, value.array().at(0));
        text = QJsonDocument(root).toJson();
    }
    const SimLoadResult r = parseSimState(text, b.statePath());
    QVERIFY(!r.state);
    QVERIFY2(r.error.startsWith(b.statePath() + QLatin1String(": ")), qPrintable(r.error));
    QVERIFY2(r.error.contains(expected), qPrintable(r.error));
}

void SimStateTest::badFileMakesServerUnreachableAndStaysUntouched()
{
    SimServerBuilder b;
    auto client = b.client();
    NWCONN_HANDLE conn = 0;
    char server[48], volume[48], path[255];
    QCOMPARE(client->NWParsePath("F:\\X.TXT", server, conn, volume, path), kSuccess);
    const QByteArray broken = "{\"server\": \"FS1\", \"volumes\": [";
    QFile f(b.statePath());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(broken);
    f.close();
    const std::uint32_t list[] = {1};
    std::uint8_t results[1];
    QCOMPARE(client->NWSendBroadcastMessage(conn, "hi", 1, list, results), kInvalidConnection);
    QCOMPARE(client->NWClearConnectionNumber(conn, 1), kInvalidConnection);
    QCOMPARE(client->NWClearFileLockSet(conn), kInvalidConnection);
    std::uint16_t volNum = 0;
    QCOMPARE(client->NWGetVolumeNumber(conn, "DATA", volNum), kInvalidConnection);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), broken);
    QVERIFY(client->simServer(QStringLiteral("fs1"))
                ->errorText()
                .contains(QLatin1String("malformed JSON")));
}

void SimStateTest::writeAndReadAgainKeepsEverything()
{
    SimServerBuilder b;
    b.user(QStringLiteral("BOB"))
        .password(QStringLiteral("BOB"), QStringLiteral("s3cret"))
        .connection(7, QStringLiteral("BOB"), QStringLiteral("2004-03-07 09:15:42"),
                    QStringLiteral("IPX:0000ABCD:001B2C3D4E5F:4003"))
        .connection(
            8, QStringLiteral("BOB"), QStringLiteral("2004-03-08 10:00:00"),
            QJsonObject{
                {"type", 7}, {"network", "01020304"}, {"node", "0A0B0C0D0E0F"}, {"socket", "1234"}})
        .file(QStringLiteral("DATA:A.TXT"))
        .opens(7, QStringLiteral("DATA:A.TXT"), 2, 0, 1, 1)
        .trustee(QStringLiteral("DATA:A.TXT"), QStringLiteral("BOB"), 3)
        .fileData(QStringLiteral("DATA:A.TXT"),
                  {{"owner", "BOB"}, {"archived", "2004-01-02 03:04:06"}})
        .fault(QStringLiteral("NWGetInetAddr"), 0x89FD, -1)
        .set(QStringLiteral("emptyBatches"), 2)
        .set(QStringLiteral("extra"), QStringLiteral("kept"))
        .user(QStringLiteral("STAFF"), QString(), 50)
        .objectKey(QStringLiteral("STAFF"), QStringLiteral("type"), 2)
        .objectKey(QStringLiteral("STAFF"), QStringLiteral("members"), QJsonArray{"BOB", 1})
        .objectKey(QStringLiteral("BOB"), QStringLiteral("fullName"), "Bob")
        .objectKey(QStringLiteral("BOB"), QStringLiteral("securityEquals"), QJsonArray{"ADMIN"})
        .set(QStringLiteral("maxConnections"), 500)
        .set(QStringLiteral("tree"), QStringLiteral("T1"))
        .set(QStringLiteral("address"), QStringLiteral("IPX:0000FF01:000000000001:0451"));
    const SimLoadResult first = loadSimState(b.write());
    QVERIFY2(first.state, qPrintable(first.error));
    QString error;
    QVERIFY(saveSimState(*first.state, b.statePath(), &error));
    const SimLoadResult second = loadSimState(b.statePath());
    QVERIFY2(second.state, qPrintable(second.error));
    QCOMPARE(simStateToJson(*second.state), simStateToJson(*first.state));
    const SimState& s = *second.state;
    QCOMPARE(s.objectByName(QStringLiteral("BOB"))->password, QString("s3cret"));
    QVERIFY(!s.objectByName(QStringLiteral("ADMIN"))->password); // absent stays absent
    QCOMPARE(s.connection(7)->address.type, std::uint16_t(2));
    QCOMPARE(s.connection(8)->address.type, std::uint16_t(7));
    QCOMPARE(s.connection(8)->address.socket[1], std::uint8_t(0x34));
    QCOMPARE(s.connection(7)->open.at(0).locked, std::uint8_t(1));
    QCOMPARE(s.faults.at(0).count, -1);
    QCOMPARE(s.emptyBatches, 2);
    QCOMPARE(s.fileData(QStringLiteral("DATA:A.TXT"))->archived->time(), QTime(3, 4, 6));
    QCOMPARE(s.unknownKeys.value(QLatin1String("extra")).toString(), QStringLiteral("kept"));
    const SimObject* bob = s.objectByName(QStringLiteral("BOB"));
    QCOMPARE(s.objectByName(QStringLiteral("STAFF"))->members,
             (std::vector<std::uint32_t>{bob->id, 1}));
    QCOMPARE(s.groupsOf(bob->id), std::vector<std::uint32_t>{50});
    QCOMPARE(bob->identification, QStringLiteral("Bob"));
    QCOMPARE(bob->equals, std::vector<std::uint32_t>{1});
    QCOMPARE(s.maxConnections, 500);
    QCOMPARE(s.treeName(), QStringLiteral("T1"));
    QCOMPARE(s.address.type, std::uint16_t(2));
}

// The fast reading refuses a byte order mark, a control character in a text
// and "3."; the state is read all the same, a repeated key taken the last time
// either way.
void SimStateTest::readsWhatOnlyTheLenientParserTakes()
{
    SimServerBuilder b;
    b.user(QStringLiteral("BOB")).connection(7, QStringLiteral("BOB")).write();
    const QByteArray text = QJsonDocument(b.json()).toJson();
    QVERIFY(text.startsWith('{'));
    const QByteArray plain = R"({"emptyBatches": 1, "emptyBatches": 2, "extra": "a b",)";
    const QByteArray unusual = "\xEF\xBB\xBF" +
                               QByteArray(R"({"emptyBatches": 1, "emptyBatches": 2.,)") +
                               "\"extra\": \"a\x01"
                               "b\",";
    for (const QByteArray& head : {plain, unusual}) {
        const SimLoadResult r = parseSimState(head + text.mid(1), b.statePath());
        QVERIFY2(r.state, qPrintable(r.error));
        QCOMPARE(r.state->emptyBatches, 2);
        QVERIFY(r.state->connection(7));
        QCOMPARE(r.state->connection(7)->user, QStringLiteral("BOB"));
        QCOMPARE(r.state->unknownKeys.value(QLatin1String("extra")).toString().size(), 3);
    }
}

QTEST_GUILESS_MAIN(SimStateTest)
#include "sim_state_test.moc"
