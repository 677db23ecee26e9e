// SPDX-License-Identifier: GPL-3.0-or-later
// The server-wide calls against the simulated server, in process and over NCP
// through quorvex-ncpd: the files one connection has open, the path of their
// directory, the connections of one object, the connections in use.

#include "support/sim_server_builder.h"
#include "support/transport_client.h"

#include "netware/netware_client.h"

#include <QTest>

#include <array>

using namespace nw;

namespace {

struct OpenFile
{
    QString name;
    int task = 0;
    int lockType = 0;
    int access = 0;
    int locked = 0;
    QString directory;
};

// Every file the connection has open, calling until the end; the code that
// ended the scan in *end.
QList<OpenFile> openFiles(NetWareClient& client, NWCONN_HANDLE conn, std::uint16_t connection,
                          NWCCODE* end)
{
    QList<OpenFile> files;
    std::int16_t iter = 0;
    OPEN_FILE_CONN_CTRL control;
    OPEN_FILE_CONN file;
    while ((*end = client.NWScanOpenFilesByConn2(conn, connection, iter, control, file)) ==
           kSuccess) {
        std::array<char, 256> directory{};
        std::uint8_t length = 0;
        if (client.NWGetPathFromDirectoryBase(conn, file.volNumber, file.parent, NW_NS_LONG, length,
                                              directory) != kSuccess ||
            length != qstrlen(directory.data()))
            directory = {'?'};
        files.append({QString::fromLatin1(file.fileName.data(), file.nameLen), file.taskNumber,
                      file.lockType, file.accessControl, file.lockFlag,
                      QString::fromLatin1(directory.data())});
        if (files.size() > 1000)
            break;
    }
    return files;
}

NWCONN_HANDLE openServer(NetWareClient& client)
{
    NWCONN_HANDLE conn = 0;
    client.NWCCOpenConnByName(0, "FS1", 2, 1, 0x8000, conn);
    return conn;
}

} // namespace

class SimClientListingsTest : public QObject
{
    Q_OBJECT
private slots:
    void openFilesComeInTheStatesOrderWithTheirDirectory_data()
    {
        TransportClient::addTransports();
    }
    void openFilesComeInTheStatesOrderWithTheirDirectory();
    void listingsNeedAConsoleOperator_data() { TransportClient::addTransports(); }
    void listingsNeedAConsoleOperator();
    void anObjectsConnectionsAscend_data() { TransportClient::addTransports(); }
    void anObjectsConnectionsAscend();
    void activeConnectionsAreBitsFromTheFirstAskedFor_data() { TransportClient::addTransports(); }
    void activeConnectionsAreBitsFromTheFirstAskedFor();
};

void SimClientListingsTest::openFilesComeInTheStatesOrderWithTheirDirectory()
{
    // Thirty long names: far more than one answer holds, so the records come
    // in several answers; the directory has the host's case.
    SimServerBuilder b;
    b.file(QStringLiteral("DATA:README.TXT")).connection(5, QStringLiteral("ADMIN"));
    QStringList names;
    for (int i = 0; i < 30; ++i) {
        names << QStringLiteral("Quarterly report %1 of the sales department.xls")
                     .arg(i, 2, 10, QLatin1Char('0'));
        b.file(QStringLiteral("DATA:Reports\\") + names.last());
        b.opens(5, QStringLiteral("DATA:REPORTS\\") + names.last(), 1 + i % 3, i % 2 ? 8 : 0, 3,
                i == 7 ? 1 : 0);
    }
    b.opens(5, QStringLiteral("DATA:README.TXT"), 2, 8, 1, 0)
        .connection(6, QStringLiteral("ADMIN"));
    QFETCH(Transport, transport);
    TransportClient server(b, transport);
    QVERIFY2(server.ready(), qPrintable(server.error()));
    const NWCONN_HANDLE conn = openServer(server.client());

    NWCCODE end = kSuccess;
    const QList<OpenFile> files = openFiles(server.client(), conn, 5, &end);
    QCOMPARE(end, kNoMoreEntries);
    QCOMPARE(files.size(), 31);
    for (int i = 0; i < 30; ++i) {
        QCOMPARE(files[i].name, names[i]);
        QCOMPARE(files[i].task, 1 + i % 3);
        QCOMPARE(files[i].lockType, i % 2 ? 8 : 0);
        QCOMPARE(files[i].access, 3);
        QCOMPARE(files[i].locked, i == 7 ? 1 : 0);
        QCOMPARE(files[i].directory, QStringLiteral("DATA:Reports"));
    }
    QCOMPARE(files[30].name, QStringLiteral("README.TXT"));
    QCOMPARE(files[30].directory, QStringLiteral("DATA:"));

    // A connection without files ends at once; one that is not logged in is
    // refused; a scan that has ended stays ended.
    QCOMPARE(openFiles(server.client(), conn, 6, &end).size(), 0);
    QCOMPARE(end, kNoMoreEntries);
    QCOMPARE(openFiles(server.client(), conn, 9, &end).size(), 0);
    QCOMPARE(end, kLockError);
    std::array<char, 256> path{};
    std::uint8_t length = 0;
    QCOMPARE(
        server.client().NWGetPathFromDirectoryBase(conn, 1, 0x7FFFFFF0, NW_NS_LONG, length, path),
        kInvalidPath);
}

