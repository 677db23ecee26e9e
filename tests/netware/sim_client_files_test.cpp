// SPDX-License-Identifier: GPL-3.0-or-later
// The directory and name calls of the simulated client: directory handles,
// volumes, trustees, directory-services names, DOS names, extended entries,
// version.

#include "support/sim_server_builder.h"

#include "netware/sim_directory.h"
#include "netware/sim_path.h"

#include <unistd.h>

#include <QtTest>

using namespace nw;

namespace {

NWCONN_HANDLE attach(NetWareClient& c)
{
    char server[48], volume[48], path[255];
    NWCONN_HANDLE conn = 0;
    c.NWParsePath("F:\\", server, conn, volume, path);
    return conn;
}

} // namespace

class SimClientFilesTest : public QObject
{
    Q_OBJECT
private slots:
    void directoryHandles();
    void volumeNumbers();
    void objectTrusteePathsOneByOne();
    void directoryTrusteesTwentyAtATime();
    void directoryServicesNames();
    void binderyServerHasNoDirectoryServices();
    void longAndDosNames();
    void extendedInfoFromStateAndHost();
    void versionInfo();
    void faultsAndLatencyComeFirst();
};

void SimClientFilesTest::directoryHandles()
{
    SimServerBuilder b;
    b.directory(QStringLiteral("DATA:DOCS"));
    auto client = b.client();
    const NWCONN_HANDLE conn = attach(*client);
    NWDIR_HANDLE h = 0;
    std::uint8_t mask = 0;
    QCOMPARE(client->NWAllocTemporaryDirectoryHandle(conn, 0, "NOVOL:DOCS", h, mask),
             kVolumeDoesNotExist);
    QCOMPARE(client->NWAllocTemporaryDirectoryHandle(conn, 0, "DATA:NOPE", h, mask), kInvalidPath);
    for (int i = 1; i <= 255; ++i) {
        QCOMPARE(client->NWAllocTemporaryDirectoryHandle(conn, 0, "data:docs", h, mask), kSuccess);
        QCOMPARE(int(h), i);
    }
    QCOMPARE(client->NWAllocTemporaryDirectoryHandle(conn, 0, "DATA:DOCS", h, mask),
             kNoMoreDirHandles);
    QCOMPARE(client->NWDeallocateDirectoryHandle(conn, 17), kSuccess);
    QCOMPARE(client->NWDeallocateDirectoryHandle(conn, 17), kBadDirectoryHandle);
    QCOMPARE(client->NWAllocTemporaryDirectoryHandle(conn, 0, "DATA", h, mask), kSuccess);
    QCOMPARE(int(h), 17); // the bare volume name is its root
    // Handles belong to their connection.
    NWCONN_HANDLE other = 0;
    QCOMPARE(client->NWCCOpenConnByName(0, "FS1", 2, 1, 0x8000, other), kSuccess);
    QCOMPARE(client->NWDeallocateDirectoryHandle(other, 1), kBadDirectoryHandle);
    QCOMPARE(client->NWAllocTemporaryDirectoryHandle(other, 0, "DATA:DOCS", h, mask), kSuccess);
    QCOMPARE(int(h), 1);
}

void SimClientFilesTest::volumeNumbers()
{
    SimServerBuilder b;
    b.volume(QStringLiteral("VOL1"));
    auto client = b.client();
    const NWCONN_HANDLE conn = attach(*client);
    std::uint16_t n = 99;
    QCOMPARE(client->NWGetVolumeNumber(conn, "SYS", n), kSuccess);
    QCOMPARE(n, std::uint16_t(0));
    QCOMPARE(client->NWGetVolumeNumber(conn, "vol1", n), kSuccess);
    QCOMPARE(n, std::uint16_t(2));
    QCOMPARE(client->NWGetVolumeNumber(conn, "VOL2", n), kVolumeDoesNotExist);
}

