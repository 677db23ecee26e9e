// SPDX-License-Identifier: GPL-3.0-or-later
// The wire as an independent decoder sees it: a whole session between the NCP
// client and quorvex-ncpd on loopback is captured with tshark and decoded by
// Wireshark's NCP dissector. Every request must decode with the function and
// subfunction the client meant, every reply with the request it answers, and no
// packet may be marked malformed. Skipped (with the reason) where tshark is not
// installed or may not capture on the loopback interface.
//
// Signed frames: the dissector finds the 8 signature bytes by guessing (when
// the two bytes after the TCP header are no packet type, it looks 8 bytes
// further). A signature that happens to begin with a packet type (about one
// frame in 7,000) fools it, and that frame shows malformed: such frames are
// the dissector's gap, named in the failure message and not counted.

#include "ncp/bindery_login.h"
#include "ncp/client_router.h"
#include "ncp/connection_list_requests.h"
#include "ncp/ncp_session.h"
#include "ncp/password_source.h"
#include "platform/drive_map.h"
#include "platform/volume_files.h"
#include "support/ncpd_process.h"
#include "support/sim_server_builder.h"

#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <csignal>
#include <map>
#include <set>

using namespace nw;

namespace {

class FixedPassword : public ncp::PasswordSource
{
public:
    std::optional<QString> password(const QString&, const QString&, const QString&) override
    {
        return QStringLiteral("wire-secret");
    }
    void refused(const QString&, const QString&, ncp::LoginRefusal, std::uint8_t) override {}
};

// One decoded NCP packet: a frame can carry several.
struct Packet
{
    int frame = 0;
    int stream = 0;
    bool signature = false;
    unsigned type = 0;
    int function = -1;
    int subfunction = -1;
    int records = -1;
    QString verb;
};

// tshark's fields of every NCP packet, one line a frame, values of one field
// joined by commas.
QList<Packet> decode(const QString& capture, std::uint16_t port, QString* malformed)
{
    QProcess tshark;
    tshark.start(QStringLiteral("tshark"),
                 {QStringLiteral("-r"), capture,
                  QStringLiteral("-d"), QStringLiteral("tcp.port==%1,ncp").arg(port),
                  QStringLiteral("-T"), QStringLiteral("fields"),
                  QStringLiteral("-E"), QStringLiteral("occurrence=a"),
                  QStringLiteral("-E"), QStringLiteral("aggregator=,"),
                  QStringLiteral("-e"), QStringLiteral("frame.number"),
                  QStringLiteral("-e"), QStringLiteral("tcp.stream"),
                  QStringLiteral("-e"), QStringLiteral("ncp.ip.packetsig"),
                  QStringLiteral("-e"), QStringLiteral("ncp.type"),
                  QStringLiteral("-e"), QStringLiteral("ncp.func"),
                  QStringLiteral("-e"), QStringLiteral("ncp.subfunc"),
                  QStringLiteral("-e"), QStringLiteral("ncp.number_of_records"),
                  QStringLiteral("-e"), QStringLiteral("ncp.ndsverb"),
                  QStringLiteral("-e"), QStringLiteral("_ws.malformed"),
                  QStringLiteral("-Y"), QStringLiteral("ncp")});
    tshark.waitForFinished(60000);
    QList<Packet> packets;
    const QList<QByteArray> lines = tshark.readAllStandardOutput().split('\n');
    for (const QByteArray& line : lines) {
        QList<QByteArray> f = line.split('\t');
        if (f.size() < 9)
            continue;
        const int stream = f[1].toInt();
        const bool signature = !f[2].isEmpty();
        f.remove(1, 2);
        if (!f[6].isEmpty())
            *malformed += QStringLiteral("frame %1 ").arg(QString::fromLatin1(f[0]));
        const QList<QByteArray> types = f[1].split(',');
        const QList<QByteArray> funcs = f[2].split(',');
        const QList<QByteArray> subs = f[3].split(',');
        for (qsizetype i = 0; i < types.size(); ++i) {
            Packet p;
            p.frame = f[0].toInt();
            p.stream = stream;
            p.signature = signature;
            p.type = types[i].toUInt(nullptr, 0);
            p.function = i < funcs.size() && !funcs[i].isEmpty() ? funcs[i].toInt(nullptr, 0) : -1;
            p.subfunction = i < subs.size() && !subs[i].isEmpty() ? subs[i].toInt(nullptr, 0) : -1;
            p.records = f[4].isEmpty() ? -1 : f[4].split(',').last().toInt();
            p.verb = QString::fromLatin1(f[5]);
            packets.append(p);
        }
    }
    return packets;
}

// tshark's one-line summary of the packets a display filter picks, for a
// failure message.
QString summary(const QString& capture, std::uint16_t port, const QString& filter)
{
    QProcess tshark;
    tshark.start(QStringLiteral("tshark"),
                 {QStringLiteral("-r"), capture, QStringLiteral("-d"),
                  QStringLiteral("tcp.port==%1,ncp").arg(port), QStringLiteral("-Y"), filter});
    tshark.waitForFinished(60000);
    return QString::fromLocal8Bit(tshark.readAllStandardOutput());
}

// The frames whose 8 signature bytes begin with a packet type, and so fool
// the dissector's guess (see above): the two bytes after the TCP header and
// the two after the signature are both packet types.
QSet<int> signatureGaps(const QString& capture)
{
    static const QSet<QByteArray> kTypes = {"1111", "2222", "3333", "3e3e", "5555",
                                            "7777", "9999", "bbbb", "4c69"};
    QProcess tshark;
    tshark.start(QStringLiteral("tshark"),
                 {QStringLiteral("-r"), capture, QStringLiteral("-T"), QStringLiteral("fields"),
                  QStringLiteral("-e"), QStringLiteral("frame.number"), QStringLiteral("-e"),
                  QStringLiteral("tcp.payload")});
    tshark.waitForFinished(60000);
    QSet<int> gaps;
    for (const QByteArray& line : tshark.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> f = line.split('\t');
        if (f.size() < 2)
            continue;
        const QByteArray hex = f[1].toLower();
        const int header = hex.startsWith("446d6454") ? 32 : hex.startsWith("744e6350") ? 16 : -1;
        if (header > 0 && kTypes.contains(hex.mid(header, 4)) &&
            kTypes.contains(hex.mid(header + 16, 4)))
            gaps.insert(f[0].toInt());
    }
    return gaps;
}

} // namespace

