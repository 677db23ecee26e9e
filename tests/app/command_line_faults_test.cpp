// SPDX-License-Identifier: GPL-3.0-or-later
// The program run as a script runs it, where something goes wrong around the
// job: a full disk, a termination signal while it waits, a damaged state file.
#include "support/ncpd_process.h"
#include "support/sim_server_builder.h"
#include "support/small_file_system.h"

#include <QtTest>

#include <csignal>
#include <sys/stat.h>

class CommandLineFaultsTest : public QObject
{
    Q_OBJECT
private slots:
    void fullDiskFailsTheJobAndKeepsEveryFile();
    void terminationEndsAWaitingJob_data();
    void terminationEndsAWaitingJob();
    void damagedStateFileIsNamed();
    void slashesSeparateNamesAsBackslashesDo();

private:
    // FS1 on F:, where ANN and BOB have DOCS\REPORT.DOC open; its settings in
    // config/Quorvex/Quorvex.ini under configHome.
    struct World
    {
        explicit World(const QString& configHome = QString(), const QString& server = QString());
        QString settingsFile() const { return config + QStringLiteral("/Quorvex/Quorvex.ini"); }
        QProcessEnvironment environment() const;
        SimServerBuilder builder;
        QTemporaryDir home;
        QString config;
    };
    struct Run
    {
        int status = -1;
        QString err;
    };
    static QString program() { return qEnvironmentVariable("QUORVEX_BUILD_DIR") + "/quorvex"; }
    static Run run(const World& world, const QString& commandLine);
    static QByteArray read(const QString& path);
    static bool write(const QString& path, const QByteArray& bytes);
};

CommandLineFaultsTest::World::World(const QString& configHome, const QString& server)
    : config(configHome.isEmpty() ? home.filePath(QStringLiteral("config")) : configHome)
{
    builder.file(QStringLiteral("DATA:DOCS\\REPORT.DOC"))
        .user(QStringLiteral("ANN"))
        .user(QStringLiteral("BOB"))
        .connection(5, QStringLiteral("ANN"))
        .opens(5, QStringLiteral("DATA:DOCS\\REPORT.DOC"))
        .connection(7, QStringLiteral("BOB"))
        .opens(7, QStringLiteral("DATA:DOCS\\REPORT.DOC"));
    const QString state = builder.write();
    // A server over NCP has its files read through a mount; a simulated one
    // says where they are.
    const QByteArray mount =
        server.isEmpty() ? QByteArray()
                         : "@" + QFile::encodeName(builder.hostPath(QStringLiteral("DATA:")));
    const QString servers = server.isEmpty() ? QStringLiteral("sim:") + state : server;
    QDir().mkpath(config + QStringLiteral("/Quorvex"));
    write(settingsFile(), "[Drives]\nC=fixed:/\nF=network:FS1/DATA:" + mount +
                              "\n[Servers]\nFS1=" + servers.toUtf8() + "\n");
}

QProcessEnvironment CommandLineFaultsTest::World::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    return env;
}

CommandLineFaultsTest::Run CommandLineFaultsTest::run(const World& world,
                                                      const QString& commandLine)
{
    QProcess process;
    process.setProcessEnvironment(world.environment());
    process.start(program(), {commandLine});
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

QByteArray CommandLineFaultsTest::read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

bool CommandLineFaultsTest::write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

void CommandLineFaultsTest::fullDiskFailsTheJobAndKeepsEveryFile()
{
    SmallFileSystem disk;
    if (!disk.isMounted())
        QSKIP(qPrintable(disk.whyNot()));
    World world(disk.filePath(QStringLiteral("config")));
    const QByteArray settings = read(world.settingsFile());
    const QString report = disk.filePath(QStringLiteral("users.txt"));
    const QString appended = disk.filePath(QStringLiteral("history.txt"));
    QVERIFY(write(report, "08/01/2004 09:00:00 am\r\nF:\\DOCS\\REPORT.DOC\r\nCAROL\r\n"));
    // The block appended crosses into a page the full disk does not have.
    const QByteArray history(4080, 'h');
    QVERIFY(write(appended, history));
    QVERIFY(disk.fill());

    const Run replaced = run(world, QStringLiteral("F:\\DOCS\\REPORT.DOC > ") + report);
    QCOMPARE(replaced.status, 1);
    QVERIFY2(replaced.err.contains(QStringLiteral("Unable to write the output file ") + report),
             qPrintable(replaced.err));
    QVERIFY2(replaced.err.contains(QStringLiteral("Unable to write the settings file")),
             qPrintable(replaced.err));
    QCOMPARE(read(report),
             QByteArray("08/01/2004 09:00:00 am\r\nF:\\DOCS\\REPORT.DOC\r\nCAROL\r\n"));
    QCOMPARE(read(world.settingsFile()), settings);

    const Run added = run(world, QStringLiteral("F:\\DOCS\\REPORT.DOC >> ") + appended);
    QCOMPARE(added.status, 1);
    QVERIFY(read(appended) == history);
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files), (QStringList{"history.txt", "users.txt"}));
}

