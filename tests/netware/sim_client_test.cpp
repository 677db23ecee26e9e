// SPDX-License-Identifier: GPL-3.0-or-later
// The connection calls of the simulated client: path parsing, the scan of
// connections using a file, connection details, messages, clearing.

#include "support/sim_server_builder.h"

#include "netware/sim_state_reader.h"

#include <QtTest>

using namespace nw;

namespace {

struct Parsed
{
    NWCCODE code = 0;
    NWCONN_HANDLE conn = 0;
    QString server, volume, path;
};

Parsed parse(NetWareClient& c, const char* text)
{
    char server[48] = {}, volume[48] = {}, path[255] = {};
    Parsed p;
    p.code = c.NWParsePath(text, server, p.conn, volume, path);
    p.server = QString::fromLatin1(server);
    p.volume = QString::fromLatin1(volume);
    p.path = QString::fromLatin1(path);
    return p;
}

// Every entry of a complete scan, and the number of calls it took.
struct ScanResult
{
    NWCCODE code = 0;
    std::vector<CONN_USING_FILE> entries;
    int calls = 0;
    int emptyAnswers = 0;
};

ScanResult scanAll(NetWareClient& c, NWCONN_HANDLE conn, const char* path)
{
    ScanResult r;
    std::int16_t iter = 0;
    for (;;) {
        CONN_USING_FILE_SUMMARY summary;
        CONNS_USING_FILE batch;
        batch.connCount = 99;
        r.code = c.NWScanConnectionsUsingFile(conn, 0, path, iter, summary, batch);
        ++r.calls;
        if (r.code != kSuccess || r.calls > 1000)
            return r;
        if (batch.connCount == 0)
            ++r.emptyAnswers;
        r.entries.insert(r.entries.end(), batch.connInfo.begin(),
                         batch.connInfo.begin() + batch.connCount);
    }
}

} // namespace

class SimClientTest : public QObject
{
    Q_OBJECT
private slots:
    void parsesDriveAndVolumePaths_data();
    void parsesDriveAndVolumePaths();
    void handlesZeroClosedAndOpenedByName();
    void scanBatchesOrderedWithCarriedHandle();
    void scanRefusals();
    void scanSeesFileOpenedBetweenBatches();
    void connectionInformationLoginBytes_data();
    void connectionInformationLoginBytes();
    void addressRecords_data();
    void addressRecords();
    void broadcastMessages();
    void accentedFileNamesFindTheHostFile();
    void clearConnection();
    void clearingOwnConnectionInvalidatesHandle();
    void fileLocks();
    void callsInitNeedsABackend();
};

void SimClientTest::parsesDriveAndVolumePaths_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<uint>("code");
    QTest::addColumn<QString>("volume");
    QTest::addColumn<QString>("path");
    QTest::newRow("drive") << "F:\\REPORTS\\Q1.XLS" << uint(kSuccess) << "DATA"
                           << "REPORTS\\Q1.XLS";
    QTest::newRow("mapped root") << "G:\\Q1.XLS" << uint(kSuccess) << "DATA"
                                 << "REPORTS\\Q1.XLS";
    QTest::newRow("slashes") << "f:/reports/q1.xls" << uint(kSuccess) << "DATA"
                             << "reports\\q1.xls";
    QTest::newRow("volume path") << "data:REPORTS\\Q1.XLS" << uint(kSuccess) << "DATA"
                                 << "REPORTS\\Q1.XLS";
    QTest::newRow("server and volume") << "FS1\\SYS:PUBLIC\\X" << uint(kSuccess) << "SYS"
                                       << "PUBLIC\\X";
    QTest::newRow("unc") << "\\\\FS1\\DATA\\A.TXT" << uint(kSuccess) << "DATA"
                         << "A.TXT";
    QTest::newRow("unmapped drive") << "Q:\\X" << uint(kBadPathSyntax) << ""
                                    << "";
    QTest::newRow("unknown volume") << "NOVOL:X" << uint(kBadPathSyntax) << ""
                                    << "";
    QTest::newRow("no volume") << "REPORTS\\Q1.XLS" << uint(kBadPathSyntax) << ""
                               << "";
    QTest::newRow("drive on unknown server") << "H:\\X" << uint(kInvalidConnection) << ""
                                             << "";
}

