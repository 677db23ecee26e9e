// SPDX-License-Identifier: GPL-3.0-or-later
#include "who_options.h"

namespace quorvex::who {

namespace {

// "--name=value" or "--name value" (also the short form "-n value"); false
// with *error set when the value is missing.
bool takeValue(const QStringList& args, qsizetype& i, const QString& longName,
               const QString& shortName, QString* value, QString* error, bool* matched)
{
    const QString& arg = args[i];
    *matched = false;
    if (arg.startsWith(longName + QLatin1Char('='))) {
        *matched = true;
        *value = arg.mid(longName.size() + 1);
    } else if (arg == longName || arg == shortName) {
        *matched = true;
        if (i + 1 < args.size())
            *value = args[++i];
        else
            value->clear();
    } else {
        return true;
    }
    if (value->isEmpty()) {
        *error = QStringLiteral("option %1 needs a value").arg(longName);
        return false;
    }
    return true;
}

} // namespace

std::optional<Options> parseArguments(const QStringList& args, QString* error)
{
    Options o;
    bool json = false;
    bool csv = false;
    bool userGiven = false;
    bool serverGiven = false;
    bool onlyFiles = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (onlyFiles || arg.isEmpty() || !arg.startsWith(QLatin1Char('-'))) {
            o.files.append(arg);
            continue;
        }
        bool matched = false;
        if (!takeValue(args, i, QStringLiteral("--user"), QStringLiteral("-u"), &o.user, error,
                       &matched))
            return std::nullopt;
        if (matched) {
            userGiven = true;
            continue;
        }
        if (!takeValue(args, i, QStringLiteral("--server"), QStringLiteral("-s"), &o.server, error,
                       &matched))
            return std::nullopt;
        if (matched) {
            serverGiven = true;
            continue;
        }
        if (arg == QLatin1String("--"))
            onlyFiles = true;
        else if (arg == QLatin1String("--json"))
            json = true;
        else if (arg == QLatin1String("--csv"))
            csv = true;
        else if (arg == QLatin1String("--no-header"))
            o.header = false;
        else if (arg == QLatin1String("--files") || arg == QLatin1String("-f"))
            o.withFiles = true;
        else if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            o.help = true;
        else if (arg == QLatin1String("--version") || arg == QLatin1String("-V"))
            o.version = true;
        else {
            *error = QStringLiteral("unknown option %1").arg(arg);
            return std::nullopt;
        }
    }
    if (o.help || o.version)
        return o;
    if (json && csv) {
        *error = QStringLiteral("--json and --csv exclude each other");
        return std::nullopt;
    }
    o.format = json ? Format::Json : csv ? Format::Csv : Format::Table;
    if (userGiven)
        o.mode = Mode::User;
    else if (serverGiven)
        o.mode = Mode::Server;
    if (o.mode != Mode::Files && !o.files.isEmpty()) {
        *error = QStringLiteral("a FILE does not go with %1")
                     .arg(userGiven ? QStringLiteral("--user") : QStringLiteral("--server"));
        return std::nullopt;
    }
    if (o.withFiles && o.mode != Mode::Server) {
        *error = QStringLiteral("--files goes with --server alone");
        return std::nullopt;
    }
    if (o.mode == Mode::Files && o.files.isEmpty()) {
        *error = QStringLiteral("no FILE, --user or --server given");
        return std::nullopt;
    }
    return o;
}

QString usageText()
{
    return QStringLiteral(
        "Usage: quorvex-who [--json|--csv] [--no-header] FILE...\n"
        "       quorvex-who [--json|--csv] [--no-header] --user NAME [--server SERVER]\n"
        "       quorvex-who [--json|--csv] [--no-header] --server SERVER [--files]\n"
        "\n"
        "Lists who has what open on the NetWare servers of Quorvex's settings.\n"
        "\n"
        "  FILE...            the connections that use each file: a DOS path on a\n"
        "                     network drive (F:\\DB\\CUSTOMER.DB), a volume path\n"
        "                     (FS1/DATA:DB\\CUSTOMER.DB) or a path on this machine\n"
        "                     under a drive's folder\n"
        "  -u, --user NAME    every file NAME's connections have open, on every\n"
        "                     server or on the one --server names\n"
        "  -s, --server NAME  every connection of the server\n"
        "  -f, --files        with --server: each connection's open files too\n"
        "      --json         one JSON document (an array of objects)\n"
        "      --csv          comma-separated values (RFC 4180) with a header row\n"
        "      --no-header    no header line (text table and CSV)\n"
        "  -h, --help         this text\n"
        "  -V, --version      the version\n"
        "\n"
        "Exit status: 0 someone (a holder, a connection) was found, 1 nobody was,\n"
        "2 a usage error, a missing file, an unreachable server or a refused call.\n");
}

} // namespace quorvex::who
