// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_tool.h"

#include "ncpauth/object_keys.h"
#include "netware/sim_address.h"
#include "netware/sim_generator.h"
#include "netware/sim_path.h"
#include "netware/sim_server.h"

#include <QDateTime>
#include <QJsonObject>

#include <optional>
#include <stdexcept>

namespace nw {
namespace {

const char* const kUsage =
    "usage:\n"
    "  quorvex-sim STATE show\n"
    "  quorvex-sim STATE login USER [--conn N] [--address A] [--at \"YYYY-MM-DD HH:MM:SS\"]\n"
    "  quorvex-sim STATE logout CONN\n"
    "  quorvex-sim STATE open CONN PATH [--task N] [--lock-type B] [--access B] [--locked]\n"
    "  quorvex-sim STATE close CONN PATH [--task N]\n"
    "  quorvex-sim STATE messages CONN\n"
    "  quorvex-sim STATE fault CALL CODE [--count N]\n"
    "  quorvex-sim STATE unlock USER\n"
    "  quorvex-sim STATE password OBJECT\n"
    "  quorvex-sim generate DIR --users N --file PATH [--tasks K] [--files F]\n"
    "PATH is VOLUME:DIR\\NAME. open defaults: task 1, lock type 8 (shareable), access 3\n"
    "(read and write), not locked. close without --task closes every task's entry.\n"
    "CODE and numbers may be decimal or 0x hex; fault --count -1 means always.\n"
    "unlock clears the refused logins that locked USER (intruder detection).\n"
    "password reads OBJECT's new password (the first line of standard input, asked\n"
    "without echo on a terminal) and keeps only what servers keep: the password hash\n"
    "and, on a server with directory services, a new key pair (the server gets one\n"
    "too when it has none). generate gives the server and its workstation user keys.\n";

struct Failure : std::runtime_error
{
    using std::runtime_error::runtime_error;
};
[[noreturn]] void fail(const QString& text)
{
    throw Failure(text.toStdString());
}

// Positional words and --options of one command line.
class Args
{
public:
    Args(const QStringList& words, const QStringList& valueOptions, const QStringList& flags)
    {
        for (int i = 0; i < words.size(); ++i) {
            const QString& w = words[i];
            if (!w.startsWith(QLatin1String("--"))) {
                positional_.append(w);
            } else if (flags.contains(w)) {
                options_.insert(w, QString());
            } else if (valueOptions.contains(w)) {
                if (i + 1 >= words.size())
                    fail(QStringLiteral("%1 needs a value").arg(w));
                options_.insert(w, words[++i]);
            } else {
                fail(QStringLiteral("unknown option %1").arg(w));
            }
        }
    }
    const QStringList& positional() const { return positional_; }
    void expect(int count, const char* what) const
    {
        if (positional_.size() != count)
            fail(QStringLiteral("expected: %1").arg(QLatin1String(what)));
    }
    bool has(const QString& o) const { return options_.contains(o); }
    QString value(const QString& o) const { return options_.value(o); }

private:
    QStringList positional_;
    QHash<QString, QString> options_;
};

long long number(const QString& text, long long lo, long long hi, const char* what)
{
    bool ok = false;
    const long long v = text.toLongLong(&ok, 0);
    if (!ok || v < lo || v > hi)
        fail(QStringLiteral("%1 must be a number from %2 to %3, not \"%4\"")
                 .arg(QLatin1String(what))
                 .arg(lo)
                 .arg(hi)
                 .arg(text));
    return v;
}

void change(SimServer& server, const std::function<void(SimState&)>& apply)
{
    QString failure, error;
    const bool ok = server.mutate(
        [&](SimState& s) {
            try {
                apply(s);
                return true;
            } catch (const Failure& f) {
                failure = QString::fromStdString(f.what());
                return false;
            }
        },
        &error);
    if (!ok)
        fail(error);
    if (!failure.isEmpty())
        fail(failure);
}

SimConnection& connectionOf(SimState& s, const QString& text)
{
    const int index = s.connectionIndex(std::uint16_t(number(text, 1, 65535, "CONN")));
    if (index < 0)
        fail(QStringLiteral("no connection %1").arg(text));
    return s.connections[std::size_t(index)];
}

void show(SimServer& server, QTextStream& out)
{
    const auto s = server.state();
    if (!s)
        fail(server.errorText());
    out << "server " << s->server << " version " << s->versionMajor << '.' << s->versionMinor
        << (s->versionMajor > 3 ? " (directory services)" : " (bindery)") << '\n';
    for (std::size_t i = 0; i < s->volumes.size(); ++i)
        out << "volume " << i << ' ' << s->volumes[i].name << " = " << s->volumes[i].hostDir
            << '\n';
    out << "workstation connection " << s->workstation.connection << " user " << s->workstation.user
        << (s->workstation.consoleOperator ? " (console operator)" : "") << '\n';
    out << "latencyMs " << s->latencyMs << " batchSize " << s->batchSize << " emptyBatches "
        << s->emptyBatches << '\n';
    for (const SimFault& f : s->faults)
        out << "fault " << f.call << " 0x" << QString::number(f.code, 16).toUpper() << " count "
            << f.count << '\n';
    for (const SimObject& o : s->objects)
        if (o.failedLogins || o.passwordExpired || o.disabled)
            out << "user " << o.name << ": " << o.failedLogins << " refused login(s)"
                << (o.locked() ? " (locked)" : "")
                << (o.passwordExpired
                        ? QStringLiteral(", password expired, %1 grace login(s)").arg(o.graceLogins)
                        : QString())
                << (o.disabled ? ", disabled" : "") << '\n';
    out << s->connections.size() << " connection(s)\n";
    for (const SimConnection& c : s->connections) {
        const QJsonValue address = simAddressToJson(c.address);
        out << qSetFieldWidth(6) << c.number << qSetFieldWidth(0) << "  " << c.user << "  "
            << formatStateTime(c.login) << "  "
            << (address.isString() ? address.toString() : QString())
            << (c.acceptsMessages ? "" : "  (no messages)") << '\n';
        for (const SimOpenEntry& e : c.open)
            out << "          " << e.path << "  task " << e.task << "  lock type " << e.lockType
                << "  access " << e.access << (e.locked ? "  locked" : "") << '\n';
    }
}

int runOnState(SimServer& server, const QString& command, const QStringList& rest, QTextStream& out,
               const PasswordInput& readPassword)
{
    if (command == QLatin1String("show")) {
        Args(rest, {}, {}).expect(0, "show");
        show(server, out);
    } else if (command == QLatin1String("login")) {
        const Args a(
            rest, {QStringLiteral("--conn"), QStringLiteral("--address"), QStringLiteral("--at")},
            {});
        a.expect(1, "login USER");
        int assigned = 0;
        change(server, [&](SimState& s) {
            const SimObject* o = s.objectByName(a.positional()[0]);
            if (!o)
                fail(QStringLiteral("no user %1 on %2").arg(a.positional()[0], s.server));
            SimConnection c;
            c.user = o->name;
            c.login = QDateTime::currentDateTime();
            if (a.has(QStringLiteral("--at"))) {
                const auto at = parseStateTime(a.value(QStringLiteral("--at")), false);
                if (!at)
                    fail(QStringLiteral("--at must be \"YYYY-MM-DD HH:MM:SS\""));
                c.login = *at;
            }
            if (a.has(QStringLiteral("--address"))) {
                QString error;
                const auto address =
                    parseSimAddressText(a.value(QStringLiteral("--address")), &error);
                if (!address)
                    fail(error);
                c.address = *address;
            }
            if (a.has(QStringLiteral("--conn"))) {
                c.number =
                    std::uint16_t(number(a.value(QStringLiteral("--conn")), 1, 65535, "--conn"));
                if (s.connection(c.number))
                    fail(QStringLiteral("connection %1 is in use").arg(c.number));
            } else {
                // The lowest free number; the workstation's own is never handed out.
                for (int n = 1; n <= 65535 && c.number == 0; ++n)
                    if (!s.connection(std::uint16_t(n)) && n != s.workstation.connection)
                        c.number = std::uint16_t(n);
                if (c.number == 0)
                    fail(QStringLiteral("the connection table is full"));
            }
            assigned = c.number;
            s.connections.push_back(std::move(c));
        });
        out << assigned << '\n';
    } else if (command == QLatin1String("logout")) {
        const Args a(rest, {}, {});
        a.expect(1, "logout CONN");
        change(server, [&](SimState& s) {
            SimConnection& c = connectionOf(s, a.positional()[0]);
            s.connections.erase(s.connections.begin() + (&c - s.connections.data()));
        });
    } else if (command == QLatin1String("open")) {
        const Args a(
            rest,
            {QStringLiteral("--task"), QStringLiteral("--lock-type"), QStringLiteral("--access")},
            {QStringLiteral("--locked")});
        a.expect(2, "open CONN PATH");
        change(server, [&](SimState& s) {
            SimConnection& c = connectionOf(s, a.positional()[0]);
            const QString path = a.positional()[1];
            const auto split = splitNwPath(path);
            const int volume = split ? s.volumeIndex(split->volume) : -1;
            if (volume < 0 || split->relative.isEmpty())
                fail(QStringLiteral("bad path %1 (VOLUME:DIR\\NAME on %2)").arg(path, s.server));
            if (!findHostPath(s.volumes[std::size_t(volume)].hostDir, split->relative))
                fail(QStringLiteral("no file %1 on %2").arg(path, s.server));
            SimOpenEntry e;
            e.path = s.volumes[std::size_t(volume)].name + QLatin1Char(':') + split->relative;
            e.task = std::uint16_t(number(a.has(QStringLiteral("--task"))
                                              ? a.value(QStringLiteral("--task"))
                                              : QStringLiteral("1"),
                                          0, 65535, "--task"));
            e.lockType = std::uint8_t(number(a.has(QStringLiteral("--lock-type"))
                                                 ? a.value(QStringLiteral("--lock-type"))
                                                 : QStringLiteral("8"),
                                             0, 255, "--lock-type"));
            e.access = std::uint8_t(number(a.has(QStringLiteral("--access"))
                                               ? a.value(QStringLiteral("--access"))
                                               : QStringLiteral("3"),
                                           0, 255, "--access"));
            e.locked = a.has(QStringLiteral("--locked")) ? 1 : 0;
            for (const SimOpenEntry& other : c.open)
                if (other.task == e.task && normalizeNwPath(other.path) == normalizeNwPath(e.path))
                    fail(QStringLiteral("connection %1 task %2 already has %3 open")
                             .arg(c.number)
                             .arg(e.task)
                             .arg(path));
            c.open.push_back(e);
        });
    } else if (command == QLatin1String("close")) {
        const Args a(rest, {QStringLiteral("--task")}, {});
        a.expect(2, "close CONN PATH");
        change(server, [&](SimState& s) {
            SimConnection& c = connectionOf(s, a.positional()[0]);
            const QString key = normalizeNwPath(a.positional()[1]);
            const std::optional<long long> task =
                a.has(QStringLiteral("--task"))
                    ? std::optional(number(a.value(QStringLiteral("--task")), 0, 65535, "--task"))
                    : std::nullopt;
            const auto removed = std::erase_if(c.open, [&](const SimOpenEntry& e) {
                return normalizeNwPath(e.path) == key && (!task || e.task == *task);
            });
            if (removed == 0)
                fail(QStringLiteral("connection %1 does not have %2 open")
                         .arg(c.number)
                         .arg(a.positional()[1]));
        });
    } else if (command == QLatin1String("messages")) {
        const Args a(rest, {}, {});
        a.expect(1, "messages CONN");
        const auto state = server.state();
        if (!state)
            fail(server.errorText());
        SimState copy = *state;
        copy.reindex();
        for (const QJsonValue& m : connectionOf(copy, a.positional()[0]).messages) {
            const QJsonObject o = m.toObject();
            out << o.value(QLatin1String("at")).toString() << "  "
                << o.value(QLatin1String("from")).toString() << ": "
                << (m.isString() ? m.toString() : o.value(QLatin1String("text")).toString())
                << '\n';
        }
    } else if (command == QLatin1String("fault")) {
        const Args a(rest, {QStringLiteral("--count")}, {});
        a.expect(2, "fault CALL CODE");
        const SimFault f{
            a.positional()[0], std::uint32_t(number(a.positional()[1], 0, 0xFFFFFFFFLL, "CODE")),
            int(a.has(QStringLiteral("--count"))
                    ? number(a.value(QStringLiteral("--count")), -1, 1000000000, "--count")
                    : 1)};
        if (f.count == 0)
            fail(QStringLiteral("--count must be -1 or at least 1"));
        change(server, [&](SimState& s) { s.faults.push_back(f); });
    } else if (command == QLatin1String("unlock")) {
        const Args a(rest, {}, {});
        a.expect(1, "unlock USER");
        change(server, [&](SimState& s) {
            SimObject* o = s.objectByName(a.positional()[0]);
            if (!o)
                fail(QStringLiteral("no user %1 on %2").arg(a.positional()[0], s.server));
            o->failedLogins = 0;
        });
    } else if (command == QLatin1String("password")) {
        const Args a(rest, {}, {});
        a.expect(1, "password OBJECT");
        const QString name = a.positional()[0];
        const auto current = server.state();
        if (!current)
            fail(server.errorText());
        if (!current->objectByName(name))
            fail(QStringLiteral("no object %1 on %2").arg(name, current->server));
        auto password = readPassword
                            ? readPassword(QStringLiteral("New password for %1: ").arg(name))
                            : std::nullopt;
        if (!password)
            fail(QStringLiteral("no password given on standard input"));
        change(server, [&](SimState& s) {
            SimObject* o = s.objectByName(name);
            if (!o)
                fail(QStringLiteral("no object %1 on %2").arg(name, s.server));
            const bool keys = s.versionMajor > 3;
            if (keys && !ncp::ensureServerKeys(s))
                fail(QStringLiteral("cannot make the server's key pair"));
            if (!ncp::setObjectPassword(*o, *password, keys))
                fail(QStringLiteral("the password has a character servers cannot receive "
                                    "(Latin-1 only)"));
        });
        password->fill(QChar());
    } else {
        fail(QStringLiteral("unknown command %1 (see --help)").arg(command));
    }
    return 0;
}

} // namespace

int runSimTool(const QStringList& args, QTextStream& out, QTextStream& err,
               const PasswordInput& readPassword)
{
    try {
        if (args.isEmpty() || args.contains(QLatin1String("--help")) ||
            args.contains(QLatin1String("-h"))) {
            (args.isEmpty() ? err : out) << kUsage;
            return args.isEmpty() ? 1 : 0;
        }
        if (args[0] == QLatin1String("generate")) {
            const Args a(args.mid(1),
                         {QStringLiteral("--users"), QStringLiteral("--file"),
                          QStringLiteral("--tasks"), QStringLiteral("--files")},
                         {});
            a.expect(1, "generate DIR --users N --file PATH [--tasks K] [--files F]");
            if (!a.has(QStringLiteral("--users")) || !a.has(QStringLiteral("--file")))
                fail(QStringLiteral("generate needs --users N and --file PATH"));
            SimGenerateOptions options;
            options.users = int(number(a.value(QStringLiteral("--users")), 0, 65534, "--users"));
            options.file = a.value(QStringLiteral("--file"));
            if (a.has(QStringLiteral("--tasks")))
                options.tasks = int(number(a.value(QStringLiteral("--tasks")), 1, 1000, "--tasks"));
            if (a.has(QStringLiteral("--files")))
                options.files = int(number(a.value(QStringLiteral("--files")), 1, 100, "--files"));
            QString error;
            const QString state = generateSimServer(a.positional()[0], options, &error);
            if (state.isEmpty())
                fail(error);
            // The server and the user who logs in get what the directory
            // login needs (the empty password, as the state gives them).
            SimServer generated(state);
            change(generated, [](SimState& s) {
                SimObject* o = s.objectByName(s.workstation.user);
                if (s.versionMajor <= 3 || !o)
                    return;
                if (!ncp::ensureServerKeys(s) ||
                    !ncp::setObjectPassword(*o, o->password.value_or(QString()), true))
                    fail(QStringLiteral("cannot make the key pairs"));
            });
            out << state << '\n';
            return 0;
        }
        if (args.size() < 2)
            fail(QStringLiteral("expected: STATE COMMAND (see --help)"));
        SimServer server(args[0]);
        return runOnState(server, args[1], args.mid(2), out, readPassword);
    } catch (const Failure& f) {
        out.flush();
        err << "quorvex-sim: "
            << QString::fromStdString(f.what()).replace(QLatin1Char('\n'), QLatin1Char(' '))
            << '\n';
        return 1;
    }
}

} // namespace nw
