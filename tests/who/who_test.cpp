// SPDX-License-Identifier: GPL-3.0-or-later
// quorvex-who as scripts run it: every query against a simulated server in
// every format, read back and compared with the server's state; the same
// queries over quorvex-ncpd giving the same output; the exit statuses and
// their messages; and nothing written to the settings or the servers.

#include "support/ncpd_process.h"
#include "support/sim_server_builder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

QString program()
{
    QString build = qEnvironmentVariable("QUORVEX_BUILD_DIR");
    if (build.isEmpty())
        build = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
    return build + QStringLiteral("/quorvex-who");
}

// A settings file of its own in a configuration directory of its own.
class Settings
{
public:
    explicit Settings(const QByteArray& text) { write(text); }
    void write(const QByteArray& text)
    {
        QDir(dir_.path()).mkpath(QStringLiteral("Quorvex"));
        QFile f(file());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    QString home() const { return dir_.path(); }
    QString file() const { return dir_.filePath(QStringLiteral("Quorvex/Quorvex.ini")); }

    Run who(const QStringList& args) const
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home());
        p.setProcessEnvironment(env);
        p.start(program(), args);
        p.waitForFinished(60000);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                p.readAllStandardOutput(), p.readAllStandardError()};
    }

private:
    QTemporaryDir dir_;
};

