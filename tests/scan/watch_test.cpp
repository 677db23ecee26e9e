// SPDX-License-Identifier: GPL-3.0-or-later
// The steps after a completed scan: the activity log as the window keeps it,
// auto-clear, notification and the prepared-file copy.
#include "watch_fixture.h"

#include "app/interval_timer.h"
#include "files/directory_box.h"
#include "options/options_window.h"
#include "scan/notifier.h"
#include "scan/watch.h"
#include "scan/watch_stamps.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTest>

using namespace quorvex;

namespace {

using Kind = ScriptedPrompts::Kind;

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void watchForFreeFile(WatchFixture& f)
{
    f.setScannedFile(QStringLiteral("REPORT.DOC"), QStringLiteral("F:\\REPORTS\\REPORT.DOC"));
    f.setUsers({});
    f.form.Check1->setChecked(true);
    f.form.settings.FileNo = true;
    f.form.settings.ViaMsg = 1;
}

} // namespace

class WatchTest : public QObject
{
    Q_OBJECT
private slots:
    void logInDataDirectoryAfterScannedFile_data();
    void logInDataDirectoryAfterScannedFile();
    void overwriteClearedAfterOneFreshLog();
    void noLogWhenDisabled();
    void logFailureToldOnceUntilItRecovers();
    void autoClearOnlyOnceTheMomentHasPassed_data();
    void autoClearOnlyOnceTheMomentHasPassed();
    void autoClearOffClearsNothing();
    void releasedMessageShownOnceThenRaised();
    void inUseMessageNamesLastUser();
    void notificationNeedsRescanAndChoice();
    void beepWithoutMessage();
    void preparedFileCopied();
    void preparedFileCopyFails();
};

void WatchTest::logInDataDirectoryAfterScannedFile_data()
{
    QTest::addColumn<QString>("scanned");
    QTest::addColumn<QString>("logName");
    QTest::newRow("with extension") << "REPORT.DOC"
                                    << "REPORT.txt";
    QTest::newRow("without dot") << "README"
                                 << "README.txt";
}

void WatchTest::logInDataDirectoryAfterScannedFile()
{
    QFETCH(QString, scanned);
    QFETCH(QString, logName);
    WatchFixture f;
    f.setScannedFile(scanned, QStringLiteral("F:\\") + scanned);
    f.setUsers({{QStringLiteral("ANN"), 3}});
    f.form.settings.LogFile = 1;
    f.form.watch().logActivity();

    const QString path = QDir(f.fakes.dirs.dataDir()).filePath(logName);
    const QByteArray log = readFile(path);
    QVERIFY2(log.contains("FILE: F:\\" + scanned.toUpper().toUtf8() + "\r\n"), log.constData());
    QVERIFY(log.endsWith("IN: ANN" + logLineStamp(f.fakes.clock.now()).toUtf8() + "\r\n"));
    QCOMPARE(f.form.List2, QStringList{QStringLiteral("ANN")});
}

void WatchTest::overwriteClearedAfterOneFreshLog()
{
    WatchFixture f;
    f.setScannedFile(QStringLiteral("X.DOC"), QStringLiteral("F:\\X.DOC"));
    f.setUsers({{QStringLiteral("ANN"), 3}, {QStringLiteral("BOB"), 4}});
    f.form.settings.LogFile = 1;
    f.form.settings.Overwrite = 1;
    const QString path = QDir(f.fakes.dirs.dataDir()).filePath(QStringLiteral("X.txt"));
    QVERIFY(f.fakes.createFile(QStringLiteral("data/X.txt"), "stale\r\n") == path);

    // An Options window that happens to be open shows the option switched off too.
    Options options(f.form);
    options.show();
    QVERIFY(options.Check12->isChecked());

    f.form.watch().logActivity();
    QCOMPARE(f.form.settings.Overwrite, std::uint8_t(0));
    QVERIFY(!options.Check12->isChecked());
    QVERIFY(f.form.List2.isEmpty());
    const QByteArray fresh = readFile(path);
    QVERIFY(!fresh.contains("stale"));
    QCOMPARE(fresh.count("IN: "), 2);

    f.fakes.clock.advanceSecs(60);
    f.setUsers({{QStringLiteral("BOB"), 4}});
    f.form.watch().logActivity(); // appends: List2 was empty, so every user is IN
    const QByteArray appended = readFile(path);
    QVERIFY(appended.startsWith(fresh));
    QCOMPARE(appended.mid(fresh.size()),
             "IN: BOB" + logLineStamp(f.fakes.clock.now()).toUtf8() + "\r\n");
    options.close();
}