class NcpWireTest : public QObject
{
    Q_OBJECT
private slots:
    void wholeSessionDecodesAsNcp_data();
    void wholeSessionDecodesAsNcp();
};

void NcpWireTest::wholeSessionDecodesAsNcp_data()
{
    // The emulators' profile makes the client take the older forms and the
    // name-space path look-up; there the password has expired, so the login
    // is a grace login and the client reads the grace logins left.
    // The third logs in over the directory on a server at signature level 2:
    // every packet after each login is signed.
    QTest::addColumn<QString>("profile");
    QTest::newRow("netware") << "netware";
    QTest::newRow("emulator") << "emulator";
    QTest::newRow("directory, signed") << "directory";
}

void NcpWireTest::wholeSessionDecodesAsNcp()
{
    QFETCH(QString, profile);
    const bool emulator = profile == QLatin1String("emulator");
    const bool directory = profile == QLatin1String("directory");
    if (QStandardPaths::findExecutable(QStringLiteral("tshark")).isEmpty())
        QSKIP("tshark is not installed; ./test.sh installs it");

    // FS1 with 75 users of one database (two batches of the scan), a trustee, a
    // user who takes messages, and a lock the workstation holds itself.
    SimServerBuilder b;
    b.password(QStringLiteral("ADMIN"), QStringLiteral("wire-secret"))
        .user(QStringLiteral("JSMITH"), QStringLiteral("SALES.ACME"), 1002)
        .file(QStringLiteral("DATA:SHARED\\BIG.DB"))
        .file(QStringLiteral("DATA:SHARED\\NOTE.DOC"))
        .file(QStringLiteral("DATA:SHARED\\LOG.TXT"))
        .trustee(QStringLiteral("DATA:SHARED"), QStringLiteral("JSMITH"), 0xFB);
    for (int n = 2; n <= 76; ++n)
        b.connection(n, QStringLiteral("JSMITH")).opens(n, QStringLiteral("DATA:SHARED\\BIG.DB"));
    b.connection(1, QStringLiteral("ADMIN"))
        .opens(1, QStringLiteral("DATA:SHARED\\NOTE.DOC"), 1, 8, 3, 1)
        .opens(1, QStringLiteral("DATA:SHARED\\LOG.TXT"), 2, 0, 1, 0)
        .connection(77, QStringLiteral("ADMIN"))
        .set(QStringLiteral("profile"), emulator ? profile : QStringLiteral("netware"));
    if (directory)
        b.directoryKeys(QStringLiteral("ADMIN"), QStringLiteral("wire-secret"))
            .set(QStringLiteral("signatureLevel"), 2);
    if (emulator)
        b.objectKey(QStringLiteral("ADMIN"), QStringLiteral("passwordExpired"), true)
            .objectKey(QStringLiteral("ADMIN"), QStringLiteral("graceLogins"), 3);
    const QString statePath = b.write();

    NcpdProcess ncpd(statePath);
    QVERIFY2(ncpd.start(), qPrintable(ncpd.error()));

    QTemporaryDir dir;
    const QString capture = dir.filePath(QStringLiteral("session.pcapng"));
    // tshark prints each packet it captures (-P, flushed with -l): bare TCP
    // connections to the port are made until one shows, so that the session
    // starts only once the capture really runs.
    QProcess tshark;
    tshark.setProcessChannelMode(QProcess::SeparateChannels);
    tshark.start(QStringLiteral("tshark"),
                 {QStringLiteral("-i"), QStringLiteral("lo"), QStringLiteral("-f"),
                  QStringLiteral("tcp port %1").arg(ncpd.port()), QStringLiteral("-w"), capture,
                  QStringLiteral("-P"), QStringLiteral("-l")});
    bool capturing = false;
    for (int i = 0; i < 100 && !capturing && tshark.state() != QProcess::NotRunning; ++i) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, ncpd.port());
        probe.waitForConnected(1000);
        probe.disconnectFromHost();
        tshark.waitForReadyRead(100);
        capturing = !tshark.readAllStandardOutput().isEmpty();
    }
    if (!capturing)
        QSKIP(qPrintable(QStringLiteral("tshark cannot capture on lo here: ") +
                         QString::fromLocal8Bit(tshark.readAllStandardError()).trimmed()));

    FixedPassword password;
    {
        ClientRouter client(
            {{QStringLiteral("FS1"),
              QStringLiteral("ncp:%1;ADMIN%2").arg(ncpd.address(), directory ? "" : ";bindery")}},
            [](QChar letter) -> std::optional<NetworkDriveTarget> {
                if (letter != QLatin1Char('F'))
                    return std::nullopt;
                return NetworkDriveTarget{QStringLiteral("FS1"), QStringLiteral("DATA"), {}};
            },
            &password);
        std::array<char, 48> server{};
        std::array<char, 32> volume{};
        std::array<char, 255> path{};
        NWCONN_HANDLE conn = 0;
        QCOMPARE(client.NWParsePath("F:\\SHARED\\BIG.DB", server, conn, volume, path), kSuccess);
        // Asked before the scan, whose path look-up would teach the client the number.
        std::uint16_t volumeNumber = 0;
        QCOMPARE(client.NWGetVolumeNumber(conn, "DATA", volumeNumber), kSuccess);

        // The scan: two batches (70 and 5), then the end.
        std::int16_t iter = 0;
        CONN_USING_FILE_SUMMARY summary;
        CONNS_USING_FILE batch;
        int listed = 0;
        while (client.NWScanConnectionsUsingFile(conn, 0, "DATA:SHARED\\BIG.DB", iter, summary,
                                                 batch) == kSuccess)
            listed += batch.connCount;
        QCOMPARE(listed, 75);

        // Details and rights of one user.
        std::array<char, 48> name{};
        std::uint16_t type = 0;
        std::uint32_t id = 0;
        std::array<std::uint8_t, 7> login{};
        QCOMPARE(client.NWGetConnectionInformation(conn, 5, name, type, id, login), kSuccess);
        NWINET_ADDR address;
        client.NWGetInetAddr(conn, 5, address);
        NWDSContextHandle context = 0;
        client.NWDSCreateContextHandle(context);
        client.NWDSSetContext(context, DCK_NAME_CONTEXT, "[Root]");
        std::uint32_t objectId = 0;
        QCOMPARE(client.NWDSMapNameToID(context, conn, "JSMITH.SALES.ACME", objectId), kSuccess);
        std::array<char, 256> fullName{};
        QCOMPARE(client.NWDSMapIDToName(context, conn, objectId, fullName), kSuccess);
        client.NWDSFreeContext(context);
        std::uint16_t pathIter = 0xFFFF;
        std::uint8_t rights = 0;
        std::array<char, 512> trusteePath{};
        QCOMPARE(client.NWScanObjectTrusteePaths(conn, objectId, volumeNumber, pathIter, rights,
                                                 trusteePath),
                 kSuccess);
        std::uint32_t sequence = 0, dirDateTime = 0, owner = 0;
        std::array<char, 256> dirName{};
        std::array<TRUSTEE_INFO, kTrusteesPerScan> trustees{};
        QCOMPARE(client.NWScanDirectoryForTrustees2(conn, 0, trusteePath.data(), sequence, dirName,
                                                    dirDateTime, owner, trustees),
                 kSuccess);

        // The server-wide view: the connections in use, the workstation's two
        // open files in one answer and their directory, a connection with one
        // file and one with none, JSMITH's connections.
        NWFSE_ACTIVE_CONN_LIST active;
        QCOMPARE(client.NWGetActiveConnListByType(conn, 0, NCP_CONNECTION_TYPE, active), kSuccess);
        std::int16_t openIter = 0;
        OPEN_FILE_CONN_CTRL control;
        OPEN_FILE_CONN open;
        int opened = 0;
        while (client.NWScanOpenFilesByConn2(conn, 1, openIter, control, open) == kSuccess)
            ++opened;
        QCOMPARE(opened, 2);
        std::uint8_t pathLength = 0;
        std::array<char, 256> directory{};
        QCOMPARE(client.NWGetPathFromDirectoryBase(conn, open.volNumber, open.parent, NW_NS_LONG,
                                                   pathLength, directory),
                 kSuccess);
        openIter = 0;
        QCOMPARE(client.NWScanOpenFilesByConn2(conn, 5, openIter, control, open), kSuccess);
        openIter = 0;
        QCOMPARE(client.NWScanOpenFilesByConn2(conn, 77, openIter, control, open), kNoMoreEntries);
        std::array<std::uint16_t, 100> jsmith{};
        std::uint16_t jsmithCount = 0;
        QCOMPARE(client.NWGetObjectConnectionNumbers(conn, "JSMITH", 1, jsmithCount, jsmith),
                 kSuccess);
        QCOMPARE(jsmithCount, 75);

        // A message, a clear, the locks.
        std::uint32_t five = 5;
        std::uint8_t result = 0xFF;
        QCOMPARE(client.NWSendBroadcastMessage(conn, "Please log out", 1, &five, &result),
                 kSuccess);
        QCOMPARE(client.NWClearConnectionNumber(conn, 6), kSuccess);
        NWDIR_HANDLE dirHandle = 0;
        std::uint8_t mask = 0;
        QCOMPARE(client.NWAllocTemporaryDirectoryHandle(conn, 0, "DATA:SHARED", dirHandle, mask),
                 kSuccess);
        QCOMPARE(client.NWClearFileLock2(conn, dirHandle, "NOTE.DOC"), kSuccess);
        QCOMPARE(client.NWDeallocateDirectoryHandle(conn, dirHandle), kSuccess);
        QCOMPARE(client.NWClearFileLockSet(conn), kSuccess);

        // Extended information, on a connection of its own.
        NWCONN_HANDLE own = 0;
        QCOMPARE(client.NWCCOpenConnByName(0, "FS1", 0, 0, 0, own), kSuccess);
        VERSION_INFO version;
        QCOMPARE(client.NWGetFileServerVersionInfo(own, version), kSuccess);
        NWDIR_HANDLE infoHandle = 0;
        QCOMPARE(client.NWAllocTemporaryDirectoryHandle(own, 0, "DATA:SHARED", infoHandle, mask),
                 kSuccess);
        std::array<char, 256> dosName{};
        QCOMPARE(client.NWGetLongName(own, infoHandle, "BIG.DB", NW_NS_LONG, NW_NS_DOS, dosName),
                 kSuccess);
        // The dissector takes 22/40 in its own 140-byte layout only: the
        // emulators' 132 bytes show as malformed there.
        std::uint32_t scanIter = 0xFFFFFFFF;
        NW_EXT_FILE_INFO info;
        if (!emulator)
            QCOMPARE(
                client.NWIntScanExtendedInfo(own, infoHandle, 0x06, scanIter, "BIG.DB", info, 0),
                kSuccess);
        std::array<char, 48> ownerName{};
        std::uint16_t ownerType = 0;
        client.NWGetObjectName(own, 1002, ownerName, ownerType);
        client.NWDeallocateDirectoryHandle(own, infoHandle);
        QCOMPARE(client.NWCCCloseConn(own), kSuccess);

        // The volume's files with no mount: a listing, a file read, a file replaced.
        quorvex::DriveEntry drive;
        drive.server = QStringLiteral("FS1");
        drive.volume = QStringLiteral("DATA");
        const auto files = client.volumeFiles(drive);
        const auto listing = files->list({QStringLiteral("SHARED")});
        QVERIFY(listing && listing->size() == 3);
        QVERIFY(files->read({QStringLiteral("SHARED"), QStringLiteral("LOG.TXT")}, nullptr));
        QVERIFY(
            files->replace({QStringLiteral("SHARED"), QStringLiteral("NOTE.DOC")}, "new", nullptr));
    } // the router logs out of the server as it goes
    {
        // The older form of the object's connections, which the client sends
        // only to servers that do not know the newer one.
        ncp::NcpSession session(ncpd.host(), ncpd.port());
        QVERIFY2(session.open(), qPrintable(session.error()));
        QVERIFY(ncp::setUpSession(session,
                                  {QStringLiteral("FS1"), QStringLiteral("ADMIN"), {}, !directory},
                                  &password, nullptr));
        QCOMPARE(session.signing(), directory);
        const ncp::RequestBody old = ncp::objectConnectionsOldRequest(1, "JSMITH");
        const auto reply = session.call(old.function, old.subfunction, old.data);
        QVERIFY(reply && reply->completion == 0);
        QVERIFY(ncp::decodeObjectConnectionsOld(reply->data));
        session.close();
    }

    QTest::qWait(500); // the last packets reach the capture
    ::kill(pid_t(tshark.processId()), SIGINT);
    QVERIFY(tshark.waitForFinished(20000));

    // QUORVEX_WIRE_CAPTURE=FILE keeps the capture for a look with Wireshark.
    if (qEnvironmentVariableIsSet("QUORVEX_WIRE_CAPTURE"))
        QFile::copy(capture, qEnvironmentVariable("QUORVEX_WIRE_CAPTURE"));

    QString malformed;
    QList<Packet> packets = decode(capture, ncpd.port(), &malformed);
    const QSet<int> gaps = directory ? signatureGaps(capture) : QSet<int>();
    for (const int gap : gaps) {
        malformed.remove(QStringLiteral("frame %1 ").arg(gap));
        qWarning("frame %d: the dissector takes its signature for its header", gap);
    }
    packets.removeIf([&gaps](const Packet& p) { return gaps.contains(p.frame); });
    QVERIFY2(malformed.isEmpty(),
             qPrintable(QStringLiteral("malformed: ") + malformed + QLatin1Char('\n') +
                        summary(capture, ncpd.port(), QStringLiteral("_ws.malformed"))));

    // What the client means to send, as function/subfunction (-1: none).
    std::set<std::pair<int, int>> expected = {
        {0x17, 17}, {0x17, 23},  {0x17, 53}, {0x17, 24}, {0x17, 244}, {0x17, 236}, {0x17, 28},
        {0x17, 26}, {0x68, 2},   {0x16, 5},  {0x17, 71}, {0x16, 38},  {0x15, 10},  {0x17, 254},
        {0x16, 19}, {0x07, -1},  {0x16, 20}, {0x08, -1}, {0x57, 6},   {0x16, 40},  {0x17, 54},
        {0x7B, 14}, {0x17, 235}, {0x57, 28}, {0x17, 27}, {0x17, 21},  {0x61, -1},  {0x57, 2},
        {0x57, 20}, {0x57, 1},   {0x48, -1}, {0x42, -1}, {0x49, -1},  {0x57, 4},   {0x57, 8},
    };
    if (emulator) {
        expected.insert({{0x15, 0}, {0x17, 210}, {0x17, 61}});
        expected.erase({0x16, 40});
    }
    if (directory)
        for (const int bindery : {23, 53, 24})
            expected.erase({0x17, bindery});
    std::set<std::pair<int, int>> seen;
    int creates = 0, destroys = 0, requests = 0, replies = 0, scans = 0;
    bool fullBatch = false;
    bool twoOpenFiles = false;
    // Signed once the login has been answered: every later packet of its
    // session carries a signature.
    std::map<int, int> signedFrom;
    for (const Packet& p : packets)
        if (p.signature && !signedFrom.contains(p.stream))
            signedFrom[p.stream] = p.frame;
    QCOMPARE(int(signedFrom.size()), directory ? 2 : 0);
    for (const Packet& p : packets)
        if (signedFrom.contains(p.stream) && p.frame > signedFrom[p.stream])
            QVERIFY2(p.signature, qPrintable(QStringLiteral("frame %1 unsigned").arg(p.frame)));
    for (const Packet& p : packets) {
        switch (p.type) {
        case 0x1111:
            ++creates;
            break;
        case 0x5555:
            ++destroys;
            break;
        case 0x2222:
            ++requests;
            seen.insert({p.function, p.subfunction});
            scans += p.function == 0x17 && p.subfunction == 236;
            break;
        case 0x3333:
            ++replies;
            fullBatch = fullBatch || p.records == 70;
            twoOpenFiles = twoOpenFiles || p.records == 2;
            break;
        default:
            break;
        }
    }
    for (const auto& [function, subfunction] : expected)
        QVERIFY2(
            seen.contains({function, subfunction}),
            qPrintable(QStringLiteral("no request %1/%2 decoded").arg(function).arg(subfunction)));
    for (const auto& [function, subfunction] : seen)
        QVERIFY2(
            expected.contains({function, subfunction}),
            qPrintable(QStringLiteral("unexpected request %1/%2").arg(function).arg(subfunction)));
    // Every session set up was ended in order (the client keeps one session per
    // server; further connection handles share it).
    QVERIFY(creates >= 1);
    QCOMPARE(destroys, creates);
    QVERIFY2(scans >= 2, "the scan took two batches or more");
    QVERIFY2(fullBatch, "a full batch of 70 decoded");
    QVERIFY2(twoOpenFiles, "an open-files answer of two records decoded");
    // Every request and every create and destroy was answered, and decoded as
    // such (but for frames of the dissector's gap).
    if (gaps.isEmpty())
        QCOMPARE(replies, requests + creates + destroys);
    QVERIFY(ncpd.stop());
}

QTEST_GUILESS_MAIN(NcpWireTest)
#include "ncp_wire_test.moc"
