// SPDX-License-Identifier: GPL-3.0-or-later
// quorvex-who: who has what open on the NetWare servers of Quorvex's settings,
// for scripts and terminals. The answer goes to standard output, every message
// to standard error; the exit status says whether anybody was found (0), nobody
// (1), or something went wrong (2).

#include "who_options.h"
#include "who_output.h"
#include "who_query.h"
#include "who_setup.h"

#include "platform/app_dirs.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif

using namespace quorvex::who;

namespace {

constexpr int kFound = 0;
constexpr int kNoneFound = 1;
constexpr int kTrouble = 2;

// The program says what went wrong itself, one line each: the libraries'
// own warnings would only repeat it less clearly.
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

void write(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
}

} // namespace

int main(int argc, char* argv[])
{
#ifdef __GLIBC__
    // A run reads a server's state file, large blocks that are freed once it
    // is read, and then builds its answer. Kept in the process, those blocks
    // take the answer without the system handing out fresh pages again.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
#endif
    qInstallMessageHandler(quiet);
    QCoreApplication app(argc, argv);
    QTextStream errors(stderr);
    QString error;
    const auto options = parseArguments(app.arguments().mid(1), &error);
    if (!options) {
        errors << "quorvex-who: " << error << " (see quorvex-who --help)" << Qt::endl;
        return kTrouble;
    }
    if (options->help) {
        write(usageText().toUtf8());
        return kFound;
    }
    if (options->version) {
        write(QByteArrayLiteral("quorvex-who " QUORVEX_VERSION_TEXT "\n"));
        return kFound;
    }

    WhoSetup setup;
    if (!setup.load(quorvex::AppDirs::detect().settingsFile(), &error)) {
        errors << "quorvex-who: " << error << Qt::endl;
        return kTrouble;
    }
    WhoQuery query(setup, errors);
    bool found = false;
    switch (options->mode) {
    case Mode::Files: {
        const auto rows = query.holdersOf(options->files);
        found = !rows.empty();
        write(formatHolders(rows, options->format, options->header));
        break;
    }
    case Mode::User: {
        int connections = 0;
        const auto rows = query.filesOfUser(options->user, options->server, &connections);
        found = connections > 0;
        write(formatHolders(rows, options->format, options->header));
        break;
    }
    case Mode::Server: {
        const auto rows = query.connectionsOf(options->server, options->withFiles);
        found = !rows.empty();
        write(formatConnections(rows, options->withFiles, options->format, options->header));
        break;
    }
    }
    // Ends here, without taking the servers' states apart: for a server of
    // ten thousand connections that is a tenth of the run, and the system
    // takes the memory back at once.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(query.failed() ? kTrouble : found ? kFound : kNoneFound);
}