void WatchTest::noLogWhenDisabled()
{
    WatchFixture f;
    f.setScannedFile(QStringLiteral("X.DOC"), QStringLiteral("F:\\X.DOC"));
    f.setUsers({{QStringLiteral("ANN"), 3}});
    f.form.watch().logActivity();
    QVERIFY(QDir(f.fakes.dirs.dataDir()).entryList(QDir::Files).isEmpty());
    QVERIFY(f.form.List2.isEmpty());
}

void WatchTest::logFailureToldOnceUntilItRecovers()
{
    WatchFixture f;
    f.setScannedFile(QStringLiteral("X.DOC"), QStringLiteral("F:\\X.DOC"));
    f.setUsers({{QStringLiteral("ANN"), 3}});
    f.form.settings.LogFile = 1;
    // A folder where the log file should be: nothing can be written there.
    const QString path = QDir(f.fakes.dirs.dataDir()).filePath(QStringLiteral("X.txt"));
    QVERIFY(QDir().mkpath(path));
    f.form.watch().logActivity();
    const QString told = f.form.watch().takeLogProblem();
    QVERIFY2(told.startsWith(QStringLiteral("Unable to write the activity log ") + path),
             qPrintable(told));
    QCOMPARE(f.form.List2, QStringList{QStringLiteral("ANN")}); // the bookkeeping goes on
    f.setUsers({{QStringLiteral("BOB"), 4}});
    f.form.watch().logActivity();
    QCOMPARE(f.form.watch().takeLogProblem(), QString()); // said once
    QCOMPARE(f.form.List2, QStringList{QStringLiteral("BOB")});

    QVERIFY(QDir(path).removeRecursively());
    f.form.watch().logActivity(); // BOB again: the first line of a new file is its header
    QVERIFY(readFile(path).startsWith("TIMESTAMP: "));
    QCOMPARE(f.form.watch().takeLogProblem(), QString());
    QVERIFY(QFile::remove(path) && QDir().mkpath(path));
    f.setUsers({{QStringLiteral("CAROL"), 5}});
    f.form.watch().logActivity();
    QVERIFY(f.form.watch().takeLogProblem().startsWith(QStringLiteral("Unable to write")));
}

void WatchTest::autoClearOnlyOnceTheMomentHasPassed_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<qint64>("secondsUntilDue"); // -1: never

    // The clock starts at 9:00 am on 03/07/04.
    QTest::newRow("time one hour ahead") << ""
                                         << "10:00 am" << qint64(3600);
    QTest::newRow("date ahead") << "03/08/04"
                                << "" << qint64(39 * 3600);
    QTest::newRow("date and time") << "03/07/04"
                                   << "9:30 am" << qint64(1800);
    QTest::newRow("unreadable time") << ""
                                     << "10 o'clock" << qint64(-1);
    QTest::newRow("unreadable date") << "03/32/04"
                                     << "" << qint64(-1);
}