void SimClientTest::parsesDriveAndVolumePaths()
{
    QFETCH(QString, input);
    QFETCH(uint, code);
    QFETCH(QString, volume);
    QFETCH(QString, path);
    SimServerBuilder b;
    auto client = b.client({{QLatin1Char('F'), {"FS1", "DATA", ""}},
                            {QLatin1Char('G'), {"FS1", "data", "REPORTS"}},
                            {QLatin1Char('H'), {"FS9", "DATA", ""}}});
    const Parsed p = parse(*client, input.toLatin1().constData());
    QCOMPARE(p.code, NWCCODE(code));
    if (code != kSuccess)
        return;
    QCOMPARE(p.server, QStringLiteral("FS1"));
    QCOMPARE(p.volume, volume);
    QCOMPARE(p.path, path);
    QVERIFY(p.conn != 0);
    // One workstation handle per server, whatever the path.
    QCOMPARE(parse(*client, "SYS:X").conn, p.conn);
}

void SimClientTest::handlesZeroClosedAndOpenedByName()
{
    SimServerBuilder b;
    auto client = b.client();
    std::uint16_t vol = 0;
    QCOMPARE(client->NWGetVolumeNumber(0, "DATA", vol), kInvalidConnection);
    NWCONN_HANDLE other = 0;
    QCOMPARE(client->NWCCOpenConnByName(0, "fs1", 2, 1, 0x8000, other), kSuccess);
    QVERIFY(other != 0 && other != parse(*client, "F:\\X").conn);
    QCOMPARE(client->NWGetVolumeNumber(other, "DATA", vol), kSuccess);
    QCOMPARE(vol, std::uint16_t(1));
    QCOMPARE(client->NWCCCloseConn(other), kSuccess);
    QCOMPARE(client->NWGetVolumeNumber(other, "DATA", vol), kInvalidConnection);
    QCOMPARE(client->NWCCCloseConn(other), kInvalidConnection);
    NWCONN_HANDLE none = 0;
    QVERIFY(client->NWCCOpenConnByName(0, "FS9", 2, 1, 0x8000, none) != kSuccess);
}

void SimClientTest::scanBatchesOrderedWithCarriedHandle()
{
    // 150 connections in reverse order, two of them with a second task: more
    // than two full batches, after two empty answers.
    SimServerBuilder b;
    b.user(QStringLiteral("BOB")).file(QStringLiteral("DATA:DB\\BIG.DB"));
    for (int n = 151; n >= 2; --n) {
        b.connection(n, QStringLiteral("BOB"))
            .opens(n, QStringLiteral("DATA:DB\\BIG.DB"), 3, 8, 1, n == 77);
        if (n == 10 || n == 140)
            b.opens(n, QStringLiteral("data:db/big.db"), 1, 0, 3);
    }
    b.set(QStringLiteral("emptyBatches"), 2);
    auto client = b.client();
    const Parsed p = parse(*client, "F:\\DB\\BIG.DB");
    std::int16_t iter = 0;
    CONN_USING_FILE_SUMMARY summary;
    CONNS_USING_FILE batch;
    std::vector<CONN_USING_FILE> all;
    std::vector<int> counts;
    std::int16_t firstHandle = 0;
    NWCCODE code = kSuccess;
    while ((code = client->NWScanConnectionsUsingFile(p.conn, 0, "DATA:DB\\BIG.DB", iter, summary,
                                                      batch)) == kSuccess) {
        if (counts.empty())
            firstHandle = iter;
        QCOMPARE(iter, firstHandle); // carried unchanged
        counts.push_back(batch.connCount);
        all.insert(all.end(), batch.connInfo.begin(), batch.connInfo.begin() + batch.connCount);
        QVERIFY(counts.size() < 20);
    }
    QCOMPARE(code, kNoMoreEntries);
    QVERIFY(firstHandle != 0);
    QCOMPARE(counts, (std::vector<int>{0, 0, 70, 70, 12}));
    QCOMPARE(all.size(), std::size_t(152));
    for (std::size_t i = 1; i < all.size(); ++i)
        QVERIFY(std::pair(all[i - 1].connNumber, all[i - 1].taskNumber) <
                std::pair(all[i].connNumber, all[i].taskNumber));
    QCOMPARE(all[0].connNumber, std::uint16_t(2));
    QCOMPARE(all[8].connNumber, std::uint16_t(10)); // task 1 before task 3
    QCOMPARE(all[8].taskNumber, std::uint16_t(1));
    QCOMPARE(all[8].accessControl, std::uint8_t(3));
    QCOMPARE(all[8].lockType, std::uint8_t(0));
    QCOMPARE(all[9].taskNumber, std::uint16_t(3));
    const auto locked = std::find_if(all.begin(), all.end(), [](auto& e) { return e.lockFlag; });
    QCOMPARE(locked->connNumber, std::uint16_t(77));
    QCOMPARE(summary.useCount, std::uint16_t(150));
    QCOMPARE(summary.openCount, std::uint16_t(152));
    QCOMPARE(summary.locked, std::uint8_t(1));

    // A smaller batch size, and a second scan starts afresh with its empty answers.
    b.set(QStringLiteral("batchSize"), 50).set(QStringLiteral("emptyBatches"), 1);
    client = b.client();
    const ScanResult again = scanAll(*client, parse(*client, "F:\\X").conn, "DATA:DB\\BIG.DB");
    QCOMPARE(again.code, kNoMoreEntries);
    QCOMPARE(again.entries.size(), std::size_t(152));
    QCOMPARE(again.calls, 1 + 4 + 1);
    QCOMPARE(again.emptyAnswers, 1);
}

