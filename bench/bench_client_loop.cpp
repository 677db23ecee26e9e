// SPDX-License-Identifier: GPL-3.0-or-later
// The bare client loop of a scan, in process: parse the path, fetch every
// batch of connections using the file until the server says there are no
// more, and for every entry read the connection information, the address and
// the user's directory rights, as the program does. Run against generated
// servers of 1,000 and 10,000 users; the time should grow linearly.

#include "netware/sim_client.h"
#include "netware/sim_generator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

using namespace nw;

namespace {

// The directory-rights walk for one user, call for call.
int directoryRights(NetWareClient& c, const char* volumePath, const char* userName)
{
    char server[48], volume[32], dirPath[255];
    NWCONN_HANDLE conn = 0;
    c.NWParsePath(volumePath, server, conn, volume, dirPath);
    NWDSContextHandle ctx = 0;
    c.NWDSCreateContextHandle(ctx);
    c.NWDSSetContext(ctx, DCK_NAME_CONTEXT, "[Root]");
    std::uint32_t id = 0;
    c.NWDSMapNameToID(ctx, conn, userName, id);
    c.NWDSFreeContext(ctx);
    std::uint16_t volNum = 0;
    c.NWGetVolumeNumber(conn, volume, volNum);
    int matches = 0;
    std::uint16_t iter = 0xFFFF;
    char path[512];
    std::uint8_t rights = 0;
    while (c.NWScanObjectTrusteePaths(conn, id, volNum, iter, rights, path) == kSuccess &&
           path[0]) {
        std::uint32_t seq = 0, dateTime = 0, owner = 0;
        char dirName[256];
        std::array<TRUSTEE_INFO, kTrusteesPerScan> trustees;
        while (c.NWScanDirectoryForTrustees2(conn, 0, path, seq, dirName, dateTime, owner,
                                             trustees) == kSuccess) {
            for (const TRUSTEE_INFO& t : trustees) {
                if (t.objectID == 0)
                    break;
                matches += t.objectID == id;
            }
        }
    }
    return matches;
}

struct Figures
{
    double ms = 0;
    int entries = 0;
    int rights = 0;
};

Figures clientLoop(NetWareClient& c, const char* dosPath)
{
    Figures f;
    QElapsedTimer timer;
    timer.start();
    char server[48], volume[48], dirPath[255];
    NWCONN_HANDLE conn = 0;
    if (c.NWParsePath(dosPath, server, conn, volume, dirPath) != kSuccess)
        return f;
    const QByteArray volumePath = QByteArray(volume) + ':' + dirPath;
    std::int16_t iter = 0;
    CONN_USING_FILE_SUMMARY summary;
    CONNS_USING_FILE batch;
    for (;;) {
        batch.connCount = 0;
        const NWCCODE code =
            c.NWScanConnectionsUsingFile(conn, 0, volumePath.constData(), iter, summary, batch);
        if (code != kSuccess)
            break;
        for (int i = 0; i < batch.connCount; ++i) {
            char name[255];
            std::uint16_t type = 0;
            std::uint32_t id = 0;
            std::uint8_t login[8];
            if (c.NWGetConnectionInformation(conn, batch.connInfo[i].connNumber, name, type, id,
                                             login) != kSuccess)
                continue;
            NWINET_ADDR address;
            c.NWGetInetAddr(conn, batch.connInfo[i].connNumber, address);
            f.rights += directoryRights(c, volumePath.constData(), name);
            ++f.entries;
        }
    }
    f.ms = double(timer.nsecsElapsed()) / 1e6;
    return f;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    double small = 0;
    for (int users : {1000, 10000}) {
        const QString where = dir.path() + QStringLiteral("/%1").arg(users);
        QString error;
        const QString state = generateSimServer(
            where, SimGenerateOptions{users, QStringLiteral("DATA:SHARED\\BIG.DB"), 1}, &error);
        if (state.isEmpty()) {
            out << "cannot generate: " << error << Qt::endl;
            return 1;
        }
        SimClient client({{QStringLiteral("GEN1"), QStringLiteral("sim:") + state}},
                         [](QChar letter) -> std::optional<NetworkDriveTarget> {
                             if (letter != QLatin1Char('F'))
                                 return std::nullopt;
                             return NetworkDriveTarget{QStringLiteral("GEN1"),
                                                       QStringLiteral("DATA"), QString()};
                         });
        QElapsedTimer load;
        load.start();
        client.serverList(); // reads the state file once, outside the timed loop
        const double loadMs = double(load.nsecsElapsed()) / 1e6;
        Figures best;
        for (int run = 0; run < 3; ++run) {
            const Figures f = clientLoop(client, "F:\\SHARED\\BIG.DB");
            if (run == 0 || f.ms < best.ms)
                best = f;
        }
        if (best.entries != users || best.rights != users) {
            out << "wrong answer: " << best.entries << " entries, " << best.rights << " rights for "
                << users << " users" << Qt::endl;
            return 1;
        }
        out << QStringLiteral("client loop, %1 connections: %2 ms (best of 3; state load %3 ms)")
                   .arg(users, 5)
                   .arg(best.ms, 0, 'f', 1)
                   .arg(loadMs, 0, 'f', 1)
            << Qt::endl;
        if (users == 1000)
            small = best.ms;
        else
            out << QStringLiteral("ratio 10,000 / 1,000: %1").arg(best.ms / small, 0, 'f', 2)
                << Qt::endl;
    }
    return 0;
}