QByteArray digest(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// One RFC 4180 document as rows of fields.
QList<QStringList> parseCsv(const QByteArray& bytes)
{
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"'))
                field += text[++i];
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                field += c;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << field;
            field.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                   text[i + 1] == QLatin1Char('\n')) {
            row << field;
            rows << row;
            row.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return rows;
}

const QString kPlan = QStringLiteral("Plan, final \"v2\".doc");

// One holder as the JSON answer gives it; access is the access-control byte
// and its text.
QJsonObject holder(const char* server, int connection, const char* user, int task, int lockType,
                   std::pair<int, const char*> access, int lockFlag, const char* login,
                   const char* address, const QString& path)
{
    return {{QStringLiteral("server"), QLatin1String(server)},
            {QStringLiteral("connection"), connection},
            {QStringLiteral("user"), QLatin1String(user)},
            {QStringLiteral("task"), task},
            {QStringLiteral("opened"), lockType == 8 ? "Shareable" : "Exclusive"},
            {QStringLiteral("access"), QLatin1String(access.second)},
            {QStringLiteral("locked"), lockFlag != 0},
            {QStringLiteral("lockType"), lockType},
            {QStringLiteral("accessControl"), access.first},
            {QStringLiteral("lockFlag"), lockFlag},
            {QStringLiteral("login"), QLatin1String(login)},
            {QStringLiteral("address"), QLatin1String(address)},
            {QStringLiteral("path"), path}};
}

const std::pair<int, const char*> kReadWrite{3, "Read,Write"};
const std::pair<int, const char*> kRead{1, "Read"};
const std::pair<int, const char*> kReadDenyWrite{9, "Read,Deny Write"};

// The holders as CSV gives them: the JSON's values as text, the raw bytes
// left out, the lock flag as the window writes it.
QList<QStringList> asCsv(const QJsonArray& holders)
{
    QList<QStringList> rows{{QStringLiteral("server"), QStringLiteral("connection"),
                             QStringLiteral("user"), QStringLiteral("task"),
                             QStringLiteral("opened"), QStringLiteral("access"),
                             QStringLiteral("locked"), QStringLiteral("login"),
                             QStringLiteral("address"), QStringLiteral("path")}};
    for (const QJsonValue& v : holders) {
        const QJsonObject o = v.toObject();
        rows << QStringList{o[QStringLiteral("server")].toString(),
                            QString::number(o[QStringLiteral("connection")].toInt()),
                            o[QStringLiteral("user")].toString(),
                            QString::number(o[QStringLiteral("task")].toInt()),
                            o[QStringLiteral("opened")].toString(),
                            o[QStringLiteral("access")].toString(),
                            o[QStringLiteral("locked")].toBool() ? QStringLiteral("Yes")
                                                                 : QStringLiteral("No"),
                            o[QStringLiteral("login")].toString(),
                            o[QStringLiteral("address")].toString(),
                            o[QStringLiteral("path")].toString()};
    }
    return rows;
}

// FS1 (directory services) and FS2 (bindery), and settings naming them, the
// first in process or through a quorvex-ncpd.
class World
{
public:
    World()
    {
        fs1.user(QStringLiteral("JSMITH"), QStringLiteral("SALES.ACME"), 1002)
            .user(QStringLiteral("BOB"), QString(), 1003)
            .user(QStringLiteral("AMILLER"), QString(), 1004)
            .file(QStringLiteral("DATA:DB\\CUSTOMER.DB"))
            .file(QStringLiteral("DATA:Docs\\") + kPlan)
            .file(QStringLiteral("DATA:Docs\\FREE.TXT"))
            .connection(3, QStringLiteral("JSMITH"), QStringLiteral("2004-03-07 09:15:42"),
                        QStringLiteral("IP:10.1.2.5"))
            .opens(3, QStringLiteral("DATA:DB\\CUSTOMER.DB"), 1, 8, 3, 0)
            .opens(3, QStringLiteral("DATA:DB\\CUSTOMER.DB"), 2, 8, 1, 0)
            .opens(3, QStringLiteral("DATA:DOCS\\") + kPlan, 1, 0, 9, 1)
            .connection(7, QStringLiteral("BOB"), QStringLiteral("2004-03-08 00:05:12"),
                        QStringLiteral("IPX:0000ABCD:00A0C9112233:4003"))
            .opens(7, QStringLiteral("DATA:DB\\CUSTOMER.DB"), 1, 8, 1, 0)
            .connection(21, QStringLiteral("AMILLER"), QStringLiteral("2004-03-04 15:10:05"),
                        QStringLiteral("IP:10.1.2.40"));
        fs2.version(3, 12)
            .user(QStringLiteral("BOB"), QString(), 2001)
            .file(QStringLiteral("DATA:ACCT\\LEDGER.DAT"))
            .connection(5, QStringLiteral("BOB"), QStringLiteral("2004-03-08 09:01:33"),
                        QStringLiteral("IP:10.9.0.5"))
            .opens(5, QStringLiteral("DATA:ACCT\\LEDGER.DAT"), 1, 8, 3, 0);
        fs1.write();
        fs2.write();
    }

    QByteArray settingsText(const QString& fs1Spec, const QString& mount = QString()) const
    {
        return QStringLiteral("[Drives]\nC=fixed:/\nF=network:FS1/DATA:%1\nK=network:FS2/DATA:\n"
                              "[Servers]\nFS1=%2\nFS2=sim:%3\n")
            .arg(mount.isEmpty() ? QString() : QLatin1Char('@') + mount, fs1Spec, fs2.statePath())
            .toUtf8();
    }
    QByteArray simSettings() const
    {
        return settingsText(QStringLiteral("sim:") + fs1.statePath());
    }

    SimServerBuilder fs1{QStringLiteral("FS1")};
    SimServerBuilder fs2{QStringLiteral("FS2")};
};

const QString kCustomer = QStringLiteral("DATA:DB\\CUSTOMER.DB");

QJsonArray customerHolders(const QString& path = kCustomer)
{
    return {holder("FS1", 3, "JSMITH.SALES.ACME", 1, 8, kReadWrite, 0, "2004-03-07T09:15:42",
                   "IP:10.1.2.5", path),
            holder("FS1", 3, "JSMITH.SALES.ACME", 2, 8, kRead, 0, "2004-03-07T09:15:42",
                   "IP:10.1.2.5", path),
            holder("FS1", 7, "BOB", 1, 8, kRead, 0, "2004-03-08T00:05:12",
                   "IPX:0000ABCD:00A0C9112233:4003", path)};
}

// The queries every format and both transports are checked on.
const QList<QStringList> kQueries = {
    {QStringLiteral("F:\\DB\\CUSTOMER.DB")},
    {QStringLiteral("FS1/DATA:DB\\CUSTOMER.DB"), QStringLiteral("K:\\ACCT\\LEDGER.DAT")},
    {QStringLiteral("--user"), QStringLiteral("JSMITH")},
    {QStringLiteral("--user"), QStringLiteral("bob")},
    {QStringLiteral("--server"), QStringLiteral("FS1")},
    {QStringLiteral("--server"), QStringLiteral("FS1"), QStringLiteral("--files")},
};

} // namespace

class WhoTest : public QObject
{
    Q_OBJECT
private slots:
    void answersMatchTheServersState();
    void outputOverNcpIsTheSame();
    void exitStatusesAndMessages_data();
    void exitStatusesAndMessages();
    void nothingIsWritten();
};