void SimClientTest::scanRefusals()
{
    SimServerBuilder b;
    b.file(QStringLiteral("DATA:FREE.TXT"));
    auto client = b.client();
    const NWCONN_HANDLE conn = parse(*client, "F:\\FREE.TXT").conn;
    // A file nobody has open: nothing at once.
    QCOMPARE(scanAll(*client, conn, "DATA:FREE.TXT").code, kNoMoreEntries);
    QCOMPARE(scanAll(*client, conn, "DATA:FREE.TXT").calls, 1);
    QCOMPARE(scanAll(*client, conn, "DATA:MISSING.TXT").code, kInvalidPath);
    QCOMPARE(scanAll(*client, conn, "NOVOL:FREE.TXT").code, kVolumeDoesNotExist);
    QCOMPARE(scanAll(*client, 0, "DATA:FREE.TXT").code, kInvalidConnection);

    SimServerBuilder plain;
    plain.workstation(1, QStringLiteral("ADMIN"), false).file(QStringLiteral("DATA:FREE.TXT"));
    auto noOperator = plain.client();
    QCOMPARE(scanAll(*noOperator, parse(*noOperator, "F:\\FREE.TXT").conn, "DATA:FREE.TXT").code,
             kNoConsoleRights);
}

void SimClientTest::scanSeesFileOpenedBetweenBatches()
{
    SimServerBuilder b;
    b.user(QStringLiteral("BOB"))
        .file(QStringLiteral("DATA:A.DB"))
        .set(QStringLiteral("batchSize"), 2);
    for (int n = 2; n <= 5; ++n)
        b.connection(n, QStringLiteral("BOB")).opens(n, QStringLiteral("DATA:A.DB"));
    auto client = b.client();
    const NWCONN_HANDLE conn = parse(*client, "F:\\A.DB").conn;
    std::int16_t iter = 0;
    CONN_USING_FILE_SUMMARY summary;
    CONNS_USING_FILE batch;
    QCOMPARE(client->NWScanConnectionsUsingFile(conn, 0, "DATA:A.DB", iter, summary, batch),
             kSuccess);
    QCOMPARE(batch.connInfo[1].connNumber, std::uint16_t(3));
    // Another station logs out connection 4 and opens the file on 9 meanwhile.
    auto second = b.client();
    const NWCONN_HANDLE conn2 = parse(*second, "F:\\A.DB").conn;
    QCOMPARE(second->NWClearConnectionNumber(conn2, 4), kSuccess);
    QVERIFY(second->simServer("FS1")->mutate([](SimState& s) {
        s.connections.push_back(SimConnection{9,
                                              "BOB",
                                              QDateTime::currentDateTime(),
                                              {},
                                              true,
                                              {SimOpenEntry{"DATA:A.DB", 1, 8, 1, 0}},
                                              {}});
        return true;
    }));
    QCOMPARE(client->NWScanConnectionsUsingFile(conn, 0, "DATA:A.DB", iter, summary, batch),
             kSuccess);
    QCOMPARE(batch.connCount, std::uint16_t(2));
    QCOMPARE(batch.connInfo[0].connNumber, std::uint16_t(5));
    QCOMPARE(batch.connInfo[1].connNumber, std::uint16_t(9));
    QCOMPARE(client->NWScanConnectionsUsingFile(conn, 0, "DATA:A.DB", iter, summary, batch),
             kNoMoreEntries);
}

