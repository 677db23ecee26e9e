// SPDX-License-Identifier: GPL-3.0-or-later
// The demo servers: copied into the data directory once, loadable, and
// holding the scenario a newcomer is shown.

#include "netware/demo_install.h"
#include "netware/sim_client.h"

#include <QtTest>

using namespace nw;

class DemoInstallTest : public QObject
{
    Q_OBJECT
private slots:
    void installsAndKeepsUserChanges();
    void scenarioIsThere();

private:
    QTemporaryDir data_;
};

void DemoInstallTest::installsAndKeepsUserChanges()
{
    QString error;
    const auto servers =
        installDemo(qEnvironmentVariable("QUORVEX_BUILD_DIR"), data_.path(), &error);
    QVERIFY2(!servers.isEmpty(), qPrintable(error));
    QCOMPARE(servers.keys(), QStringList({"FS1", "FS2"}));
    QCOMPARE(servers.value("FS1"), data_.path() + QStringLiteral("/demo/FS1.json"));
    QVERIFY(QFile::exists(
        data_.path() + QStringLiteral("/demo/FS1/DATA/REPORTS/Sales & Marketing Plan 2004.doc")));
    // A user logs out on the demo; installing again keeps that.
    SimServer fs1(servers.value("FS1"));
    QVERIFY(fs1.mutate([](SimState& s) {
        s.connections.pop_back();
        return true;
    }));
    const std::size_t left = fs1.state()->connections.size();
    installDemo(qEnvironmentVariable("QUORVEX_BUILD_DIR"), data_.path());
    SimServer again(servers.value("FS1"));
    QCOMPARE(again.state()->connections.size(), left);
    QVERIFY(installDemo(data_.path() + "/nowhere", data_.path(), &error).isEmpty());
    QVERIFY(error.contains(QLatin1String("no demo")));
}

void DemoInstallTest::scenarioIsThere()
{
    const auto servers = installDemo(qEnvironmentVariable("QUORVEX_BUILD_DIR"), data_.path());
    std::vector<ServerBackend> backends;
    for (auto it = servers.begin(); it != servers.end(); ++it)
        backends.push_back({it.key(), "sim:" + it.value()});
    SimClient client(backends, [](QChar letter) -> std::optional<NetworkDriveTarget> {
        if (letter == QLatin1Char('F'))
            return NetworkDriveTarget{"FS1", "DATA", ""};
        return std::nullopt;
    });
    QCOMPARE(client.NWCallsInit(nullptr, nullptr), kSuccess);
    char s[48], v[48], p[255];
    NWCONN_HANDLE conn = 0;
    QCOMPARE(client.NWParsePath("F:\\REPORTS\\Q1-2004.XLS", s, conn, v, p), kSuccess);
    const auto users = [&](const char* path) {
        std::int16_t iter = 0;
        CONN_USING_FILE_SUMMARY sum;
        CONNS_USING_FILE batch;
        std::vector<CONN_USING_FILE> all;
        while (client.NWScanConnectionsUsingFile(conn, 0, path, iter, sum, batch) == kSuccess)
            all.insert(all.end(), batch.connInfo.begin(), batch.connInfo.begin() + batch.connCount);
        return all;
    };
    const auto sheet = users("DATA:REPORTS\\Q1-2004.XLS");
    QVERIFY(sheet.size() >= 4);
    QVERIFY(std::adjacent_find(sheet.begin(), sheet.end(), [](auto& a, auto& b) {
                return a.connNumber == b.connNumber;
            }) != sheet.end()); // one user in two tasks
    const auto doc = users("DATA:DOCS\\CONTRACT.DOC");
    QCOMPARE(doc.size(), std::size_t(1));
    QCOMPARE(doc[0].lockFlag, std::uint8_t(1));
    QVERIFY(users("DATA:DB\\CUSTOMER.DB").size() >= 6);
    QVERIFY(users("DATA:REPORTS\\Q4-2003.XLS").empty());
    QVERIFY(!users("DATA:REPORTS\\Sales & Marketing Plan 2004.doc").empty());
    QVERIFY(!users("DATA:README.TXT").empty());
    // Users with IP and IPX addresses.
    NWINET_ADDR a;
    QCOMPARE(client.NWGetInetAddr(conn, 3, a), kSuccess);
    QCOMPARE(a.connType, std::uint16_t(11));
    QCOMPARE(client.NWGetInetAddr(conn, 4, a), kSuccess);
    QCOMPARE(a.connType, std::uint16_t(2));
    // FS2 is a bindery server.
    NWCONN_HANDLE fs2 = 0;
    QCOMPARE(client.NWCCOpenConnByName(0, "FS2", 2, 1, 0x8000, fs2), kSuccess);
    VERSION_INFO version;
    QCOMPARE(client.NWGetFileServerVersionInfo(fs2, version), kSuccess);
    QCOMPARE(int(version.bytes[48]), 3);
    QCOMPARE(int(version.bytes[49]), 12);
    QVERIFY(!client.volumeHostDirectory("fs2", "vol1").isEmpty());
}

QTEST_GUILESS_MAIN(DemoInstallTest)
#include "demo_install_test.moc"