void SimClientListingsTest::listingsNeedAConsoleOperator()
{
    SimServerBuilder b;
    b.workstation(1, QStringLiteral("ADMIN"), false)
        .file(QStringLiteral("DATA:README.TXT"))
        .connection(1, QStringLiteral("ADMIN"))
        .opens(1, QStringLiteral("DATA:README.TXT"));
    QFETCH(Transport, transport);
    TransportClient server(b, transport);
    QVERIFY2(server.ready(), qPrintable(server.error()));
    const NWCONN_HANDLE conn = openServer(server.client());
    NWCCODE end = kSuccess;
    QCOMPARE(openFiles(server.client(), conn, 1, &end).size(), 0);
    QCOMPARE(end, kNoConsoleRights);
    NWFSE_ACTIVE_CONN_LIST active;
    QCOMPARE(server.client().NWGetActiveConnListByType(conn, 0, NCP_CONNECTION_TYPE, active),
             kNoConsoleRights);
    // Anybody may ask whose connections an object has.
    std::array<std::uint16_t, 4> list{};
    std::uint16_t count = 0;
    QCOMPARE(server.client().NWGetObjectConnectionNumbers(conn, "ADMIN", 1, count, list), kSuccess);
    QCOMPARE(count, 1);
}

void SimClientListingsTest::anObjectsConnectionsAscend()
{
    // 300 connections: more than one answer of the newer form names.
    SimServerBuilder b;
    b.user(QStringLiteral("JSMITH"), QStringLiteral("SALES.ACME"));
    QList<std::uint16_t> expected;
    for (int n = 400; n >= 2; --n) {
        const bool jsmith = n % 4 != 0 && n != 3;
        b.connection(n, jsmith ? QStringLiteral("JSMITH") : QStringLiteral("ADMIN"));
        if (jsmith)
            expected.prepend(std::uint16_t(n));
    }
    QFETCH(Transport, transport);
    TransportClient server(b, transport);
    QVERIFY2(server.ready(), qPrintable(server.error()));
    const NWCONN_HANDLE conn = openServer(server.client());

    std::vector<std::uint16_t> list(1000);
    std::uint16_t count = 0;
    QCOMPARE(server.client().NWGetObjectConnectionNumbers(conn, "jsmith", 1, count, list),
             kSuccess);
    QCOMPARE(int(count), expected.size());
    QCOMPARE(QList<std::uint16_t>(list.begin(), list.begin() + count), expected);
    // A shorter list takes the first ones.
    std::array<std::uint16_t, 10> few{};
    QCOMPARE(server.client().NWGetObjectConnectionNumbers(conn, "JSMITH", 0xFFFF, count, few),
             kSuccess);
    QCOMPARE(count, 10);
    QCOMPARE(QList<std::uint16_t>(few.begin(), few.end()), expected.mid(0, 10));
    // An object that does not exist, or not of that type.
    QCOMPARE(server.client().NWGetObjectConnectionNumbers(conn, "NOBODY", 1, count, few),
             kNoSuchObject);
    QCOMPARE(server.client().NWGetObjectConnectionNumbers(conn, "JSMITH", 7, count, few),
             kNoSuchObject);
    QCOMPARE(count, 0);
}

void SimClientListingsTest::activeConnectionsAreBitsFromTheFirstAskedFor()
{
    SimServerBuilder b;
    for (const int n : {1, 5, 4095, 4096, 4100, 65535})
        b.connection(n, QStringLiteral("ADMIN"));
    QFETCH(Transport, transport);
    TransportClient server(b, transport);
    QVERIFY2(server.ready(), qPrintable(server.error()));
    const NWCONN_HANDLE conn = openServer(server.client());

    const auto listed = [&](std::uint32_t first, std::uint32_t type) {
        NWFSE_ACTIVE_CONN_LIST active;
        QList<std::uint32_t> numbers;
        if (server.client().NWGetActiveConnListByType(conn, first, type, active) != kSuccess)
            return QList<std::uint32_t>{0xFFFFFFFF};
        for (std::uint32_t bit = 0; bit < 4096; ++bit)
            if (active.activeConnBitList[bit / 8] & (1u << (bit % 8)))
                numbers << first + bit;
        return numbers;
    };
    QCOMPARE(listed(0, NCP_CONNECTION_TYPE), (QList<std::uint32_t>{1, 5, 4095}));
    QCOMPARE(listed(4096, NCP_CONNECTION_TYPE), (QList<std::uint32_t>{4096, 4100}));
    QCOMPARE(listed(5, NCP_CONNECTION_TYPE), (QList<std::uint32_t>{5, 4095, 4096, 4100}));
    QCOMPARE(listed(61440, NCP_CONNECTION_TYPE), (QList<std::uint32_t>{65535}));
    QCOMPARE(listed(0, 0x0B), QList<std::uint32_t>());
}

QTEST_GUILESS_MAIN(SimClientListingsTest)
#include "sim_client_listings_test.moc"