void SimClientTest::connectionInformationLoginBytes_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("2004 Sunday") << "2004-03-07 09:15:42"
                                 << QByteArray("\x68\x03\x07\x09\x0F\x2A\x00", 7);
    QTest::newRow("2004 Wednesday")
        << "2004-03-10 00:05:00" << QByteArray("\x68\x03\x0A\x00\x05\x00\x03", 7);
    QTest::newRow("1999 Friday") << "1999-12-31 23:59:59"
                                 << QByteArray("\x63\x0C\x1F\x17\x3B\x3B\x05", 7);
    QTest::newRow("2024 Monday") << "2024-01-01 13:30:00"
                                 << QByteArray("\x7C\x01\x01\x0D\x1E\x00\x01", 7);
}

void SimClientTest::connectionInformationLoginBytes()
{
    QFETCH(QString, login);
    QFETCH(QByteArray, bytes);
    SimServerBuilder b;
    b.user(QStringLiteral("jsmith"), QStringLiteral("SALES"), 4242)
        .connection(5, QStringLiteral("JSMITH"), login);
    auto client = b.client();
    const NWCONN_HANDLE conn = parse(*client, "F:\\X").conn;
    char name[255];
    std::uint16_t type = 0;
    std::uint32_t id = 0;
    std::uint8_t time[8] = {0, 0, 0, 0, 0, 0, 0, 0xEE};
    QCOMPARE(client->NWGetConnectionInformation(conn, 5, name, type, id, time), kSuccess);
    QCOMPARE(QByteArray(name), QByteArray("jsmith"));
    QCOMPARE(type, std::uint16_t(1));
    QCOMPARE(id, 4242u);
    QCOMPARE(QByteArray(reinterpret_cast<char*>(time), 7), bytes);
    QCOMPARE(time[7], std::uint8_t(0xEE)); // only seven bytes written
    // A small buffer still gets its NUL.
    char small[4];
    QCOMPARE(client->NWGetConnectionInformation(conn, 5, small, type, id, time), kSuccess);
    QCOMPARE(QByteArray(small), QByteArray("jsm"));
    QCOMPARE(client->NWGetConnectionInformation(conn, 6, name, type, id, time), kBadStationNumber);
}

void SimClientTest::addressRecords_data()
{
    QTest::addColumn<QJsonValue>("address");
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("record"); // network, node, socket
    QTest::newRow("ip") << QJsonValue("IP:10.1.2.5") << 11
                        << QByteArray::fromHex("0a010205"
                                               "000000000000"
                                               "0000");
    QTest::newRow("ipx") << QJsonValue("IPX:0000ABCD:001B2C3D4E5F:4003") << 2
                         << QByteArray::fromHex("0000abcd"
                                                "001b2c3d4e5f"
                                                "4003");
    QTest::newRow("afp") << QJsonValue("afp:01020304:0A0B0C0D0E0F:0102") << 3
                         << QByteArray::fromHex("01020304"
                                                "0a0b0c0d0e0f"
                                                "0102");
    QTest::newRow("object") << QJsonValue(QJsonObject{{"type", 9},
                                                      {"network", "FFFFFFFF"},
                                                      {"node", "000000000001"},
                                                      {"socket", "0451"}})
                            << 9
                            << QByteArray::fromHex("ffffffff"
                                                   "000000000001"
                                                   "0451");
    QTest::newRow("none") << QJsonValue() << 0 << QByteArray(12, '\0');
}

void SimClientTest::addressRecords()
{
    QFETCH(QJsonValue, address);
    QFETCH(int, type);
    QFETCH(QByteArray, record);
    SimServerBuilder b;
    b.connection(5, QStringLiteral("ADMIN"), QStringLiteral("2004-03-07 09:15:42"), address);
    auto client = b.client();
    const NWCONN_HANDLE conn = parse(*client, "F:\\X").conn;
    NWINET_ADDR a;
    QCOMPARE(client->NWGetInetAddr(conn, 5, a), kSuccess);
    QCOMPARE(int(a.connType), type);
    QByteArray got;
    for (auto v : a.network)
        got += char(v);
    for (auto v : a.node)
        got += char(v);
    for (auto v : a.socket)
        got += char(v);
    QCOMPARE(got, record);
    a.network = {1, 2, 3, 4};
    a.connType = 11;
    QCOMPARE(client->NWGetInetAddr(conn, 99, a), kBadStationNumber);
    QCOMPARE(a.connType, std::uint16_t(0));
    QCOMPARE(a.network[0], std::uint8_t(0));
}

