// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_world.h"

#include "app/interval_timer.h"
#include "app/lifecycle.h"
#include "app/message_pane.h"
#include "app/pane_notices.h"
#include "platform/attempt_origin.h"
#include "scan/rescan_controls.h"
#include "scan/result_text.h"
#include "scan/scan_engine.h"
#include "scan/watch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace quorvex;

namespace {

const QString kFile = QStringLiteral("F:\\REPORTS\\Q1.XLS");
using Entries = QList<nw::CONN_USING_FILE>;

FakeClient::Batch batch(Entries entries, std::function<void()> during = {})
{
    return FakeClient::Batch{nw::kSuccess, std::move(entries), std::move(during)};
}

// A window with F:\REPORTS\Q1.XLS chosen and users JSMITH (5), BOB (9), ANN (11).
struct World : ScanWorld
{
    World()
    {
        createFile(kFile);
        choose(kFile);
        client.addUser(5, QStringLiteral("jsmith"));
        client.addUser(9, QStringLiteral("Bob"));
        client.addUser(11, QStringLiteral("ANN"));
        form->show();
    }
    void fillPreviousResult()
    {
        form->List1->addItems({QStringLiteral("OLD1"), QStringLiteral("OLD2")});
        form->connections = {ConnectionInfo{}, ConnectionInfo{}};
        form->Label5->setText(QStringLiteral("2 user(s)"));
    }
    bool visible(QWidget* w) const { return w->isVisibleTo(form.get()); }
};

} // namespace

class ScanEngineTest : public QObject
{
    Q_OBJECT
private slots:
    void localDriveRefused_data();
    void localDriveRefused();
    void missingFileKeepsEverything();
    void immediateEndListsNoUsers();
    void usersListedOnceWithRecords();
    void listScrollsAcrossItsWidestLine();
    void emptyBatchCallsAgainWithCarriedHandle();
    void unreadableConnectionIsLeftOut();
    void stopKeepsUsersAndSkipsCompletion();
    void deadline_data();
    void deadline();
    void resultCodes_data();
    void resultCodes();
    void parseFailureShowsWarningBox();
    void historyAddsPathOnceIgnoringCase();
    void completionShowsResultControls_data();
    void completionShowsResultControls();
    void detailsFollowTheOptions();
    void duplicateCheckUsesListPrefixSearch();
    void secondScanIsDropped();
    void loginNoticeFollowsTheScanOfATimerTick();
    void jobsActOnlyOnACompletedScan_data();
    void jobsActOnlyOnACompletedScan();
};

void ScanEngineTest::localDriveRefused_data()
{
    QTest::addColumn<QString>("drive");
    QTest::addColumn<bool>("refused");
    QTest::newRow("fixed") << "fixed:" << true;
    QTest::newRow("removable") << "removable:" << true;
    QTest::newRow("cdrom") << "cdrom:" << true;
    QTest::newRow("ramdisk goes on") << "ramdisk:" << false;
}

void ScanEngineTest::localDriveRefused()
{
    QFETCH(QString, drive);
    QFETCH(bool, refused);
    World world;
    world.remapDrive(QLatin1Char('C'), drive);
    world.createFile(QStringLiteral("C:\\LOCAL.TXT"));
    world.choose(QStringLiteral("C:\\LOCAL.TXT"));
    world.fillPreviousResult();

    world.scan();

    if (refused) {
        QCOMPARE(world.form->Text2->text(),
                 QStringLiteral("Error! File must reside on network drive."));
        QCOMPARE(world.prompts.beepCount(), 1);
        QCOMPARE(world.userLines(), (QStringList{"OLD1", "OLD2"}));
        QVERIFY(world.client.calls.isEmpty());
    } else {
        QCOMPARE(world.client.parsedPaths, QStringList{QStringLiteral("C:\\LOCAL.TXT")});
    }
}

void ScanEngineTest::missingFileKeepsEverything()
{
    World world;
    world.choose(QStringLiteral("F:\\REPORTS\\GONE.XLS"));
    world.fillPreviousResult();
    world.scan();
    QCOMPARE(world.form->Text2->text(),
             QStringLiteral("File doesn't exist. Press the F5 key to refresh files."));
    QCOMPARE(world.prompts.beepCount(), 0);
    QCOMPARE(world.userLines().size(), 2);
    QVERIFY(world.client.calls.isEmpty());
    QVERIFY(!world.form->scan().isRunning());
}

