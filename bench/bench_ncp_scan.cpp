// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's scan of a file open by 10,000 connections, every detail
// option on, through quorvex-ncpd on loopback beside the same scan in process,
// on the same generated server in the same run.
//
// It also prints the floor under the NCP figure: the requests one scan sends,
// times a bare loopback round trip between two processes measured in the same
// run. NCP answers one request at a time per connection, so no client and
// server pair can scan faster than that. Targets: the scan over NCP within
// 1.5 times that floor, and at most 4 requests per user listed. The scan over
// NCP runs twice after a directory login: unsigned (the server at signature
// level 1) and with every packet signed (level 3); each within 1.5 times the
// floor.

#include "loopback_round_trip.h"
#include "scan_window.h"

#include "app/form1.h"
#include "files/directory_box.h"
#include "files/drive_box.h"
#include "ncp/client_router.h"
#include "ncpauth/object_keys.h"
#include "netware/sim_generator.h"
#include "netware/sim_server.h"
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
#include "support/ncpd_process.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextStream>

using namespace quorvex;

namespace {

constexpr int kUsers = 10000;

struct ScanFigures
{
    double bestMs = -1;         // -1 when a scan did not list every user
    std::uint64_t requests = 0; // NCP requests of one scan
    bool signedPackets = false; // the session signed its packets
};

// Best of three window scans through the given server entry.
ScanFigures windowScan(const QString& where, const QString& spec, const QString& volumes,
                       QTextStream& out)
{
    nw::ClientRouter client(
        {{QStringLiteral("GEN1"), spec}},
        [](QChar letter) -> std::optional<nw::NetworkDriveTarget> {
            if (letter != QLatin1Char('F'))
                return std::nullopt;
            return nw::NetworkDriveTarget{QStringLiteral("GEN1"), QStringLiteral("DATA"),
                                          QString()};
        },
        nullptr);
    ScanWindow window(where, client,
                      QStringLiteral("network:GEN1/DATA:@") + volumes + QStringLiteral("/DATA"));

    ScanFigures figures;
    for (int i = 0; i < 3; ++i) {
        const ncp::NcpClient* ncp = client.ncpClient(QStringLiteral("GEN1"));
        const std::uint64_t before = ncp ? ncp->requestsSent() : 0;
        QElapsedTimer t;
        t.start();
        window.form.scan().Command1_Click();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        if (window.listed() != kUsers) {
            out << "wrong answer over " << spec << ": " << window.listed() << " users; "
                << window.boxText() << Qt::endl;
            return {};
        }
        if (ncp) {
            figures.requests = ncp->requestsSent() - before;
            figures.signedPackets = ncp->sessionSigned();
        }
        if (figures.bestMs < 0 || ms < figures.bestMs)
            figures.bestMs = ms;
    }
    return figures;
}

} // namespace

int main(int argc, char* argv[])
{
    // Best of three, as the scans are.
    const double bareMicros = bestLoopbackRoundTripMicros();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    QString error;
    const QString state = nw::generateSimServer(
        dir.path(), nw::SimGenerateOptions{kUsers, QStringLiteral("DATA:SHARED\\BIG.DB"), 1},
        &error);
    if (state.isEmpty()) {
        out << "cannot generate: " << error << Qt::endl;
        return 1;
    }
    const QString volumes = dir.filePath(QStringLiteral("GEN1"));
    // ADMIN logs in over the directory, with the empty password.
    nw::SimServer server(state);
    const auto signatureLevel = [&server](int level) {
        return server.mutate([level](nw::SimState& s) {
            s.signatureLevel = level;
            nw::SimObject* admin = s.objectByName("ADMIN");
            return admin &&
                   (!admin->publicKey.isEmpty() || ncp::setObjectPassword(*admin, {}, true)) &&
                   ncp::ensureServerKeys(s);
        });
    };
    if (!signatureLevel(1)) {
        out << "cannot give ADMIN its keys" << Qt::endl;
        return 1;
    }

    NcpdProcess ncpd(state);
    if (!ncpd.start()) {
        out << ncpd.error() << Qt::endl;
        return 1;
    }
    const ScanFigures inProcess =
        windowScan(dir.path(), QStringLiteral("sim:") + state, volumes, out);
    const QString entry = QStringLiteral("ncp:%1;ADMIN").arg(ncpd.address());
    const ScanFigures overNcp = windowScan(dir.path(), entry, volumes, out);
    signatureLevel(3);
    const ScanFigures signedNcp = windowScan(dir.path(), entry, volumes, out);
    if (inProcess.bestMs < 0 || overNcp.bestMs < 0 || signedNcp.bestMs < 0)
        return 1;
    if (overNcp.signedPackets || !signedNcp.signedPackets) {
        out << "the sessions did not sign as the signature levels ask" << Qt::endl;
        return 1;
    }
    out << QStringLiteral("window scan of %1 connections: in process %2 ms; over NCP on loopback "
                          "%3 ms; ratio %4 (target at most 3)")
               .arg(kUsers)
               .arg(inProcess.bestMs, 0, 'f', 1)
               .arg(overNcp.bestMs, 0, 'f', 1)
               .arg(overNcp.bestMs / inProcess.bestMs, 0, 'f', 2)
        << Qt::endl;
    const double floorMs = double(overNcp.requests) * bareMicros / 1000;
    out << QStringLiteral("over NCP: %1 requests, %2 us each; a bare loopback round trip here: "
                          "%3 us, so the requests alone take at least %4 ms, %5 times the scan "
                          "in process")
               .arg(overNcp.requests)
               .arg(overNcp.bestMs * 1000 / double(overNcp.requests), 0, 'f', 1)
               .arg(bareMicros, 0, 'f', 1)
               .arg(floorMs, 0, 'f', 1)
               .arg(floorMs / inProcess.bestMs, 0, 'f', 2)
        << Qt::endl;
    out << QStringLiteral("over NCP: %1 requests per user listed (target at most 4; of them, "
                          "the list of the file's users takes one per 70 users); the scan takes "
                          "%2 times the floor (target at most 1.5)")
               .arg(double(overNcp.requests) / kUsers, 0, 'f', 2)
               .arg(overNcp.bestMs / floorMs, 0, 'f', 2)
        << Qt::endl;
    const double signedFloorMs = double(signedNcp.requests) * bareMicros / 1000;
    out << QStringLiteral("signed over NCP: %1 ms for %2 requests, %3 us each; %4 times the floor "
                          "(target at most 1.5), %5 times the unsigned scan")
               .arg(signedNcp.bestMs, 0, 'f', 1)
               .arg(signedNcp.requests)
               .arg(signedNcp.bestMs * 1000 / double(signedNcp.requests), 0, 'f', 1)
               .arg(signedNcp.bestMs / signedFloorMs, 0, 'f', 2)
               .arg(signedNcp.bestMs / overNcp.bestMs, 0, 'f', 2)
        << Qt::endl;
    return ncpd.stop() ? 0 : 1;
}