void SimClientTest::broadcastMessages()
{
    SimServerBuilder b;
    b.user(QStringLiteral("BOB"))
        .connection(5, QStringLiteral("BOB"))
        .connection(6, QStringLiteral("BOB"))
        .acceptsMessages(6, false);
    auto client = b.client();
    const NWCONN_HANDLE conn = parse(*client, "F:\\X").conn;
    std::uint32_t five = 5, six = 6, seven = 7;
    std::uint8_t result = 0xAA;
    QCOMPARE(client->NWSendBroadcastMessage(conn, "Please log out", 1, &five, &result), kSuccess);
    QCOMPARE(result, std::uint8_t(0));
    QCOMPARE(client->NWSendBroadcastMessage(conn, "x", 1, &six, &result), kNoSuchObject);
    QCOMPARE(client->NWSendBroadcastMessage(conn, "x", 1, &seven, &result), kBadStationNumber);
    // Persisted with sender and time, for any reader of the file.
    const auto state = loadSimState(b.statePath()).state;
    QVERIFY(state);
    const QJsonArray messages = state->connection(5)->messages;
    QCOMPARE(messages.size(), 1);
    const QJsonObject m = messages[0].toObject();
    QCOMPARE(m.value("text").toString(), QStringLiteral("Please log out"));
    QCOMPARE(m.value("from").toString(), QStringLiteral("ADMIN"));
    const auto at = QDateTime::fromString(m.value("at").toString(), "yyyy-MM-dd HH:mm:ss");
    QVERIFY(qAbs(at.secsTo(QDateTime::currentDateTime())) < 60);
    QVERIFY(state->connection(6)->messages.isEmpty());

    // The program sends Latin-1; the server keeps the text, accents and all.
    const QByteArray accented = QStringLiteral("Grüße, à bientôt").toLatin1();
    QCOMPARE(client->NWSendBroadcastMessage(conn, accented.constData(), 1, &five, &result),
             kSuccess);
    const auto after = loadSimState(b.statePath()).state;
    QCOMPARE(after->connection(5)->messages.last().toObject().value("text").toString(),
             QStringLiteral("Grüße, à bientôt"));
}

void SimClientTest::accentedFileNamesFindTheHostFile()
{
    SimServerBuilder b;
    const QString path = QStringLiteral("DATA:BÜRO\\Übersicht.xls");
    b.user(QStringLiteral("BOB")).file(path).connection(5, QStringLiteral("BOB")).opens(5, path);
    auto client = b.client();
    const QByteArray latin1 = QStringLiteral("F:\\BÜRO\\Übersicht.xls").toLatin1();
    const Parsed p = parse(*client, latin1.constData());
    QCOMPARE(p.code, kSuccess);
    std::int16_t iter = 0;
    CONN_USING_FILE_SUMMARY summary;
    CONNS_USING_FILE batch;
    const QByteArray volumePath = path.toLatin1();
    QCOMPARE(
        client->NWScanConnectionsUsingFile(p.conn, 0, volumePath.constData(), iter, summary, batch),
        kSuccess);
    QCOMPARE(batch.connCount, std::uint16_t(1));
    QCOMPARE(batch.connInfo[0].connNumber, std::uint16_t(5));
}

void SimClientTest::clearConnection()
{
    SimServerBuilder b;
    b.user(QStringLiteral("BOB"))
        .file(QStringLiteral("DATA:A.DB"))
        .connection(5, QStringLiteral("BOB"))
        .opens(5, QStringLiteral("DATA:A.DB"), 1, 8, 3, 1);
    auto client = b.client();
    const NWCONN_HANDLE conn = parse(*client, "F:\\A.DB").conn;
    QCOMPARE(client->NWClearConnectionNumber(conn, 9), kBadStationNumber);
    QCOMPARE(client->NWClearConnectionNumber(conn, 5), kSuccess);
    QCOMPARE(client->NWClearConnectionNumber(conn, 5), kBadStationNumber);
    QCOMPARE(scanAll(*client, conn, "DATA:A.DB").entries.size(), std::size_t(0));
    QVERIFY(!loadSimState(b.statePath()).state->connection(5));

    SimServerBuilder plain;
    plain.workstation(1, QStringLiteral("ADMIN"), false).connection(5, QStringLiteral("ADMIN"));
    auto noOperator = plain.client();
    QCOMPARE(noOperator->NWClearConnectionNumber(parse(*noOperator, "F:\\X").conn, 5),
             kNoConsoleRights);
}

