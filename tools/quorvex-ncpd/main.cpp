// SPDX-License-Identifier: GPL-3.0-or-later
// quorvex-ncpd: serves one simulated server's state file over NCP/TCP.

#include "listen_address.h"
#include "ncpd/ncp_listener.h"
#include "platform/termination_signals.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

const char* const kUsage =
    "Usage: quorvex-ncpd STATE [--listen HOST:PORT]\n"
    "Serves the simulated NetWare server of the state file STATE over NCP/TCP.\n"
    "\n"
    "  --listen HOST:PORT  address to listen on (default 127.0.0.1:524);\n"
    "                      port 0 picks a free port\n"
    "  --help              show this help\n"
    "\n"
    "The first line of output is \"listening on HOST:PORT\". SIGINT or SIGTERM\n"
    "ends the server.\n";

int usageError(QTextStream& err, const QString& message)
{
    err << "quorvex-ncpd: " << message << "\n" << kUsage;
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    // Before anything can block, so that an early signal is not lost.
    quorvex::TerminationSignals::install();
    // A server with no desktop to fit into: Qt's own event dispatcher turns a
    // request around with fewer wake-ups than GLib's main loop.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);

    QString statePath;
    ListenAddress listen{QHostAddress(QHostAddress::LocalHost), 524};
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            out << kUsage;
            return 0;
        }
        if (arg == QLatin1String("--listen")) {
            if (i + 1 >= args.size())
                return usageError(err, QStringLiteral("--listen needs HOST:PORT"));
            const auto parsed = parseListenAddress(args[++i]);
            if (!parsed)
                return usageError(err, QStringLiteral("bad address \"%1\"").arg(args[i]));
            listen = *parsed;
        } else if (arg.startsWith(QLatin1String("--")) || !statePath.isEmpty()) {
            return usageError(err, QStringLiteral("unexpected argument \"%1\"").arg(arg));
        } else {
            statePath = arg;
        }
    }
    if (statePath.isEmpty())
        return usageError(err, QStringLiteral("no state file given"));

    quorvex::TerminationSignals termination;
    QObject::connect(&termination, &quorvex::TerminationSignals::terminationRequested, &app,
                     [] { QCoreApplication::exit(0); });

    ncpd::NcpListener listener(statePath);
    QString error;
    if (!listener.listen(listen.host, listen.port, &error)) {
        err << "quorvex-ncpd: " << error << "\n";
        return 1;
    }
    const QString host = listener.address().protocol() == QAbstractSocket::IPv6Protocol
                             ? QLatin1Char('[') + listener.address().toString() + QLatin1Char(']')
                             : listener.address().toString();
    out << "listening on " << host << ':' << listener.port() << Qt::endl; // endl flushes
    return app.exec();
}