void CommandLineFaultsTest::terminationEndsAWaitingJob_data()
{
    QTest::addColumn<QString>("waitsFor");
    QTest::newRow("a FIFO nobody reads") << "fifo";
    QTest::newRow("a slow server's scan") << "scan";
    QTest::newRow("an NCP server that keeps working") << "ncp";
}

void CommandLineFaultsTest::terminationEndsAWaitingJob()
{
    QFETCH(QString, waitsFor);
    // Each job would wait a minute or for ever; SIGTERM ends it in order.
    std::unique_ptr<NcpdProcess> ncpd;
    QString server;
    SimServerBuilder slow;
    if (waitsFor == QLatin1String("ncp")) {
        slow.set(QStringLiteral("latencyMs"), 120000);
        ncpd = std::make_unique<NcpdProcess>(slow.write());
        QVERIFY2(ncpd->start(), qPrintable(ncpd->error()));
        server = QStringLiteral("ncp:") + ncpd->address();
    }
    World world(QString(), server);
    QString commandLine =
        QStringLiteral("F:\\DOCS\\REPORT.DOC > ") + world.home.filePath("out.txt");
    if (waitsFor == QLatin1String("fifo")) {
        const QString fifo = world.home.filePath(QStringLiteral("users.fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        commandLine = QStringLiteral("F:\\DOCS\\REPORT.DOC >> ") + fifo;
    } else if (waitsFor == QLatin1String("scan")) {
        // 300 users at 20 ms a call: the scan would take half a minute, and a
        // batch of 70 users about seven seconds.
        for (int n = 10; n < 310; ++n) {
            const QString name = QStringLiteral("USER%1").arg(n);
            world.builder.user(name).connection(n, name).opens(n, "DATA:DOCS\\REPORT.DOC");
        }
        world.builder.set(QStringLiteral("latencyMs"), 20).write();
    }

    QProcess process;
    process.setProcessEnvironment(world.environment());
    process.start(program(), {commandLine});
    QVERIFY(process.waitForStarted());
    QTest::qWait(1500); // the job waits by now
    QCOMPARE(process.state(), QProcess::Running);
    ::kill(pid_t(process.processId()), SIGTERM);
    const bool ended = process.waitForFinished(5000);
    if (!ended)
        process.kill();
    QVERIFY2(ended, "still running 5 s after SIGTERM");
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1); // the job was not done
    QVERIFY2(read(world.settingsFile()).contains("[Options]"), "settings written on the way out");
}

void CommandLineFaultsTest::damagedStateFileIsNamed()
{
    World world;
    QVERIFY(write(world.builder.statePath(), "{ \"server\": \"FS1\", \"volumes\": [ }"));
    const QString out = world.home.filePath(QStringLiteral("out.txt"));
    const Run dos = run(world, QStringLiteral("F:\\DOCS\\REPORT.DOC > ") + out);
    QCOMPARE(dos.status, 1);
    QVERIFY2(dos.err.contains(QStringLiteral("Passed file 'F:\\DOCS\\REPORT.DOC' does not exist.")),
             qPrintable(dos.err));
    QVERIFY2(dos.err.contains(world.builder.statePath() + QStringLiteral(": malformed JSON")),
             qPrintable(dos.err));

    // A host path no network drive holds now lies on the local C: drive.
    const Run host = run(world, world.builder.hostPath(QStringLiteral("DATA:DOCS\\REPORT.DOC")) +
                                    QStringLiteral(" > ") + out);
    QCOMPARE(host.status, 1);
    QVERIFY2(host.err.contains(QStringLiteral("must reside on network drive")),
             qPrintable(host.err));
    QVERIFY2(host.err.contains(world.builder.statePath() + QStringLiteral(": malformed JSON")),
             qPrintable(host.err));
}

void CommandLineFaultsTest::slashesSeparateNamesAsBackslashesDo()
{
    World world;
    const QString out = world.home.filePath(QStringLiteral("out.txt"));
    const Run r = run(world, QStringLiteral("F:/DOCS/REPORT.DOC > ") + out);
    QCOMPARE(r.status, 0);
    QVERIFY2(read(out).endsWith("F:/DOCS/REPORT.DOC\r\nANN\r\nBOB\r\n"), read(out).constData());
}

QTEST_GUILESS_MAIN(CommandLineFaultsTest)
#include "command_line_faults_test.moc"
