// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the real program as a script would: a private settings file, a simulated
// server, no display, and the command line as the only input.
#include "support/sim_server_builder.h"

#include <QJsonDocument>
#include <QtTest>

#include <csignal>

class CommandLineJobsTest : public QObject
{
    Q_OBJECT
private slots:
    void writesTheUsers();
    void appendsTheUsers();
    void leavesTheOutputAloneWithoutUsers();
    void missingFileFailsWithoutOutput();
    void outputThroughADosPath();
    void unwritableOutputFailsWithItsMessage();
    void clearsAllAndEnds();
    void lockSetJobClearsEveryServer();
    void firstStartOpensOnTheDemo();
    void clearAllHeadlessEndsWithThePane();
    void hiddenFileIsNotChosenUnlessShown();
    void terminationDuringRescanWritesSettings();

private:
    struct Run
    {
        int status = -1;
        QString err;
    };
    // A world with FS1 on F: where two users have REPORT.DOC open and FREE.DOC is free.
    struct World
    {
        World();
        SimServerBuilder server;
        QTemporaryDir home;
        QString settingsFile() const
        {
            return home.filePath(QStringLiteral("config/Quorvex/Quorvex.ini"));
        }
        QProcessEnvironment environment() const;
    };
    static QString program() { return qEnvironmentVariable("QUORVEX_BUILD_DIR") + "/quorvex"; }
    static Run run(const World& world, const QString& commandLine);
    static Run run(const QProcessEnvironment& environment, const QString& commandLine);
    // The workstation's lock flags on the server, from its state file.
    static QList<int> workstationLocks(const World& world);
    static QByteArray read(const QString& path);
};

CommandLineJobsTest::World::World()
{
    server.file(QStringLiteral("DATA:DOCS\\REPORT.DOC"))
        .file(QStringLiteral("DATA:DOCS\\FREE.DOC"))
        .user(QStringLiteral("ANN"))
        .user(QStringLiteral("BOB"))
        .connection(5, QStringLiteral("ANN"))
        .opens(5, QStringLiteral("DATA:DOCS\\REPORT.DOC"))
        .connection(7, QStringLiteral("BOB"))
        .opens(7, QStringLiteral("DATA:DOCS\\REPORT.DOC"))
        .file(QStringLiteral("DATA:DOCS\\.SECRET.DOC"))
        .opens(5, QStringLiteral("DATA:DOCS\\.SECRET.DOC"));
    const QString state = server.write();
    QDir().mkpath(home.filePath(QStringLiteral("config/Quorvex")));
    QFile ini(settingsFile());
    if (ini.open(QIODevice::WriteOnly)) {
        ini.write("[Drives]\nC=fixed:/\nF=network:FS1/DATA:\nL=fixed:" +
                  home.filePath(QStringLiteral("local")).toUtf8() +
                  "\n[Servers]\nFS1=sim:" + state.toUtf8() + "\n");
    }
    QDir().mkpath(home.filePath(QStringLiteral("local")));
}

QProcessEnvironment CommandLineJobsTest::World::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("XDG_RUNTIME_DIR")); // as cron runs it
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    return env;
}

CommandLineJobsTest::Run CommandLineJobsTest::run(const World& world, const QString& commandLine)
{
    return run(world.environment(), commandLine);
}

CommandLineJobsTest::Run CommandLineJobsTest::run(const QProcessEnvironment& environment,
                                                  const QString& commandLine)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program(), QProcess::splitCommand(commandLine).isEmpty()
                                 ? QStringList{}
                                 : QStringList{commandLine});
    Run result;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

QByteArray CommandLineJobsTest::read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QList<int> CommandLineJobsTest::workstationLocks(const World& world)
{
    QList<int> locks;
    const QJsonObject state = QJsonDocument::fromJson(read(world.server.statePath())).object();
    for (const QJsonValue c : state.value(QLatin1String("connections")).toArray()) {
        if (c.toObject().value(QLatin1String("number")).toInt() != 1)
            continue;
        for (const QJsonValue open : c.toObject().value(QLatin1String("open")).toArray())
            locks << open.toObject().value(QLatin1String("locked")).toInt();
    }
    return locks;
}