void ScanEngineTest::immediateEndListsNoUsers()
{
    World world;
    world.fillPreviousResult();
    world.form->Command4->setVisible(true);
    world.scan();

    QCOMPARE(world.client.parsedPaths, QStringList{kFile});
    QCOMPARE(world.client.scannedPaths, QStringList{QStringLiteral("DATA:REPORTS\\Q1.XLS")});
    QCOMPARE(world.form->serverConnection, world.client.parseConn);
    QVERIFY(world.userLines().isEmpty());
    QVERIFY(world.form->connections.isEmpty());
    QCOMPARE(world.form->Label5->text(), QStringLiteral("No users"));
    QCOMPARE(world.form->Text2->text(), QString());
    QVERIFY(!world.visible(world.form->Command4));
    QVERIFY(!world.visible(world.form->Command9));
    QCOMPARE(world.form->List1->toolTip(), QString());
    QCOMPARE(world.prompts.beepCount(), 0);
    QCOMPARE(world.form->lastScan.volumePath, QStringLiteral("DATA:REPORTS\\Q1.XLS"));
    QCOMPARE(world.form->lastScan.longPath, kFile);
    QCOMPARE(world.form->lastScan.fileName, QStringLiteral("Q1.XLS"));
}

void ScanEngineTest::usersListedOnceWithRecords()
{
    World world;
    world.form->settings.TaskNo = 1;
    // JSMITH holds the file in two tasks, in two batches; BOB in one.
    world.client.batches = {batch({FakeClient::entry(5, 1), FakeClient::entry(9, 4)}),
                            batch({FakeClient::entry(5, 2)})};
    world.scan();

    QCOMPARE(world.userLines(), (QStringList{"JSMITH", "BOB"}));
    QCOMPARE(world.form->connections.size(), 2);
    QCOMPARE(world.form->connections[0].connNo, 5);
    QCOMPARE(world.form->connections[0].taskNo, 1); // the first task's
    QCOMPARE(world.form->connections[1].connNo, 9);
    QCOMPARE(world.form->connections[1].fileName, QStringLiteral("Q1.XLS"));
    QCOMPARE(world.form->Label5->text(), QStringLiteral("2 user(s)"));
    QCOMPARE(world.form->lastScan.lastLoginName, QStringLiteral("JSMITH"));
}

void ScanEngineTest::listScrollsAcrossItsWidestLine()
{
    World world;
    const QString longName = QStringLiteral("A_LOGIN_NAME_FAR_WIDER_THAN_THE_LIST");
    world.client.addUser(13, longName);
    world.client.batches = {batch({FakeClient::entry(13), FakeClient::entry(5)})};
    world.scan();
    QCoreApplication::processEvents();
    // The widest line in the window's font and 25 pixels more, whichever line is last.
    const int extent = QFontMetrics(world.form->font()).horizontalAdvance(longName) + 25;
    QListWidget* list = world.form->List1;
    QCOMPARE(list->horizontalScrollBar()->maximum(), extent - list->viewport()->width());
}

void ScanEngineTest::emptyBatchCallsAgainWithCarriedHandle()
{
    World world;
    world.client.batches = {batch({}), batch({FakeClient::entry(5)}), batch({}),
                            batch({FakeClient::entry(9)})};
    world.scan();
    // The fake answers each call with the handle it was given plus 100.
    QCOMPARE(world.client.iterationHandlesIn, (QList<std::int16_t>{0, 100, 200, 300, 400}));
    QCOMPARE(world.userLines(), (QStringList{"JSMITH", "BOB"}));
    // An empty answer brings nothing: the count left from the batch before is not reused.
    QCOMPARE(world.client.calls.count(QStringLiteral("NWGetConnectionInformation")), 2);
}