void SimClientFilesTest::objectTrusteePathsOneByOne()
{
    SimServerBuilder b;
    b.user(QStringLiteral("BOB"), QString(), 7)
        .trustee(QStringLiteral("DATA:REPORTS"), QStringLiteral("BOB"), 0x1FB)
        .trustee(QStringLiteral("SYS:PUBLIC"), QStringLiteral("BOB"), 0x41)
        .trustee(QStringLiteral("data:/reports/q1.xls"), QStringLiteral("BOB"), 0x03)
        .trustee(QStringLiteral("DATA:REPORTS"), QStringLiteral("ADMIN"), 0x100);
    auto client = b.client();
    const NWCONN_HANDLE conn = attach(*client);
    std::uint16_t iter = 0xFFFF;
    std::uint8_t rights = 0;
    char path[512];
    QStringList seen;
    NWCCODE code;
    while ((code = client->NWScanObjectTrusteePaths(conn, 7, 1, iter, rights, path)) == kSuccess)
        seen << QString::fromLatin1(path) + QStringLiteral("=%1").arg(rights);
    QCOMPARE(code, kInvalidPath);
    QCOMPARE(path[0], '\0');
    QCOMPARE(seen, QStringList({"DATA:REPORTS=251", "DATA:reports\\q1.xls=3"}));
    iter = 0xFFFF;
    QCOMPARE(client->NWScanObjectTrusteePaths(conn, 7, 9, iter, rights, path), kVolumeDoesNotExist);
    QCOMPARE(client->NWScanObjectTrusteePaths(conn, 4711, 1, iter, rights, path), kInvalidPath);
}

void SimClientFilesTest::directoryTrusteesTwentyAtATime()
{
    SimServerBuilder b;
    b.directory(QStringLiteral("DATA:SHARED"));
    for (int i = 0; i < 45; ++i) {
        b.user(QStringLiteral("U%1").arg(i), QString(), std::uint32_t(100 + i));
        b.trustee(QStringLiteral("DATA:SHARED"), QStringLiteral("U%1").arg(i), i + 1);
    }
    b.fileData(QStringLiteral("DATA:SHARED"), {{"owner", "U3"}});
    auto client = b.client();
    const NWCONN_HANDLE conn = attach(*client);
    std::uint32_t seq = 0, date = 0, owner = 0;
    char name[256];
    std::array<TRUSTEE_INFO, 20> t;
    std::vector<int> counts;
    std::vector<TRUSTEE_INFO> all;
    NWCCODE code;
    while ((code = client->NWScanDirectoryForTrustees2(conn, 0, "DATA:shared", seq, name, date,
                                                       owner, t)) == kSuccess) {
        const auto used = std::find_if(t.begin(), t.end(), [](auto& e) { return e.objectID == 0; });
        counts.push_back(int(used - t.begin()));
        all.insert(all.end(), t.begin(), used);
        QVERIFY(counts.size() < 10);
    }
    QCOMPARE(code, kInvalidPath);
    QCOMPARE(counts, (std::vector<int>{20, 20, 5}));
    QCOMPARE(all.back().objectID, 144u);
    QCOMPARE(all.back().objectRights, std::uint16_t(45));
    QCOMPARE(QByteArray(name), QByteArray("shared"));
    QCOMPARE(owner, 103u);
    QVERIFY(date != 0);
    seq = 0;
    QCOMPARE(
        client->NWScanDirectoryForTrustees2(conn, 0, "DATA:NOWHERE", seq, name, date, owner, t),
        kInvalidPath);
    QCOMPARE(client->NWScanDirectoryForTrustees2(conn, 0, "NOVOL:X", seq, name, date, owner, t),
             kVolumeDoesNotExist);
}