void SimClientTest::clearingOwnConnectionInvalidatesHandle()
{
    SimServerBuilder b;
    b.connection(1, QStringLiteral("ADMIN"));
    auto client = b.client();
    const NWCONN_HANDLE conn = parse(*client, "F:\\X").conn;
    QCOMPARE(client->NWClearConnectionNumber(conn, 1), kSuccess);
    std::uint16_t vol = 0;
    QCOMPARE(client->NWGetVolumeNumber(conn, "DATA", vol), kInvalidConnection);
    // Parsing again attaches anew.
    const Parsed again = parse(*client, "F:\\X");
    QCOMPARE(again.code, kSuccess);
    QVERIFY(again.conn != conn);
    QCOMPARE(client->NWGetVolumeNumber(again.conn, "DATA", vol), kSuccess);
}

void SimClientTest::fileLocks()
{
    SimServerBuilder b;
    b.user(QStringLiteral("BOB"))
        .file(QStringLiteral("DATA:DOCS\\A.DOC"))
        .file(QStringLiteral("DATA:DOCS\\B.DOC"))
        .connection(1, QStringLiteral("ADMIN"))
        .opens(1, QStringLiteral("DATA:DOCS\\A.DOC"), 1, 0, 3, 1)
        .opens(1, QStringLiteral("DATA:DOCS\\B.DOC"), 1, 0, 3, 1)
        .connection(5, QStringLiteral("BOB"))
        .opens(5, QStringLiteral("DATA:DOCS\\B.DOC"), 1, 0, 3, 1);
    auto client = b.client();
    const NWCONN_HANDLE conn = parse(*client, "F:\\DOCS").conn;
    NWDIR_HANDLE dir = 0;
    std::uint8_t mask = 0;
    QCOMPARE(client->NWAllocTemporaryDirectoryHandle(conn, 0, "DATA:DOCS", dir, mask), kSuccess);
    QCOMPARE(client->NWClearFileLock2(conn, dir, "a.doc"), kSuccess);
    QCOMPARE(client->NWClearFileLock2(conn, dir, "A.DOC"), kLockError); // already released
    const auto lockedOf = [&](int conn, int index) {
        return loadSimState(b.statePath())
            .state->connection(std::uint16_t(conn))
            ->open.at(std::size_t(index))
            .locked;
    };
    QCOMPARE(lockedOf(1, 0), std::uint8_t(0));
    QCOMPARE(lockedOf(1, 1), std::uint8_t(1));
    QCOMPARE(client->NWClearFileLockSet(conn), kSuccess);
    QCOMPARE(lockedOf(1, 1), std::uint8_t(0));
    // Another station's lock is never released by this one.
    QCOMPARE(client->NWClearFileLock2(conn, 0, "DATA:DOCS\\B.DOC"), kLockError);
    QCOMPARE(lockedOf(5, 0), std::uint8_t(1));
    QCOMPARE(client->NWClearFileLock2(conn, 77, "B.DOC"), kBadDirectoryHandle);
}

void SimClientTest::callsInitNeedsABackend()
{
    SimClient none({{"FS1", "ncp:fs1.example"}}, {});
    QVERIFY(none.NWCallsInit(nullptr, nullptr) != kSuccess);
    NWCONN_HANDLE conn = 0;
    QVERIFY(none.NWCCOpenConnByName(0, "FS1", 2, 1, 0x8000, conn) != kSuccess);
    // A backend whose file is missing still counts: that server is unreachable.
    SimClient missing({{"FS1", "ncp:x"}, {"FS2", "sim:/nonexistent/FS2.json"}}, {});
    QCOMPARE(missing.NWCallsInit(nullptr, nullptr), kSuccess);
    QCOMPARE(missing.NWCCOpenConnByName(0, "FS2", 2, 1, 0x8000, conn), kSuccess);
    VERSION_INFO v;
    QCOMPARE(missing.NWGetFileServerVersionInfo(conn, v), kInvalidConnection);
    const auto list = missing.serverList();
    QCOMPARE(list.size(), std::size_t(2));
    QVERIFY(!list[0].reachable && !list[1].reachable);
    QVERIFY(list[1].error.contains(QLatin1String("FS2.json")));
}

QTEST_GUILESS_MAIN(SimClientTest)
#include "sim_client_test.moc"