void CommandLineJobsTest::writesTheUsers()
{
    World world;
    const QString out = world.home.filePath(QStringLiteral("out.txt"));
    const Run r = run(world, QStringLiteral("F:\\DOCS\\REPORT.DOC > ") + out);
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err)); // cron mails whatever a job prints
    const QList<QByteArray> lines = read(out).split('\n');
    QCOMPARE(lines.size(), 5); // four lines, each ending in CR LF
    QVERIFY(
        QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d (am|pm)\r$"))
            .match(QString::fromLatin1(lines[0]))
            .hasMatch());
    QCOMPARE(lines[1], QByteArray("F:\\DOCS\\REPORT.DOC\r"));
    QCOMPARE(lines[2], QByteArray("ANN\r"));
    QCOMPARE(lines[3], QByteArray("BOB\r"));
    QCOMPARE(lines[4], QByteArray());
}

void CommandLineJobsTest::appendsTheUsers()
{
    World world;
    const QString out = world.home.filePath(QStringLiteral("out.txt"));
    QFile f(out);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("before\r\n");
    f.close();
    QCOMPARE(run(world, QStringLiteral("F:\\DOCS\\REPORT.DOC >> ") + out).status, 0);
    const QByteArray text = read(out);
    QVERIFY(text.startsWith("before\r\n"));
    QVERIFY(text.endsWith("F:\\DOCS\\REPORT.DOC\r\nANN\r\nBOB\r\n"));
}

void CommandLineJobsTest::leavesTheOutputAloneWithoutUsers()
{
    World world;
    const QString out = world.home.filePath(QStringLiteral("out.txt"));
    QCOMPARE(run(world, QStringLiteral("F:\\DOCS\\FREE.DOC > ") + out).status, 0);
    QVERIFY(!QFile::exists(out));
}

void CommandLineJobsTest::missingFileFailsWithoutOutput()
{
    World world;
    const QString out = world.home.filePath(QStringLiteral("out.txt"));
    const Run r = run(world, QStringLiteral("F:\\DOCS\\GONE.DOC > ") + out);
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(QStringLiteral("Passed file 'F:\\DOCS\\GONE.DOC' does not exist.")),
             qPrintable(r.err));
    QVERIFY(!QFile::exists(out));
}

void CommandLineJobsTest::outputThroughADosPath()
{
    World world;
    QCOMPARE(run(world, QStringLiteral("F:\\DOCS\\REPORT.DOC > L:\\USERS.TXT")).status, 0);
    QVERIFY(
        read(world.home.filePath(QStringLiteral("local/USERS.TXT"))).endsWith("ANN\r\nBOB\r\n"));
}

void CommandLineJobsTest::unwritableOutputFailsWithItsMessage()
{
    World world;
    const QString out = world.home.filePath(QStringLiteral("no/such/folder/out.txt"));
    const Run r = run(world, QStringLiteral("F:\\DOCS\\REPORT.DOC > ") + out);
    QCOMPARE(r.status, 1);
    // The message names the file and the system's reason, on one line.
    QCOMPARE(r.err, QStringLiteral("Unable to write the output file ") + out +
                        QStringLiteral(": No such file or directory.\n"));
}

void CommandLineJobsTest::clearsAllAndEnds()
{
    World world;
    const Run r = run(world, QStringLiteral("F:\\DOCS\\REPORT.DOC -ce"));
    QCOMPARE(r.status, 0);
    // Both connections are gone from the server: nobody has the file open now.
    const QString out = world.home.filePath(QStringLiteral("out.txt"));
    QCOMPARE(run(world, QStringLiteral("F:\\DOCS\\REPORT.DOC > ") + out).status, 0);
    QVERIFY(!QFile::exists(out));
}