void SimClientFilesTest::directoryServicesNames()
{
    SimServerBuilder b;
    b.user(QStringLiteral("JSMITH"), QStringLiteral("SALES.ACME"), 1002)
        .user(QStringLiteral("BOB"), QString(), 1003);
    auto client = b.client();
    const NWCONN_HANDLE conn = attach(*client);
    NWDSContextHandle ctx = 0;
    QCOMPARE(client->NWDSCreateContextHandle(ctx), kSuccess);
    QCOMPARE(client->NWDSSetContext(ctx, DCK_NAME_CONTEXT, "[Root]"), kSuccess);
    std::uint32_t id = 0;
    QCOMPARE(client->NWDSMapNameToID(ctx, conn, "jsmith.sales.acme", id), kSuccess);
    QCOMPARE(id, 1002u);
    QCOMPARE(client->NWDSMapNameToID(ctx, conn, "BOB", id), kSuccess);
    QCOMPARE(id, 1003u);
    // From the root a bare name of an object deeper in the tree resolves to nothing.
    QVERIFY(client->NWDSMapNameToID(ctx, conn, "JSMITH", id) != kSuccess);
    QCOMPARE(client->NWDSSetContext(ctx, DCK_NAME_CONTEXT, "SALES.ACME"), kSuccess);
    QCOMPARE(client->NWDSMapNameToID(ctx, conn, "JSMITH", id), kSuccess);
    char name[256];
    QCOMPARE(client->NWDSMapIDToName(ctx, conn, 1002, name), kSuccess);
    QCOMPARE(QByteArray(name), QByteArray("JSMITH.SALES.ACME"));
    QVERIFY(client->NWDSMapIDToName(ctx, conn, 55, name) != kSuccess);
    // A container resolves as an entry too, relative to the context as any name.
    QCOMPARE(client->NWDSMapNameToID(ctx, conn, ".ACME", id), kSuccess);
    QCOMPARE(client->NWDSMapIDToName(ctx, conn, id, name), kSuccess);
    QCOMPARE(QByteArray(name), QByteArray("ACME"));
    std::uint16_t type = 0;
    QCOMPARE(client->NWGetObjectName(conn, 1002, name, type), kSuccess);
    QCOMPARE(QByteArray(name), QByteArray("JSMITH"));
    QCOMPARE(client->NWGetObjectName(conn, 55, name, type), kNoSuchObject);
    QCOMPARE(client->NWDSFreeContext(ctx), kSuccess);
    QVERIFY(client->NWDSFreeContext(ctx) != kSuccess);
    QVERIFY(client->NWDSMapNameToID(ctx, conn, "BOB", id) != kSuccess);
}

void SimClientFilesTest::binderyServerHasNoDirectoryServices()
{
    SimServerBuilder b(QStringLiteral("FS2"));
    b.version(3, 12).user(QStringLiteral("BOB"), QString(), 1003);
    auto client = b.client({{QLatin1Char('F'), {"FS2", "DATA", ""}}});
    const NWCONN_HANDLE conn = attach(*client);
    NWDSContextHandle ctx = 0;
    QCOMPARE(client->NWDSCreateContextHandle(ctx), kSuccess);
    std::uint32_t id = 0;
    QVERIFY(client->NWDSMapNameToID(ctx, conn, "BOB", id) != kSuccess);
    char name[64];
    QVERIFY(client->NWDSMapIDToName(ctx, conn, 1003, name) != kSuccess);
    std::uint16_t type = 0;
    QCOMPARE(client->NWGetObjectName(conn, 1003, name, type), kSuccess);
    QCOMPARE(QByteArray(name), QByteArray("BOB"));
}

void SimClientFilesTest::longAndDosNames()
{
    SimServerBuilder b;
    b.file(QStringLiteral("DATA:DOCS\\Budget & Plan 2004.xls"))
        .file(QStringLiteral("DATA:DOCS\\Budget & Forecast.xls"))
        .file(QStringLiteral("DATA:DOCS\\readme.txt"));
    auto client = b.client();
    const NWCONN_HANDLE conn = attach(*client);
    NWDIR_HANDLE dir = 0;
    std::uint8_t mask = 0;
    QCOMPARE(client->NWAllocTemporaryDirectoryHandle(conn, 0, "DATA:DOCS", dir, mask), kSuccess);
    const auto dosName = [&](const char* name) {
        char out[16] = {};
        const NWCCODE code = client->NWGetLongName(conn, dir, name, NW_NS_LONG, NW_NS_DOS, out);
        return code == kSuccess ? QByteArray(out) : QByteArray::number(code, 16);
    };
    QCOMPARE(dosName("readme.txt"), QByteArray("README.TXT"));
    QCOMPARE(dosName("Budget & Forecast.xls"), QByteArray("BUDGET~1.XLS"));
    QCOMPARE(dosName("BUDGET & PLAN 2004.XLS"), QByteArray("BUDGET~2.XLS"));
    QCOMPARE(dosName("Budget & Plan 2004.xls"), QByteArray("BUDGET~2.XLS")); // stable
    QCOMPARE(dosName("missing.txt"), QByteArray("89ff"));
    char longName[256];
    QCOMPARE(client->NWGetLongName(conn, dir, "budget~2.xls", NW_NS_DOS, NW_NS_LONG, longName),
             kSuccess);
    QCOMPARE(QByteArray(longName), QByteArray("Budget & Plan 2004.xls"));
}