void WhoTest::answersMatchTheServersState()
{
    World w;
    Settings settings(w.simSettings());

    // Files: by DOS path, by volume path and by a path on this machine; each
    // task of a connection is a holder of its own.
    const QJsonArray customer = customerHolders();
    for (const QString& file :
         {QStringLiteral("F:\\DB\\CUSTOMER.DB"), QStringLiteral("FS1/DATA:DB\\CUSTOMER.DB"),
          w.fs1.hostPath(QStringLiteral("DATA:DB/CUSTOMER.DB"))}) {
        const Run json = settings.who({QStringLiteral("--json"), file});
        QCOMPARE(json.status, 0);
        QCOMPARE(QJsonDocument::fromJson(json.out).array(), customer);
        QVERIFY(json.err.isEmpty());
    }
    const Run csv = settings.who({QStringLiteral("--csv"), QStringLiteral("F:\\DB\\CUSTOMER.DB")});
    QCOMPARE(parseCsv(csv.out), asCsv(customer));
    QVERIFY(csv.out.endsWith("\r\n"));

    // A user's files on every server, with their paths; names with a comma
    // and quotes come back whole in both forms.
    const QJsonArray jsmith{customer[0], customer[1],
                            holder("FS1", 3, "JSMITH.SALES.ACME", 1, 0, kReadDenyWrite, 1,
                                   "2004-03-07T09:15:42", "IP:10.1.2.5",
                                   QStringLiteral("DATA:Docs\\") + kPlan)};
    QCOMPARE(QJsonDocument::fromJson(settings
                                         .who({QStringLiteral("--json"), QStringLiteral("--user"),
                                               QStringLiteral("jsmith")})
                                         .out)
                 .array(),
             jsmith);
    QCOMPARE(parseCsv(settings
                          .who({QStringLiteral("--csv"), QStringLiteral("-u"),
                                QStringLiteral("JSMITH.SALES.ACME")})
                          .out),
             asCsv(jsmith));
    const QJsonArray bob{customer[2],
                         holder("FS2", 5, "BOB", 1, 8, kReadWrite, 0, "2004-03-08T09:01:33",
                                "IP:10.9.0.5", QStringLiteral("DATA:ACCT\\LEDGER.DAT"))};
    QCOMPARE(QJsonDocument::fromJson(
                 settings.who({QStringLiteral("--json"), QStringLiteral("--user=BOB")}).out)
                 .array(),
             bob);
    QCOMPARE(QJsonDocument::fromJson(settings
                                         .who({QStringLiteral("--json"), QStringLiteral("--user"),
                                               QStringLiteral("BOB"), QStringLiteral("--server"),
                                               QStringLiteral("fs2")})
                                         .out)
                 .array(),
             QJsonArray{bob[1]});

    // The server-wide view: every connection, and under --files what each
    // holds (a connection holding nothing keeps its line, its file cells empty).
    const QJsonArray conns =
        QJsonDocument::fromJson(settings
                                    .who({QStringLiteral("--json"), QStringLiteral("--server"),
                                          QStringLiteral("FS1"), QStringLiteral("--files")})
                                    .out)
            .array();
    QCOMPARE(conns.size(), 3);
    QStringList summary;
    for (const QJsonValue& v : conns) {
        const QJsonObject o = v.toObject();
        QStringList paths;
        for (const QJsonValue& f : o[QStringLiteral("files")].toArray())
            paths << f.toObject()[QStringLiteral("path")].toString() + QLatin1Char('#') +
                         QString::number(f.toObject()[QStringLiteral("task")].toInt());
        summary << QStringLiteral("%1 %2 %3 %4 [%5]")
                       .arg(o[QStringLiteral("connection")].toInt())
                       .arg(o[QStringLiteral("user")].toString(),
                            o[QStringLiteral("login")].toString(),
                            o[QStringLiteral("address")].toString(), paths.join(QLatin1Char(' ')));
    }
    QCOMPARE(summary,
             (QStringList{QStringLiteral("3 JSMITH.SALES.ACME 2004-03-07T09:15:42 IP:10.1.2.5 "
                                         "[DATA:DB\\CUSTOMER.DB#1 DATA:DB\\CUSTOMER.DB#2 "
                                         "DATA:Docs\\Plan, final \"v2\".doc#1]"),
                          QStringLiteral("7 BOB 2004-03-08T00:05:12 IPX:0000ABCD:00A0C9112233:4003 "
                                         "[DATA:DB\\CUSTOMER.DB#1]"),
                          QStringLiteral("21 AMILLER 2004-03-04T15:10:05 IP:10.1.2.40 []")}));
    const QList<QStringList> rows =
        parseCsv(settings
                     .who({QStringLiteral("--csv"), QStringLiteral("--server"),
                           QStringLiteral("FS1"), QStringLiteral("--files")})
                     .out);
    QCOMPARE(rows.size(), 1 + 5);
    QCOMPARE(rows.last(), (QStringList{QStringLiteral("FS1"),
                                       QStringLiteral("21"),
                                       QStringLiteral("AMILLER"),
                                       {},
                                       {},
                                       {},
                                       {},
                                       QStringLiteral("2004-03-04T15:10:05"),
                                       QStringLiteral("IP:10.1.2.40"),
                                       {}}));

    // The text table: aligned, numbers to the right, a header unless asked not to.
    QCOMPARE(settings.who({QStringLiteral("--server"), QStringLiteral("FS2")}).out,
             QByteArray("SERVER  CONN  USER  LOGIN                ADDRESS\n"
                        "FS2        5  BOB   2004-03-08T09:01:33  IP:10.9.0.5\n"));
    QCOMPARE(
        settings.who({QStringLiteral("--no-header"), QStringLiteral("K:\\ACCT\\LEDGER.DAT")}).out,
        QByteArray("FS2  5  BOB  1  Shareable  Read,Write  No  2004-03-08T09:01:33  "
                   "IP:10.9.0.5  DATA:ACCT\\LEDGER.DAT\n"));
}