void WatchTest::autoClearOnlyOnceTheMomentHasPassed()
{
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(qint64, secondsUntilDue);

    WatchFixture f;
    f.setUsers({{QStringLiteral("ANN"), 12}, {QStringLiteral("BOB"), 7}});
    f.form.serverConnection = 42;
    f.form.settings.AutoClear = 1;
    f.form.settings.AutoClearDate = date;
    f.form.settings.AutoClearTime = time;

    f.form.watch().autoClear();
    QVERIFY(f.client.cleared.isEmpty()); // the moment has not come: nobody loses work
    if (secondsUntilDue < 0) {
        f.fakes.clock.advanceSecs(3 * 86400 + 3600);
        f.form.watch().autoClear();
        QVERIFY(f.client.cleared.isEmpty());
        return;
    }
    f.fakes.clock.advanceSecs(secondsUntilDue - 1);
    f.form.watch().autoClear();
    QVERIFY(f.client.cleared.isEmpty());

    f.fakes.clock.advanceSecs(61);
    f.form.watch().autoClear();
    QCOMPARE(f.client.clearedNumbers(), (QList<std::uint16_t>{12, 7}));
    QCOMPARE(f.client.cleared.first().conn, nw::NWCONN_HANDLE(42));
    QCOMPARE(f.form.List1->count(), 2); // the list stays until the next scan
}

void WatchTest::autoClearOffClearsNothing()
{
    WatchFixture f;
    f.setUsers({{QStringLiteral("ANN"), 12}});
    f.form.settings.AutoClearTime = QStringLiteral("1:00 am"); // passed, but the box is off
    f.form.watch().autoClear();
    QVERIFY(f.client.cleared.isEmpty());
}

void WatchTest::releasedMessageShownOnceThenRaised()
{
    WatchFixture f;
    watchForFreeFile(f);
    ScriptedPrompts& prompts = f.fakes.prompts;

    f.form.watch().notifyFileFree();
    QCOMPARE(prompts.openNotifications().size(), 1);
    const auto shown = prompts.openNotifications().first();
    QCOMPARE(shown.title, Notifier::notificationTitle());
    QCOMPARE(shown.title, QStringLiteral("Quorvex Notification Message"));
    QCOMPARE(shown.text, QStringLiteral("File REPORT.DOC released at 09:00 am, 03/07/04."));
    QCOMPARE(shown.icon, MsgIcon::Exclamation);

    // Later rescans bring the open box forward instead of opening another.
    f.form.watch().notifyFileFree();
    f.form.watch().notifyFileFree();
    QCOMPARE(prompts.openNotifications().size(), 1);
    QCOMPARE(prompts.openNotifications().first().raiseCount, 2);
    QCOMPARE(prompts.calls(Kind::Notification).size(), 1);

    // Once the user has closed it, the next rescan tells them again.
    prompts.closeAllNotifications();
    f.form.watch().notifyFileFree();
    QCOMPARE(prompts.calls(Kind::Notification).size(), 2);
}

void WatchTest::inUseMessageNamesLastUser()
{
    WatchFixture f;
    f.setScannedFile(QStringLiteral("report.doc"), QStringLiteral("F:\\report.doc"));
    f.setUsers({{QStringLiteral("ANN"), 1}, {QStringLiteral("bob"), 2}});
    f.form.lastScan.lastLoginName = QStringLiteral("bob");
    f.form.Check1->setChecked(true);
    f.form.settings.FileYes = true;
    f.form.settings.ViaBeep = 1;
    f.form.settings.ViaMsg = 1;
    f.fakes.clock.setNow(QDateTime(QDate(2004, 4, 21), QTime(13, 7)));

    f.form.watch().notifyFileInUse();
    f.form.watch().notifyFileFree(); // users are listed: "free" has nothing to say
    QCOMPARE(f.fakes.prompts.transcript(),
             (QStringList{QStringLiteral("beep"),
                          QStringLiteral("raise Quorvex Notification Message -> false"),
                          QStringLiteral("notification[Exclamation] Quorvex Notification "
                                         "Message: BOB opened file REPORT.DOC at 01:07 pm, "
                                         "04/21/04.")}));
}