void SimClientFilesTest::extendedInfoFromStateAndHost()
{
    SimServerBuilder b;
    b.user(QStringLiteral("JSMITH"), QString(), 1002)
        .user(QStringLiteral("BOB"), QString(), 1003)
        .file(QStringLiteral("DATA:REPORTS\\Q1 Summary.xls"), "0123456789")
        .file(QStringLiteral("DATA:REPORTS\\plain.txt"))
        .file(QStringLiteral("DATA:REPORTS\\.hidden"))
        .fileData(QStringLiteral("DATA:REPORTS\\Q1 Summary.xls"),
                  {{"owner", "JSMITH"},
                   {"attributes", 0x81},
                   {"created", "2004-01-05 08:00:00"},
                   {"archived", QJsonValue::Null},
                   {"modified", "2004-03-07 17:45:31"},
                   {"modifier", "BOB"},
                   {"accessed", "2004-03-07"}});
    auto client = b.client();
    const NWCONN_HANDLE conn = attach(*client);
    NWDIR_HANDLE dir = 0;
    std::uint8_t mask = 0;
    QCOMPARE(client->NWAllocTemporaryDirectoryHandle(conn, 0, "DATA:REPORTS", dir, mask), kSuccess);
    NW_EXT_FILE_INFO info;
    std::uint32_t iter = 0xFFFFFFFF;
    QCOMPARE(client->NWIntScanExtendedInfo(conn, dir, 6, iter, "Q1SUMM~1.XLS", info, 0), kSuccess);
    QCOMPARE(info.u32(8), 0x81u);
    QCOMPARE(info.u32(28), std::uint32_t((24u << 9 | 1 << 5 | 5) << 16 | (8 << 11)));
    QCOMPARE(info.u32(32), 1002u);
    QCOMPARE(info.u32(36), 0u);
    QCOMPARE(info.u32(40), 0u);
    QCOMPARE(info.u32(44),
             std::uint32_t((24u << 9 | 3 << 5 | 7) << 16 | (17 << 11 | 45 << 5 | 15)));
    QCOMPARE(info.u32(48), 1003u);
    QCOMPARE(info.u16(102), std::uint16_t(24 << 9 | 3 << 5 | 7));
    // The long name matches as well, with wildcards.
    iter = 0xFFFFFFFF;
    QCOMPARE(client->NWIntScanExtendedInfo(conn, dir, 6, iter, "q1 sum*", info, 0), kSuccess);
    QCOMPARE(info.u32(32), 1002u);

    // Without state data: Archive, dates from the host file, no objects.
    iter = 0xFFFFFFFF;
    QCOMPARE(client->NWIntScanExtendedInfo(conn, dir, 6, iter, "PLAIN.TXT", info, 0), kSuccess);
    QCOMPARE(info.u32(8), kAttrArchive);
    const QDateTime mtime = QFileInfo(b.hostPath("DATA:REPORTS\\plain.txt")).lastModified();
    QCOMPARE(info.u32(44) >> 16, std::uint32_t(packDate(mtime.date())));
    QCOMPARE(info.u32(28) >> 16, std::uint32_t(packDate(mtime.date()))); // created: birth or mtime
    QCOMPARE(info.u32(32), 0u);
    QVERIFY(info.u16(102) != 0);
    // A host file that cannot be written reads as ReadOnly.
    QFile::setPermissions(b.hostPath("DATA:REPORTS\\plain.txt"), QFile::ReadOwner);
    iter = 0xFFFFFFFF;
    QCOMPARE(client->NWIntScanExtendedInfo(conn, dir, 6, iter, "PLAIN.TXT", info, 0), kSuccess);
    if (::geteuid() != 0) // root writes anything
        QCOMPARE(info.u32(8), kAttrArchive | kAttrReadOnly);
    // A dot file is Hidden: found only when the search includes hidden files.
    iter = 0xFFFFFFFF;
    QCOMPARE(client->NWIntScanExtendedInfo(conn, dir, 0, iter, ".HIDDEN", info, 0), kNoFilesFound);
    QCOMPARE(client->NWIntScanExtendedInfo(conn, dir, 6, iter, ".HIDDEN", info, 0), kSuccess);
    QCOMPARE(info.u32(8) & kAttrHidden, kAttrHidden);
    QCOMPARE(client->NWIntScanExtendedInfo(conn, dir, 6, iter, "NONE.TXT", info, 0), kNoFilesFound);
    QCOMPARE(client->NWIntScanExtendedInfo(conn, 200, 6, iter, "PLAIN.TXT", info, 0),
             kBadDirectoryHandle);
}