void WhoTest::outputOverNcpIsTheSame()
{
    World w;
    // ADMIN logs in over the directory (a plain name on a 6.5 server).
    w.fs1.directoryKeys(QStringLiteral("ADMIN")).write();
    Settings inProcess(w.simSettings());
    NcpdProcess ncpd(w.fs1.statePath());
    QVERIFY2(ncpd.start(), qPrintable(ncpd.error()));
    Settings overNcp(w.settingsText(QStringLiteral("ncp:%1;ADMIN").arg(ncpd.address()),
                                    w.fs1.hostPath(QStringLiteral("DATA:"))));
    for (const QStringList& query : kQueries) {
        for (const QStringList& format : {QStringList(), QStringList{QStringLiteral("--json")},
                                          QStringList{QStringLiteral("--csv")}}) {
            const QStringList args = format + query;
            const Run a = inProcess.who(args);
            const Run b = overNcp.who(args);
            QVERIFY2(a.status == 0 && !a.out.isEmpty(), qPrintable(args.join(QLatin1Char(' '))));
            QCOMPARE(b.status, a.status);
            QCOMPARE(b.out, a.out);
            QCOMPARE(b.err, a.err);
        }
    }
    QVERIFY(ncpd.stop());
}

void WhoTest::exitStatusesAndMessages_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("damage"); // what is done to the world first
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message"); // a pattern of the one line on standard error
    const auto row = [](const char* name, QStringList args, const char* damage, int status,
                        const char* message) {
        QTest::newRow(name) << args << QString::fromLatin1(damage) << status
                            << QString::fromLatin1(message);
    };
    const QString customer = QStringLiteral("F:\\DB\\CUSTOMER.DB");
    row("a holder", {customer}, "", 0, "");
    row("a free file", {QStringLiteral("F:\\DOCS\\FREE.TXT")}, "", 1, "");
    row("a user logged in without files", {QStringLiteral("--user"), QStringLiteral("AMILLER")}, "",
        0, "");
    row("an unknown user", {QStringLiteral("--user"), QStringLiteral("NOBODY")}, "", 1, "");
    row("an unknown option", {QStringLiteral("--all")}, "", 2,
        "^quorvex-who: unknown option --all \\(see quorvex-who --help\\)$");
    row("a missing argument", {QStringLiteral("--server")}, "", 2, "needs a value");
    row("two formats", {QStringLiteral("--json"), QStringLiteral("--csv"), customer}, "", 2,
        "exclude each other");
    row("nothing asked", {}, "", 2, "no FILE");
    row("a file with --user", {QStringLiteral("--user"), QStringLiteral("BOB"), customer}, "", 2,
        "does not go with --user");
    row("a file that does not exist", {QStringLiteral("F:\\DB\\GONE.DB")}, "", 2,
        "^quorvex-who: F:\\\\DB\\\\GONE.DB: no such file$");
    row("a volume path that does not exist", {QStringLiteral("FS1/DATA:DB\\GONE.DB")}, "", 2,
        "no such file$");
    row("a local file", {QStringLiteral("C:\\etc\\hostname")}, "", 2, "not on a network drive");
    row("a server not in the settings", {QStringLiteral("--server"), QStringLiteral("FS9")}, "", 2,
        "^quorvex-who: FS9: server is not in the settings$");
    row("a file on a server not in the settings", {QStringLiteral("FS9/DATA:X.DB")}, "", 2,
        "server FS9 is not in the settings");
    row("a damaged state file", {customer}, "state", 2,
        "^quorvex-who: F:\\\\DB\\\\CUSTOMER.DB: server unreachable: .*FS1.json");
    row("an NCP server that does not answer", {QStringLiteral("--server"), QStringLiteral("FS1")},
        "ncp down", 2, "^quorvex-who: FS1: server unreachable: .*127.0.0.1");
    row("a refused call", {QStringLiteral("--server"), QStringLiteral("FS1")}, "operator", 2,
        "no console operator rights");
    row("an unreadable settings file", {customer}, "unreadable", 2, "cannot read the settings");
    row("settings without servers", {customer}, "no servers", 2, "names no server");
    row("one file found, one missing", {customer, QStringLiteral("F:\\GONE")}, "", 2,
        "no such file");
}