void WatchTest::notificationNeedsRescanAndChoice()
{
    WatchFixture f;
    watchForFreeFile(f);
    f.form.settings.ViaBeep = 1;
    f.form.Check1->setChecked(false);
    f.form.watch().notifyFileFree();
    QVERIFY(f.fakes.prompts.calls().isEmpty());

    f.form.Check1->setChecked(true);
    f.form.settings.FileNo = false;
    f.form.settings.FileYes = true; // the user asked about the file in use, not free
    f.form.watch().notifyFileFree();
    f.form.watch().notifyFileInUse(); // nobody listed
    QVERIFY(f.fakes.prompts.calls().isEmpty());
}

void WatchTest::beepWithoutMessage()
{
    WatchFixture f;
    watchForFreeFile(f);
    f.form.settings.ViaBeep = 1;
    f.form.settings.ViaMsg = 0;
    f.form.watch().notifyFileFree();
    QCOMPARE(f.fakes.prompts.transcript(), QStringList{QStringLiteral("beep")});
}

void WatchTest::preparedFileCopied()
{
    WatchFixture f;
    f.fakes.mapDrive('F', QStringLiteral("fixed:") + f.fakes.path(QStringLiteral("f")));
    f.fakes.createFile(QStringLiteral("f/PREP/Ready.doc"), "prepared");
    const QString target = f.fakes.createFile(QStringLiteral("f/WORK/Ready.doc"), "old");
    watchForFreeFile(f);
    f.form.lastScan.clientPath = QStringLiteral("F:\\WORK\\REPORT.DOC");
    f.form.settings.FDrive = QStringLiteral("f:");
    f.form.settings.FDir = QStringLiteral("\\PREP"); // no drive: it lies on FDrive
    f.form.settings.FFile = QStringLiteral("Ready.doc");
    f.form.Dir1->setPath(QStringLiteral("F:\\WORK"));
    f.form.Text3->setText(QStringLiteral("10"));
    f.form.Check1->setChecked(true);

    f.form.watch().notifyFileFree();
    QCOMPARE(readFile(target), QByteArray("prepared"));
    QVERIFY(!f.form.Check1->isChecked());
    QVERIFY(!f.form.Timer1->isEnabled());
    QVERIFY(f.form.settings.FFile.isEmpty());
    QCOMPARE(f.fakes.prompts.transcript(),
             QStringList{QStringLiteral("notification[Exclamation] F:\\WORK\\REPORT.DOC: File "
                                        "READY.DOC copied at 09:00 am, 03/07/04.")});
}

void WatchTest::preparedFileCopyFails()
{
    WatchFixture f;
    f.fakes.mapDrive('F', QStringLiteral("fixed:") + f.fakes.path(QStringLiteral("f")));
    const QString target = f.fakes.createFile(QStringLiteral("f/WORK/Ready.doc"), "old");
    watchForFreeFile(f);
    f.form.lastScan.clientPath = QStringLiteral("F:\\WORK\\REPORT.DOC");
    f.form.settings.FDir = QStringLiteral("F:\\PREP"); // holds no such file
    f.form.settings.FFile = QStringLiteral("Ready.doc");
    f.form.Dir1->setPath(QStringLiteral("F:\\WORK"));

    f.form.watch().notifyFileFree();
    QCOMPARE(readFile(target), QByteArray("old")); // the file in place is not harmed
    QVERIFY(!f.form.Check1->isChecked());
    QCOMPARE(f.form.settings.FFile, QStringLiteral("Ready.doc"));
    QCOMPARE(f.fakes.prompts.transcript(),
             QStringList{QStringLiteral("notification[Exclamation] F:\\WORK\\REPORT.DOC: "
                                        "Unable to copy file READY.DOC at 09:00 am, 03/07/04.")});
}

QTEST_MAIN(WatchTest)
#include "watch_test.moc"