void ScanEngineTest::unreadableConnectionIsLeftOut()
{
    World world;
    world.client.connections[9].infoRc = nw::kBadStationNumber;
    world.client.batches = {batch({FakeClient::entry(9), FakeClient::entry(5)})};
    world.scan();
    QCOMPARE(world.userLines(), QStringList{QStringLiteral("JSMITH")});
    QCOMPARE(world.form->connections.size(), 1);
    QCOMPARE(world.prompts.beepCount(), 0);
}

void ScanEngineTest::stopKeepsUsersAndSkipsCompletion()
{
    World world;
    world.form->Label5->setText(QStringLiteral("before"));
    // Stop is pressed while the second call is under way: its batch still
    // counts, and the next turn ends the scan.
    world.client.batches = {
        batch({FakeClient::entry(5)}),
        batch({FakeClient::entry(9)}, [&] { world.form->stopRequested = true; }),
        batch({FakeClient::entry(11)})};
    world.scan();

    QCOMPARE(world.form->Text2->text(), QStringLiteral("Scan terminated."));
    QCOMPARE(world.userLines(), (QStringList{"JSMITH", "BOB"}));
    QVERIFY(!world.form->stopRequested);
    QVERIFY(!world.visible(world.form->Command9));
    QCOMPARE(world.form->Combo1->count(), 0);
    QCOMPARE(world.form->Label5->text(), QStringLiteral("before"));
    QVERIFY(!world.visible(world.form->Check1));
    QCOMPARE(world.client.iterationHandlesIn.size(), 2);
    QCOMPARE(world.prompts.beepCount(), 0);
}

void ScanEngineTest::deadline_data()
{
    QTest::addColumn<qint64>("elapsedMs");
    QTest::addColumn<qint64>("wallJumpMs"); // how far the wall clock moves meanwhile
    QTest::addColumn<bool>("timedOut");
    QTest::newRow("within the minute") << qint64(60'000) << qint64(60'000) << false;
    QTest::newRow("past the minute") << qint64(60'001) << qint64(60'001) << true;
    QTest::newRow("past the minute across midnight") << qint64(61'000) << qint64(61'000) << true;
    QTest::newRow("wall clock set back a day") << qint64(1'000) << qint64(-86'400'000) << false;
}

void ScanEngineTest::deadline()
{
    QFETCH(qint64, elapsedMs);
    QFETCH(qint64, wallJumpMs);
    QFETCH(bool, timedOut);
    World world;
    world.t.clock.setNow(QDateTime(QDate(2026, 3, 4), QTime(23, 59, 50)));
    world.client.batches = {
        batch({FakeClient::entry(5)},
              [&] {
                  world.t.clock.setMonotonicMs(world.t.clock.monotonicMs() + elapsedMs);
                  world.t.clock.setNow(world.t.clock.now().addMSecs(wallJumpMs));
              }),
        batch({FakeClient::entry(9)})};
    world.scan();
    if (timedOut) {
        QCOMPARE(world.form->Text2->text(), QStringLiteral("Scan timed out."));
        QCOMPARE(world.userLines(), QStringList{QStringLiteral("JSMITH")});
        QCOMPARE(world.form->Combo1->count(), 0);
    } else {
        QCOMPARE(world.userLines(), (QStringList{"JSMITH", "BOB"}));
        QCOMPARE(world.form->Label5->text(), QStringLiteral("2 user(s)"));
    }
    QCOMPARE(world.prompts.beepCount(), 0);
    QVERIFY(!world.visible(world.form->Command9));
}

void ScanEngineTest::resultCodes_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("8801") << 0x8801u << "Error! Invalid connection.";
    QTest::newRow("890A") << 0x890Au << "Error! NLM Invalid connection.";
    QTest::newRow("8996") << 0x8996u << "Error! Server out of memory.";
    QTest::newRow("8998") << 0x8998u << "Error! Volume does not exist.";
    QTest::newRow("899B") << 0x899Bu << "Error! Bad directory handle.";
    QTest::newRow("899C") << 0x899Cu << "Error! Invalid path/unrecognized file format.";
    QTest::newRow("89A1") << 0x89A1u << "Error! Directory I/O error.";
    QTest::newRow("89A8") << 0x89A8u << "Error! Access denied.";
    QTest::newRow("89C6") << 0x89C6u
                          << "Error! No console privileges - see your LAN Administrator.";
    QTest::newRow("89FD") << 0x89FDu << "Error! Bad station number.";
    QTest::newRow("89FF") << 0x89FFu << "Error! Lock error.";
    QTest::newRow("8999 unknown") << 0x8999u << "Error! Unknown error 35225 has occurred.";
}