void WhoTest::exitStatusesAndMessages()
{
    QFETCH(QStringList, args);
    QFETCH(QString, damage);
    QFETCH(int, status);
    QFETCH(QString, message);
    World w;
    if (damage == QLatin1String("operator"))
        w.fs1.workstation(1, QStringLiteral("ADMIN"), false).write();
    QByteArray text = w.simSettings();
    if (damage == QLatin1String("no servers"))
        text = "[Drives]\nF=network:FS1/DATA:\n";
    if (damage == QLatin1String("ncp down")) // nobody listens on port 1
        text = w.settingsText(QStringLiteral("ncp:127.0.0.1:1;ADMIN"));
    Settings settings(text);
    if (damage == QLatin1String("state")) {
        QFile state(w.fs1.statePath());
        QVERIFY(state.open(QIODevice::WriteOnly | QIODevice::Truncate));
        state.write("{ \"server\": ");
    }
    if (damage == QLatin1String("unreadable")) {
        QFile::remove(settings.file());
        QVERIFY(QDir().mkpath(settings.file()));
    }
    const Run run = settings.who(args);
    QCOMPARE(run.status, status);
    const QList<QByteArray> lines = run.err.split('\n');
    if (message.isEmpty()) {
        QVERIFY2(run.err.isEmpty(), run.err.constData());
    } else {
        QCOMPARE(lines.size(), 2); // one line and its end
        QVERIFY2(QRegularExpression(message).match(QString::fromUtf8(lines[0])).hasMatch(),
                 run.err.constData());
    }
    // What was found is still given; where nothing could be, nothing is.
    if (args.contains(QStringLiteral("F:\\GONE")))
        QVERIFY(run.out.contains("CUSTOMER.DB"));
    else if (status == 2)
        QVERIFY2(run.out.isEmpty(), run.out.constData());
}

void WhoTest::nothingIsWritten()
{
    World w;
    Settings settings(w.simSettings());
    const QByteArray before = digest(settings.file());
    const QByteArray state1 = digest(w.fs1.statePath());
    const QByteArray state2 = digest(w.fs2.statePath());
    const QDateTime stamp = QFileInfo(settings.file()).lastModified();
    for (const QStringList& query : kQueries)
        QCOMPARE(settings.who(query).status, 0);
    QCOMPARE(digest(settings.file()), before);
    QCOMPARE(QFileInfo(settings.file()).lastModified(), stamp);
    QCOMPARE(digest(w.fs1.statePath()), state1);
    QCOMPARE(digest(w.fs2.statePath()), state2);
    // The settings directory holds the settings alone: no lock or temporary
    // file was left beside them.
    QCOMPARE(QDir(QFileInfo(settings.file()).path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Quorvex.ini")});
}

QTEST_GUILESS_MAIN(WhoTest)
#include "who_test.moc"
