// SPDX-License-Identifier: GPL-3.0-or-later
// A directory of 2,000 files listed as the file browser lists it: through the
// simulated volume's folder in process, and over NCP on loopback through
// quorvex-ncpd serving the same state, with no mount (one 87/2, then 87/20
// answers each holding as many entries as a reply takes).
//
// It prints the requests one listing sends and the floor they make: the
// requests times a bare loopback round trip between two processes measured in
// the same run, below which no client and server pair can list. Targets: at
// most one request per 20 entries, and the listing over NCP within 1.5 times
// its floor. Half the names are 8.3 names, half long ones (26 characters).

#include "loopback_round_trip.h"

#include "ncp/client_router.h"
#include "ncp/ncp_client.h"
#include "netware/sim_generator.h"
#include "platform/drive_map.h"
#include "platform/volume_files.h"
#include "support/ncpd_process.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

constexpr int kFiles = 2000;
constexpr int kRounds = 15;

struct Figures
{
    double bestMs = -1; // -1 when a listing came back wrong
    std::uint64_t requests = 0;
};

Figures listing(const QString& spec, QTextStream& out)
{
    nw::ClientRouter client({{QStringLiteral("GEN1"), spec}}, nw::DriveLookup(), nullptr);
    quorvex::DriveEntry drive;
    drive.letter = QLatin1Char('F');
    drive.type = quorvex::DriveType::Remote;
    drive.server = QStringLiteral("GEN1");
    drive.volume = QStringLiteral("DATA");
    const auto files = client.volumeFiles(drive);
    const ncp::NcpClient* ncp = client.ncpClient(QStringLiteral("GEN1"));
    const QStringList dir{QStringLiteral("LIST")};
    Figures figures;
    if (!files || !files->list(dir)) { // the session's set-up is no part of a listing
        out << "cannot list over " << spec << Qt::endl;
        return figures;
    }
    for (int i = 0; i < kRounds; ++i) {
        const std::uint64_t before = ncp ? ncp->requestsSent() : 0;
        QElapsedTimer t;
        t.start();
        const auto entries = files->list(dir);
        const double ms = double(t.nsecsElapsed()) / 1e6;
        if (!entries || entries->size() != kFiles) {
            out << "wrong listing over " << spec << ": " << (entries ? entries->size() : -1)
                << " entries" << Qt::endl;
            return {};
        }
        figures.requests = ncp ? ncp->requestsSent() - before : 0;
        if (figures.bestMs < 0 || ms < figures.bestMs)
            figures.bestMs = ms;
    }
    return figures;
}

} // namespace

int main(int argc, char* argv[])
{
    const double bareMicros = bestLoopbackRoundTripMicros();
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    QString error;
    const QString state = nw::generateSimServer(dir.path(), nw::SimGenerateOptions{1}, &error);
    if (state.isEmpty()) {
        out << "cannot generate: " << error << Qt::endl;
        return 1;
    }
    const QString folder = dir.filePath(QStringLiteral("GEN1/DATA/LIST"));
    QDir().mkpath(folder);
    for (int i = 0; i < kFiles; ++i) {
        const QString name =
            i % 2 ? QStringLiteral("F%1.DAT").arg(i, 7, 10, QLatin1Char('0'))
                  : QStringLiteral("Quarterly report %1.xlsx").arg(i, 4, 10, QLatin1Char('0'));
        QFile file(folder + QLatin1Char('/') + name);
        if (!file.open(QIODevice::WriteOnly) || file.write("data\n") != 5) {
            out << "cannot write " << file.fileName() << Qt::endl;
            return 1;
        }
    }

    NcpdProcess ncpd(state);
    if (!ncpd.start()) {
        out << ncpd.error() << Qt::endl;
        return 1;
    }
    const Figures inProcess = listing(QStringLiteral("sim:") + state, out);
    const Figures overNcp = listing(QStringLiteral("ncp:%1;ADMIN").arg(ncpd.address()), out);
    if (inProcess.bestMs < 0 || overNcp.bestMs < 0 || overNcp.requests == 0)
        return 1;
    const double floorMs = double(overNcp.requests) * bareMicros / 1000;
    out << QStringLiteral("listing of %1 files: in process %2 ms; over NCP on loopback %3 ms "
                          "(best of %4), %5 times the listing in process")
               .arg(kFiles)
               .arg(inProcess.bestMs, 0, 'f', 2)
               .arg(overNcp.bestMs, 0, 'f', 2)
               .arg(kRounds)
               .arg(overNcp.bestMs / inProcess.bestMs, 0, 'f', 2)
        << Qt::endl;
    out << QStringLiteral("over NCP: %1 requests, one per %2 entries (target at most one per 20); "
                          "a bare loopback round trip here: %3 us, so the requests alone take at "
                          "least %4 ms; the listing takes %5 times that floor (target at most 1.5)")
               .arg(overNcp.requests)
               .arg(double(kFiles) / double(overNcp.requests), 0, 'f', 1)
               .arg(bareMicros, 0, 'f', 1)
               .arg(floorMs, 0, 'f', 2)
               .arg(overNcp.bestMs / floorMs, 0, 'f', 2)
        << Qt::endl;
    return ncpd.stop() ? 0 : 1;
}