void SimClientFilesTest::versionInfo()
{
    SimServerBuilder b(QStringLiteral("FILESERVER_WITH_A_LONG_NAME"));
    b.version(4, 11);
    auto client = b.client({{QLatin1Char('F'), {"FILESERVER_WITH_A_LONG_NAME", "DATA", ""}}});
    VERSION_INFO v;
    v.bytes.fill(0xCC);
    QCOMPARE(client->NWGetFileServerVersionInfo(attach(*client), v), kSuccess);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(v.bytes.data())),
             QByteArray("FILESERVER_WITH_A_LONG_NAME"));
    QCOMPARE(int(v.bytes[48]), 4);
    QCOMPARE(int(v.bytes[49]), 11);
}

void SimClientFilesTest::faultsAndLatencyComeFirst()
{
    SimServerBuilder b;
    b.fault(QStringLiteral("NWGetVolumeNumber"), 0x8996, 2)
        .fault(QStringLiteral("nwgetobjectname"), 0x89A1, -1)
        .set(QStringLiteral("latencyMs"), 30);
    auto client = b.client();
    const NWCONN_HANDLE conn = attach(*client);
    std::uint16_t n = 0;
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(client->NWGetVolumeNumber(conn, "DATA", n), kServerOutOfMemory);
    QVERIFY(timer.elapsed() >= 30);
    QCOMPARE(client->NWGetVolumeNumber(conn, "DATA", n), kServerOutOfMemory);
    QCOMPARE(client->NWGetVolumeNumber(conn, "DATA", n), kSuccess);
    char name[64];
    std::uint16_t type = 0;
    for (int i = 0; i < 3; ++i)
        QCOMPARE(client->NWGetObjectName(conn, 1, name, type), kDirectoryIoError);
    // Consumed faults are gone from the file; the permanent one stays.
    QFile f(b.statePath());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QJsonArray faults =
        QJsonDocument::fromJson(f.readAll()).object().value("faults").toArray();
    QCOMPARE(faults.size(), 1);
    QCOMPARE(faults[0].toObject().value("count").toInt(), -1);

    // The calls that name no connection answer to the server's faults and
    // latency too.
    b.fault(QStringLiteral("NWCallsInit"), 0x8801)
        .fault(QStringLiteral("NWDSCreateContextHandle"), 0x8996)
        .fault(QStringLiteral("NWDSSetContext"), 0x89A1)
        .fault(QStringLiteral("NWDSFreeContext"), 0x89FF);
    auto setUp = b.client();
    timer.restart();
    QCOMPARE(setUp->NWCallsInit(nullptr, nullptr), kInvalidConnection);
    QVERIFY(timer.elapsed() >= 30);
    QCOMPARE(setUp->NWCallsInit(nullptr, nullptr), kSuccess);
    NWDSContextHandle context = 0;
    QCOMPARE(setUp->NWDSCreateContextHandle(context), kServerOutOfMemory);
    QCOMPARE(setUp->NWDSCreateContextHandle(context), kSuccess);
    QCOMPARE(setUp->NWDSSetContext(context, DCK_NAME_CONTEXT, "[Root]"), kDirectoryIoError);
    QCOMPARE(setUp->NWDSFreeContext(context), kLockError);
    timer.restart();
    QCOMPARE(setUp->NWDSSetContext(context, DCK_NAME_CONTEXT, "[Root]"), kSuccess);
    QCOMPARE(setUp->NWDSFreeContext(context), kSuccess);
    QVERIFY(timer.elapsed() >= 60);
}

QTEST_GUILESS_MAIN(SimClientFilesTest)
#include "sim_client_files_test.moc"