void CommandLineJobsTest::lockSetJobClearsEveryServer()
{
    // The workstation holds connection 1 on FS1, with a lock on a file.
    World world;
    world.server.file(QStringLiteral("DATA:DOCS\\LOCKED.DOC"))
        .connection(1, QStringLiteral("ADMIN"))
        .opens(1, QStringLiteral("DATA:DOCS\\LOCKED.DOC"), 1, 8, 3, 1)
        .write();
    QCOMPARE(workstationLocks(world), QList<int>{1});
    Run r = run(world, QStringLiteral("-ue"));
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    QCOMPARE(workstationLocks(world), QList<int>{0});

    // A server that cannot be reached fails the job; the others are cleared all the same.
    world.server.write();
    QByteArray settings = read(world.settingsFile());
    settings.replace(
        "[Servers]\n",
        "[Servers]\nFS9=sim:" + world.home.filePath(QStringLiteral("FS9.json")).toUtf8() + "\n");
    QFile ini(world.settingsFile());
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(settings);
    ini.close();
    r = run(world, QStringLiteral("-ue"));
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.startsWith(QStringLiteral("FS9: Unable to clear file locks - ")),
             qPrintable(r.err));
    QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    QCOMPARE(workstationLocks(world), QList<int>{0});
}

void CommandLineJobsTest::firstStartOpensOnTheDemo()
{
    // A new user's first run sets up the demo and starts in its F:\, quietly.
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    const Run r = run(env, QStringLiteral("-ue"));
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    const QByteArray ini = read(home.filePath(QStringLiteral("config/Quorvex/Quorvex.ini")));
    QVERIFY2(ini.contains("\nPath=F:\\\n"), ini.constData());
}

void CommandLineJobsTest::clearAllHeadlessEndsWithThePane()
{
    // Without a display nobody would see the window the job leaves up: the
    // program clears without asking, says what the pane says, and ends.
    World world;
    const Run r = run(world, QStringLiteral("F:\\DOCS\\REPORT.DOC -c"));
    QCOMPARE(r.status, 0);
    QVERIFY2(!r.err.trimmed().isEmpty(), "the pane's text on standard error");
    const QString out = world.home.filePath(QStringLiteral("out.txt"));
    QCOMPARE(run(world, QStringLiteral("F:\\DOCS\\REPORT.DOC > ") + out).status, 0);
    QVERIFY(!QFile::exists(out)); // nobody has it open any more
}

void CommandLineJobsTest::hiddenFileIsNotChosenUnlessShown()
{
    // A hidden file is not in the file list, so nothing is selected and the scan
    // finds no file; once hidden files are shown it is listed and scanned.
    World world;
    const QString out = world.home.filePath(QStringLiteral("out.txt"));
    const Run hidden = run(world, QStringLiteral("F:\\DOCS\\.SECRET.DOC > ") + out);
    QCOMPARE(hidden.status, 1);
    QVERIFY2(hidden.err.contains(QStringLiteral("File doesn't exist.")), qPrintable(hidden.err));
    QVERIFY(!QFile::exists(out));

    QFile ini(world.settingsFile());
    QVERIFY(ini.open(QIODevice::Append));
    ini.write("[Options]\nHidFiles=1\n");
    ini.close();
    QCOMPARE(run(world, QStringLiteral("F:\\DOCS\\.SECRET.DOC > ") + out).status, 0);
    QVERIFY(read(out).endsWith("F:\\DOCS\\.SECRET.DOC\r\nANN\r\n"));
}

void CommandLineJobsTest::terminationDuringRescanWritesSettings()
{
    World world;
    QProcess process;
    process.setProcessEnvironment(world.environment());
    process.start(program(), {QStringLiteral("F:\\DOCS\\REPORT.DOC -t")});
    QVERIFY(process.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(read(world.settingsFile()).contains("[Servers]"), 10000);
    QTest::qWait(1500); // the job has scanned and is rescanning
    QCOMPARE(process.state(), QProcess::Running);
    ::kill(pid_t(process.processId()), SIGTERM);
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitCode(), 0);
    const QByteArray ini = read(world.settingsFile());
    QVERIFY2(ini.contains("[Options]"), ini.constData());
    QVERIFY(ini.contains("Path_0=F:\\DOCS\\REPORT.DOC"));
}

QTEST_GUILESS_MAIN(CommandLineJobsTest)
#include "command_line_jobs_test.moc"