void ScanEngineTest::resultCodes()
{
    QFETCH(uint, code);
    QFETCH(QString, message);
    World world;
    world.form->Check1->setChecked(true);
    world.form->Timer1->setEnabled(true);
    world.client.batches = {batch({FakeClient::entry(5)}), FakeClient::Batch{code, {}, {}}};
    QString paneAtBeep = QStringLiteral("no beep");
    world.prompts.onBeep = [&] { paneAtBeep = world.form->Text2->text(); };
    world.scan();

    QCOMPARE(world.form->Text2->text(), message);
    QCOMPARE(world.prompts.beepCount(), 1);
    QCOMPARE(world.userLines(), QStringList{QStringLiteral("JSMITH")}); // what was found stays
    QVERIFY(!world.visible(world.form->Command9));
    QCOMPARE(world.form->Combo1->count(), 0);
    QVERIFY(world.form->Timer1->isEnabled()); // a running rescan goes on
    // Only a code without a message of its own clears the pane before the beep.
    QCOMPARE(paneAtBeep, code == 0x8999u ? QString() : QStringLiteral("Scanning..."));
}

void ScanEngineTest::parseFailureShowsWarningBox()
{
    World world;
    world.fillPreviousResult();
    world.client.parseRc = nw::kBadPathSyntax;
    world.scan();

    QCOMPARE(world.prompts.transcript(),
             (QStringList{"beep", "messageBox[Exclamation,Ok,Ok] Quorvex: Error! Could not parse "
                                  "the path for file Q1.XLS."}));
    QVERIFY(!world.visible(world.form->Command9));
    QCOMPARE(world.userLines().size(), 2);
    QVERIFY(!world.client.calls.contains(QStringLiteral("NWScanConnectionsUsingFile")));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void ScanEngineTest::historyAddsPathOnceIgnoringCase()
{
    World world;
    world.form->Combo1->addItem(QStringLiteral("F:\\OTHER\\A.TXT"));
    world.scan();
    world.scan();
    QCOMPARE(world.form->Combo1->count(), 2);
    QCOMPARE(world.form->Combo1->itemText(1), kFile);
    // The same file chosen through a directory written in other case.
    world.choose(QStringLiteral("F:\\reports\\Q1.XLS"));
    world.scan();
    QCOMPARE(world.client.parsedPaths.size(), 3);
    QCOMPARE(world.form->Combo1->count(), 2);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void ScanEngineTest::completionShowsResultControls_data()
{
    QTest::addColumn<bool>("rescanChecked");
    QTest::newRow("rescan on") << true;
    QTest::newRow("rescan off") << false;
}

void ScanEngineTest::completionShowsResultControls()
{
    QFETCH(bool, rescanChecked);
    World world;
    world.form->Check1->setChecked(rescanChecked);
    world.form->Timer1->setEnabled(!rescanChecked);
    world.form->Text1->setText(QStringLiteral("find me"));
    world.form->Command12->setVisible(true);
    world.client.batches = {batch({FakeClient::entry(5), FakeClient::entry(9)})};
    world.scan();

    Form1& f = *world.form;
    for (QWidget* w : QList<QWidget*>{f.Command4, f.Command5, f.Command6, f.Command11, f.Command14,
                                      f.Command15, f.Label7, f.Text1, f.Check1, f.Text3})
        QVERIFY2(world.visible(w), qPrintable(w->objectName()));
    for (QWidget* w : QList<QWidget*>{f.Command9, f.Command12, f.Command13, f.Command16})
        QVERIFY2(!world.visible(w), qPrintable(w->objectName()));
    QCOMPARE(f.Text1->text(), QString());
    QCOMPARE(f.Text2->text(), QString());
    QCOMPARE(f.List1->toolTip(), QStringLiteral(" Click on user for more data "));
    QCOMPARE(f.Timer1->isEnabled(), rescanChecked);

    // A following scan that finds nobody hides the result controls again.
    world.scan();
    for (QWidget* w : QList<QWidget*>{f.Command4, f.Command5, f.Command6, f.Command11, f.Command14,
                                      f.Command15, f.Label7, f.Text1})
        QVERIFY2(!world.visible(w), qPrintable(w->objectName()));
    QVERIFY(world.visible(f.Check1));
    QCOMPARE(f.Label5->text(), QStringLiteral("No users"));
}

void ScanEngineTest::detailsFollowTheOptions()
{
    World world;
    FakeClient::Connection& bob = world.client.connections[9];
    bob.loginTime = {126, 10, 14, 13, 30, 0, 3};
    bob.address.network = {10, 1, 2, 9};
    bob.address.connType = 11;
    world.client.objectIds.insert(QStringLiteral("BOB"), 1002);
    world.client.trusteePaths[1002] = QStringList{QStringLiteral("DATA:REPORTS")};
    world.client.trusteesOf[QStringLiteral("DATA:REPORTS")] = {{1002, 0x03}};
    const auto bobEntry = FakeClient::entry(9, 3, 8, 0x0C, 1);

    // Every option on.
    Settings& s = world.form->settings;
    s.ConnNo = s.TaskNo = s.Opened = s.FileRights = s.DirRights = s.Locked = s.Login = s.Address =
        1;
    world.client.batches = {batch({bobEntry, FakeClient::entry(5)})};
    world.scan();
    QCOMPARE(world.form->connections.size(), 2);
    const ConnectionInfo on = world.form->connections[0];
    QCOMPARE(on.connNo, 9);
    QCOMPARE(on.taskNo, 3);
    QCOMPARE(on.opened, 8);
    QCOMPARE(on.fileRights, 0x0C);
    QCOMPARE(on.locked, 1);
    QCOMPARE(on.login, QStringLiteral("Wednesday, 10/14/26, 01") + systemTimeSeparator() +
                           QStringLiteral("30 pm"));
    QCOMPARE(on.address, QStringLiteral("IP:10.1.2.9"));
    QCOMPARE(on.dirRights, QStringLiteral("Read,Write"));
    QCOMPARE(world.form->connections[1].dirRights, QStringLiteral("NA")); // no trustee anywhere

    // Every option off: only the file name and the connection number.
    s = Settings{};
    world.client.calls.clear();
    world.client.batches = {batch({bobEntry})};
    world.scan();
    const ConnectionInfo off = world.form->connections[0];
    QCOMPARE(off.fileName, QStringLiteral("Q1.XLS"));
    QCOMPARE(off.connNo, 9);
    QCOMPARE(off.taskNo, 0);
    QCOMPARE(off.opened, 0);
    QCOMPARE(off.fileRights, 0);
    QCOMPARE(off.locked, 0);
    QVERIFY(off.login.isEmpty() && off.address.isEmpty() && off.dirRights.isEmpty());
    QVERIFY(!world.client.calls.contains(QStringLiteral("NWGetInetAddr")));
    QVERIFY(!world.client.calls.contains(QStringLiteral("NWScanObjectTrusteePaths")));
}

void ScanEngineTest::duplicateCheckUsesListPrefixSearch()
{
    World world;
    world.client.addUser(20, QStringLiteral("BOBBY"));
    world.client.addUser(21, QStringLiteral("BOB"));
    world.client.addUser(22, QStringLiteral("BOB")); // BOB logged in twice
    QList<int> currentRows;
    world.client.batches = {
        batch({FakeClient::entry(20), FakeClient::entry(21), FakeClient::entry(22),
               FakeClient::entry(21, 2), FakeClient::entry(20, 2)}),
        batch({FakeClient::entry(22, 5)}, [&] { currentRows << world.form->List1->currentRow(); }),
        batch({FakeClient::entry(5)}, [&] { currentRows << world.form->List1->currentRow(); })};
    world.scan();
    // BOB's second task is found below BOBBY, the first line beginning with BOB.
    QCOMPARE(world.userLines(), (QStringList{"BOBBY", "BOB", "BOB", "JSMITH"}));
    QCOMPARE(world.form->connections[2].connNo, 22);
    // The check makes the first line beginning with the name current (BOBBY for
    // BOB), without touching the selection; JSMITH found no line: none current.
    QCOMPARE(currentRows, (QList<int>{0, 0}));
    QCOMPARE(world.form->List1->currentRow(), -1);
    QVERIFY(world.form->List1->selectedItems().isEmpty());
}

void ScanEngineTest::secondScanIsDropped()
{
    World world;
    int nestedRequests = 0;
    world.client.batches = {batch({FakeClient::entry(5)},
                                  [&] {
                                      // A click, a tick or a history pick while the loop runs.
                                      ++nestedRequests;
                                      world.scan();
                                      world.form->scan().Command1_Click();
                                  }),
                            batch({FakeClient::entry(9)})};
    world.scan();
    QCOMPARE(nestedRequests, 1);
    QCOMPARE(world.client.parsedPaths.size(), 1);
    QCOMPARE(world.userLines(), (QStringList{"JSMITH", "BOB"}));
    QCOMPARE(world.form->Label5->text(), QStringLiteral("2 user(s)"));
    QVERIFY(!world.form->scan().isRunning());
    // Once it is over, the next request runs.
    world.scan();
    QCOMPARE(world.client.parsedPaths.size(), 2);
}

void ScanEngineTest::loginNoticeFollowsTheScanOfATimerTick()
{
    // A login happens inside a client call: what the server said of it comes
    // after the scan's own text, and a scan the timer started is automatic
    // (no refused password is tried again for it).
    World world;
    AttemptOrigin origin;
    world.services->origin = &origin;
    auto* notices = new PaneNotices(*world.form);
    QList<bool> automatic;
    const auto login = [&] {
        automatic.append(origin.automatic());
        notices->add(QStringLiteral("Password for BOB on FS1 has expired: 2 grace logins left"));
    };
    world.client.batches = {batch({FakeClient::entry(5)}, login)};
    world.form->watch().rescan().Timer1_Timer();
    QTRY_COMPARE(world.form->Text2->text(),
                 QStringLiteral("Password for BOB on FS1 has expired: 2 grace logins left\r\n"));
    world.client.batches = {batch({}, login), FakeClient::Batch{0x8801, {}, {}}};
    world.scan();
    QTRY_VERIFY(world.form->Text2->text().endsWith(QStringLiteral("left\r\n")));
    QCOMPARE(world.form->Text2->text(), QStringLiteral("Error! Invalid connection.\r\nPassword "
                                                       "for BOB on FS1 has expired: 2 grace "
                                                       "logins left\r\n"));
    QCOMPARE(automatic, (QList<bool>{true, false}));
}

void ScanEngineTest::jobsActOnlyOnACompletedScan_data()
{
    QTest::addColumn<QString>("job");
    QTest::addColumn<bool>("ends");
    QTest::newRow("-c") << " -c" << false;
    QTest::newRow("-ce") << " -ce" << true;
    QTest::newRow(">") << " > " << true;
    QTest::newRow(">>") << " >> " << true;
}

void ScanEngineTest::jobsActOnlyOnACompletedScan()
{
    // Two users listed, then the server fails: the jobs neither clear the
    // users found so far nor write them, and those that end say it failed.
    QFETCH(QString, job);
    QFETCH(bool, ends);
    World world;
    world.client.batches = {batch({FakeClient::entry(5), FakeClient::entry(9)}),
                            FakeClient::Batch{nw::kServerOutOfMemory, {}, {}}};
    const QString out = world.t.path(QStringLiteral("out.txt"));
    world.form->lifecycle().runCommandLineJob(kFile + job + (job.contains('>') ? out : QString()));

    QCOMPARE(world.userLines(), (QStringList{"JSMITH", "BOB"}));
    QCOMPARE(world.form->Text2->text(), QStringLiteral("Error! Server out of memory."));
    QVERIFY(world.form->List1->selectedItems().isEmpty());
    QVERIFY(!QFile::exists(out));
    QCOMPARE(world.form->lifecycle().isUnloaded(), ends);
    QCOMPARE(world.form->lifecycle().exitStatus(), ends ? 1 : 0);
}

QTEST_MAIN(ScanEngineTest)
#include "scan_engine_test.moc"
