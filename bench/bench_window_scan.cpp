// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's scan (Command1_Click) of a file open by 1,000 and by
// 10,000 connections, every detail option on, offscreen, timed beside the bare
// client loop on the same generated server in the same run. The window's work
// per connection must stay constant: a duplicate check or a text that grows
// with the list would show as a 10,000 / 1,000 ratio well above 10. The same
// 10,000 users with the file open in two tasks each (every second entry a
// duplicate) must cost no more than the twice as many entries do.

#include "best_of.h"
#include "scan_window.h"

#include "app/form1.h"
#include "files/directory_box.h"
#include "files/drive_box.h"
#include "netware/sim_client.h"
#include "netware/sim_generator.h"
#include "platform/app_dirs.h"
#include "platform/desktop_shell.h"
#include "platform/drive_map.h"
#include "platform/headless_prompts.h"
#include "platform/pdf_printer.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "platform/system_clipboard.h"
#include "platform/system_clock.h"
#include "scan/scan_engine.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextStream>

#include <array>
#include <ctime>

using namespace quorvex;

namespace {

// The bare client loop, call for call what the scan asks of the client for
// each connection with every option on: parse, the batches, and per entry the
// connection information, the address and the directory-rights walk.
void bareDirectoryRights(nw::NetWareClient& c, const char* volumePath, const char* userName)
{
    std::array<char, 48> server{};
    std::array<char, 32> volume{};
    std::array<char, 255> dirPath{};
    nw::NWCONN_HANDLE conn = 0;
    c.NWParsePath(volumePath, server, conn, volume, dirPath);
    nw::NWDSContextHandle ctx = 0;
    c.NWDSCreateContextHandle(ctx);
    c.NWDSSetContext(ctx, nw::DCK_NAME_CONTEXT, "[Root]");
    std::uint32_t id = 0;
    c.NWDSMapNameToID(ctx, conn, userName, id);
    c.NWDSFreeContext(ctx);
    std::uint16_t volNum = 0;
    c.NWGetVolumeNumber(conn, volume.data(), volNum);
    std::uint16_t iter = 0xFFFF;
    std::array<char, 512> path{};
    std::uint8_t rights = 0;
    while (c.NWScanObjectTrusteePaths(conn, id, volNum, iter, rights, path) == nw::kSuccess &&
           path[0]) {
        std::uint32_t seq = 0, dateTime = 0, owner = 0;
        std::array<char, 256> dirName{};
        std::array<nw::TRUSTEE_INFO, nw::kTrusteesPerScan> trustees;
        while (c.NWScanDirectoryForTrustees2(conn, 0, path.data(), seq, dirName, dateTime, owner,
                                             trustees) == nw::kSuccess) {
        }
    }
}

int bareLoop(nw::NetWareClient& c, const char* dosPath)
{
    std::array<char, 48> server{}, volume{};
    std::array<char, 255> dirPath{};
    nw::NWCONN_HANDLE conn = 0;
    if (c.NWParsePath(dosPath, server, conn, volume, dirPath) != nw::kSuccess)
        return -1;
    const QByteArray volumePath = QByteArray(volume.data()) + ':' + dirPath.data();
    std::int16_t iter = 0;
    nw::CONN_USING_FILE_SUMMARY summary;
    nw::CONNS_USING_FILE batch;
    int entries = 0;
    for (;;) {
        batch.connCount = 0;
        if (c.NWScanConnectionsUsingFile(conn, 0, volumePath.constData(), iter, summary, batch) !=
            nw::kSuccess)
            break;
        for (int i = 0; i < batch.connCount; ++i) {
            std::array<char, 255> name{};
            std::uint16_t type = 0;
            std::uint32_t id = 0;
            std::array<std::uint8_t, 7> login{};
            if (c.NWGetConnectionInformation(conn, batch.connInfo[i].connNumber, name, type, id,
                                             login) != nw::kSuccess)
                continue;
            nw::NWINET_ADDR address;
            c.NWGetInetAddr(conn, batch.connInfo[i].connNumber, address);
            bareDirectoryRights(c, volumePath.constData(), name.data());
            ++entries;
        }
    }
    return entries;
}

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

struct Run
{
    double bareMs = 0;
    double windowMs = 0;
    double windowCpuMs = 0; // the processor time the window's scan took
    double residentMb = 0;
};

bool measure(int users, int tasks, const QString& where, Run& run, QTextStream& out)
{
    QString error;
    const QString state = nw::generateSimServer(
        where, nw::SimGenerateOptions{users, QStringLiteral("DATA:SHARED\\BIG.DB"), tasks}, &error);
    if (state.isEmpty()) {
        out << "cannot generate: " << error << Qt::endl;
        return false;
    }
    nw::SimClient client({{QStringLiteral("GEN1"), QStringLiteral("sim:") + state}},
                         [](QChar letter) -> std::optional<nw::NetworkDriveTarget> {
                             if (letter != QLatin1Char('F'))
                                 return std::nullopt;
                             return nw::NetworkDriveTarget{QStringLiteral("GEN1"),
                                                           QStringLiteral("DATA"), QString()};
                         });
    client.serverList(); // the state file is read once, outside the timing

    ScanWindow window(where, client, QStringLiteral("network:GEN1/DATA:"),
                      [&client](const QString& server, const QString& volume) {
                          return client.volumeHostDirectory(server, volume);
                      });

    int bareEntries = 0;
    run.bareMs = bestOf(3, [&] { bareEntries = bareLoop(client, "F:\\SHARED\\BIG.DB"); }).ms;
    const Timing scan = bestOf(3, [&] { window.form.scan().Command1_Click(); });
    run.windowMs = scan.ms;
    run.windowCpuMs = scan.cpuMs;
    run.residentMb = residentMegabytes();
    if (bareEntries != users * tasks || window.listed() != users) {
        out << "wrong answer: bare loop " << bareEntries << ", window " << window.listed()
            << " users of " << users << "; " << window.boxText() << Qt::endl;
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    Run small, large, twoTasks;
    if (!measure(1000, 1, dir.filePath(QStringLiteral("1000")), small, out) ||
        !measure(10000, 1, dir.filePath(QStringLiteral("10000")), large, out) ||
        !measure(10000, 2, dir.filePath(QStringLiteral("10000x2")), twoTasks, out))
        return 1;
    for (const auto& [users, r] : {std::pair{1000, small}, std::pair{10000, large}}) {
        out << QStringLiteral("window scan, %1 connections: %2 ms; bare client loop %3 ms; "
                              "ratio %4 (target at most 1.5)")
                   .arg(users, 5)
                   .arg(r.windowMs, 0, 'f', 1)
                   .arg(r.bareMs, 0, 'f', 1)
                   .arg(r.windowMs / r.bareMs, 0, 'f', 2)
            << Qt::endl;
    }
    out << QStringLiteral("window scan 10,000 / 1,000: %1 (target at most 12); bare loop: %2")
               .arg(large.windowMs / small.windowMs, 0, 'f', 2)
               .arg(large.bareMs / small.bareMs, 0, 'f', 2)
        << Qt::endl;
    out << QStringLiteral("window scan, 10000 connections in two tasks each: %1 ms; bare client "
                          "loop %2 ms; two tasks / one task: %3 (target at most 2.5)")
               .arg(twoTasks.windowMs, 0, 'f', 1)
               .arg(twoTasks.bareMs, 0, 'f', 1)
               .arg(twoTasks.windowMs / large.windowMs, 0, 'f', 2)
        << Qt::endl;
    out << QStringLiteral("  processor time: one task %1 ms, two tasks %2 ms; two tasks / one "
                          "task: %3 (target at most 2.5)")
               .arg(large.windowCpuMs, 0, 'f', 1)
               .arg(twoTasks.windowCpuMs, 0, 'f', 1)
               .arg(twoTasks.windowCpuMs / large.windowCpuMs, 0, 'f', 2)
        << Qt::endl;
    out << QStringLiteral("resident after listing 10,000 connections: %1 MB (target under 150)")
               .arg(large.residentMb, 0, 'f', 1)
        << Qt::endl;
    return 0;
}
