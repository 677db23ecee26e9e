// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_client.h"

#include "scan/directory_rights.h"

#include <QTest>

using namespace quorvex;

namespace {

const QString kFile = QStringLiteral("DATA:REPORTS\\2026\\Q1.XLS");
constexpr std::uint32_t kAnn = 1001;
constexpr std::uint32_t kBob = 1002;

// Ann is known from the root of the tree; the file is DATA:REPORTS\2026\Q1.XLS.
struct Server
{
    FakeClient client;
    Server() { client.objectIds.insert(QStringLiteral("ANN"), kAnn); }
    // A trustee assignment, listed both ways the server keeps it.
    void assign(const QString& path, std::uint32_t id, std::uint16_t rights)
    {
        QStringList& paths = client.trusteePaths[id];
        if (!paths.contains(path))
            paths << path;
        client.trusteesOf[path.toUpper()].append({id, rights});
    }
    QString rights(const QString& user = QStringLiteral("ANN"))
    {
        return GetDirectoryRights(client, kFile, user);
    }
};

} // namespace

class DirectoryRightsTest : public QObject
{
    Q_OBJECT
private slots:
    void distance_data();
    void distance();
    void nearestAssignmentOnTheFilePathWins_data();
    void nearestAssignmentOnTheFilePathWins();
    void laterBatchReplacesEarlierMatch();
    void unknownUserGetsNothing();
    void namesAreMappedFromTheRoot();
};

void DirectoryRightsTest::distance_data()
{
    QTest::addColumn<QString>("trusteePath");
    QTest::addColumn<int>("expected");
    QTest::newRow("the file") << "DATA:REPORTS\\2026\\Q1.XLS" << 0;
    QTest::newRow("its directory") << "DATA:REPORTS\\2026" << 1;
    QTest::newRow("grandparent, other case") << "data:reports" << 2;
    QTest::newRow("volume root") << "DATA:" << 3;
    QTest::newRow("volume root with backslash") << "DATA:\\" << 3;
    QTest::newRow("forward slashes") << "DATA:/REPORTS/2026/" << 1;
    QTest::newRow("no volume means the file's") << "REPORTS" << 2;
    QTest::newRow("sibling directory") << "DATA:REPORTS\\2025" << -1;
    QTest::newRow("name that only begins alike") << "DATA:REPORTS\\2026\\Q1" << -1;
    QTest::newRow("below the file") << "DATA:REPORTS\\2026\\Q1.XLS\\X" << -1;
    QTest::newRow("other volume") << "SYS:REPORTS" << -1;
}

void DirectoryRightsTest::distance()
{
    QFETCH(QString, trusteePath);
    QFETCH(int, expected);
    QCOMPARE(trusteeDistance(kFile, trusteePath), expected);
}

void DirectoryRightsTest::nearestAssignmentOnTheFilePathWins_data()
{
    // Each assignment "PATH=RIGHTS" for Ann, in the order the server lists them.
    QTest::addColumn<QStringList>("assignments");
    QTest::addColumn<QString>("expected");
    QTest::newRow("trustee nowhere") << QStringList{} << "";
    QTest::newRow("only an unrelated directory") << QStringList{"DATA:PUBLIC=1"} << "";
    QTest::newRow("unrelated directory met last does not count")
        << QStringList{"DATA:REPORTS=3", "DATA:PUBLIC=255"} << "Read,Write";
    QTest::newRow("directory beats ancestor met later")
        << QStringList{"DATA:REPORTS\\2026=65", "DATA:REPORTS=3"} << "Read,FileScan";
    QTest::newRow("directory beats ancestor met earlier")
        << QStringList{"DATA:=256", "DATA:REPORTS\\2026=65"} << "Read,FileScan";
    QTest::newRow("the file beats its directory")
        << QStringList{"data:reports\\2026\\q1.xls=2", "DATA:REPORTS\\2026=1"} << "Write";
    QTest::newRow("volume root counts") << QStringList{"DATA:=256"} << "Supervisor";
    QTest::newRow("rights with no names") << QStringList{"DATA:REPORTS=4"} << "";
}

void DirectoryRightsTest::nearestAssignmentOnTheFilePathWins()
{
    QFETCH(QStringList, assignments);
    QFETCH(QString, expected);
    Server server;
    // Bob holds rights everywhere Ann does, so only Ann's own entries may count.
    for (const QString& a : assignments) {
        const QString path = a.section(QLatin1Char('='), 0, 0);
        server.assign(path, kBob, 0x1FF);
        server.assign(path, kAnn, std::uint16_t(a.section(QLatin1Char('='), 1).toUInt()));
    }
    QCOMPARE(server.rights(), expected);
}

void DirectoryRightsTest::laterBatchReplacesEarlierMatch()
{
    Server server;
    // 25 trustees on the directory: the list comes in two batches of 20.
    for (std::uint32_t id = 2000; id < 2023; ++id)
        server.assign(QStringLiteral("DATA:REPORTS\\2026"), id, 0x1FF);
    server.assign(QStringLiteral("DATA:REPORTS\\2026"), kAnn, 0x01);
    server.client.trusteesOf[QStringLiteral("DATA:REPORTS\\2026")].insert(3, {kAnn, 0x02});
    QCOMPARE(server.rights(), QStringLiteral("Read"));
    QCOMPARE(server.client.scannedTrusteeDirs.size(), 3); // two batches, then the end
}

void DirectoryRightsTest::unknownUserGetsNothing()
{
    Server server;
    server.assign(QStringLiteral("DATA:REPORTS"), kAnn, 0x03);
    // A name that cannot be mapped leaves object ID 0, which matches no entry.
    server.client.trusteePaths[0] = QStringList{QStringLiteral("DATA:REPORTS")};
    QCOMPARE(server.rights(QStringLiteral("NOBODY")), QString());
}

void DirectoryRightsTest::namesAreMappedFromTheRoot()
{
    Server server;
    server.assign(QStringLiteral("DATA:REPORTS"), kAnn, 0x03);
    QCOMPARE(server.rights(), QStringLiteral("Read,Write"));
    QCOMPARE(server.client.contextValues, QStringList{QStringLiteral("[Root]")});
    QCOMPARE(server.client.parsedPaths, QStringList{kFile});
    const QStringList expectedStart{
        "NWParsePath",     "NWDSCreateContextHandle", "NWDSSetContext",          "NWDSMapNameToID",
        "NWDSFreeContext", "NWGetVolumeNumber",       "NWScanObjectTrusteePaths"};
    QCOMPARE(server.client.calls.mid(0, expectedStart.size()), expectedStart);
}

QTEST_APPLESS_MAIN(DirectoryRightsTest)
#include "directory_rights_test.moc"
