// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "app/lifecycle.h"
#include "app/message_pane.h"
#include "app/tray_icon.h"
#include "app/window_behaviour.h"
#include "files/directory_box.h"
#include "files/drive_box.h"
#include "support/shell_world.h"

#include <QSignalSpy>
#include <QtTest>
#include <QtWidgets>

using quorvex::Form1;
using quorvex::Lifecycle;
using quorvex::test::ShellWorld;

namespace {
const QString kWelcome = QStringLiteral("Welcome to Quorvex!\r\n\r\nPress the F1 key for help.\r\n"
                                        "Press the F5 key to refresh files.");
}

class LifecycleTest : public QObject
{
    Q_OBJECT
private slots:
    void freshAccountStartsWithTheDefaults();
    void freshAccountWritesEveryKeyOnExit();
    void unconvertibleValuesStartAtZero();
    void clientFailureEndsAtOnceWritingNothing();
    void commandLineDecidesTheWelcome_data();
    void commandLineDecidesTheWelcome();
    void storedPlaceIsRestored();
    void histories();
    void exitWhileMinimisedKeepsTheWindowSize();
    void everyWayOutUnloadsOnce();
    void lockSetFailuresStayOnTheDesktop();
};

void LifecycleTest::freshAccountStartsWithTheDefaults()
{
    ShellWorld world;
    QVERIFY(world.load());
    Form1& form = world.form();
    QCOMPARE(form.Drive1->drive().left(2), QStringLiteral("c:"));
    QCOMPARE(form.Dir1->path(), QStringLiteral("C:\\"));
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("*.*"));
    QCOMPARE(form.Combo1->count(), 0);
    QCOMPARE(form.Combo2->count(), 0);
    QCOMPARE(form.PathHistoryLast, -1);
    QCOMPARE(form.PatternHistoryLast, -1);
    QCOMPARE(form.Text3->text(), QStringLiteral("10"));
    const quorvex::Settings& s = form.settings;
    for (std::uint8_t detail :
         {s.ConnNo, s.TaskNo, s.Opened, s.FileRights, s.DirRights, s.Locked, s.Login, s.Address})
        QCOMPARE(detail, std::uint8_t(1));
    QCOMPARE(s.Seconds, std::uint8_t(10));
    QVERIFY(!s.FileYes && !s.FileNo);
    QCOMPARE(s.ViaBeep, std::uint8_t(1));
    QCOMPARE(s.ViaMsg, std::uint8_t(1));
    QCOMPARE(s.LogFile, std::uint8_t(0));
    QCOMPARE(s.HidFiles, std::uint8_t(0));
    QCOMPARE(s.FDrive, QStringLiteral("c:"));
    QCOMPARE(s.FDir, QStringLiteral("\\"));
    QVERIFY(s.FFile.isEmpty());
    QCOMPARE(s.AutoClear, std::uint8_t(0));
    QCOMPARE(form.windowTitle(), QStringLiteral("Quorvex"));
    QCOMPARE(form.Text2->text(), kWelcome);
    QVERIFY(form.lifecycle().window().tray().isAdded());
    QVERIFY(!QFile::exists(world.settingsFile())); // nothing is written before shutdown
}

void LifecycleTest::freshAccountWritesEveryKeyOnExit()
{
    ShellWorld world;
    QVERIFY(world.load());
    world.form().lifecycle().unload();
    QVERIFY(!world.form().lifecycle().window().tray().isAdded());
    const QList<std::pair<const char*, const char*>> expected{
        {"Path", "C:\\"}, {"Pattern", "*.*"}, {"Seconds", "10"},    {"ConnNo", "1"},
        {"Address", "1"}, {"HidFiles", "0"},  {"FileYes", "False"}, {"FileNo", "False"},
        {"ViaBeep", "1"}, {"LogFile", "0"},   {"Overwrite", "0"},   {"FDrive", "c:"},
        {"FDir", "\\"},   {"FFile", ""},      {"Height", "6285"},   {"Width", "8775"}};
    for (const auto& [key, value] : expected)
        QCOMPARE(world.storedOption(QString::fromLatin1(key)), QString::fromLatin1(value));
    // A run that added no history entry writes none.
    QVERIFY(world.storedOption(QStringLiteral("Path_0")).isNull());
    QVERIFY(world.storedOption(QStringLiteral("Pattern_0")).isNull());
}

void LifecycleTest::unconvertibleValuesStartAtZero()
{
    ShellWorld world;
    world.setOption(QStringLiteral("Seconds"), QString());
    world.setOption(QStringLiteral("ConnNo"), QStringLiteral("abc"));
    world.setOption(QStringLiteral("TaskNo"), QStringLiteral("300"));
    world.setOption(QStringLiteral("Height"), QStringLiteral("tall"));
    QVERIFY(world.load());
    Form1& form = world.form();
    QCOMPARE(form.Text3->text(), QStringLiteral("0"));
    QCOMPARE(form.settings.ConnNo, std::uint8_t(0));
    QCOMPARE(form.settings.TaskNo, std::uint8_t(0));
    QCOMPARE(form.settings.Opened, std::uint8_t(1));

    // The emptied seconds box is written back as it is.
    form.Text3->clear();
    form.lifecycle().unload();
    QCOMPARE(world.storedOption(QStringLiteral("Seconds")), QStringLiteral(""));
    world.restart();
    QVERIFY(world.load());
    QCOMPARE(world.form().Text3->text(), QStringLiteral("0"));
}

void LifecycleTest::clientFailureEndsAtOnceWritingNothing()
{
    ShellWorld world;
    world.client.initResult = 0x8800;
    Form1& form = world.form();
    QSignalSpy ended(&form.lifecycle(), &Lifecycle::programEnded);
    QVERIFY(!world.load());
    QCOMPARE(form.lifecycle().exitStatus(), 2);
    QCOMPARE(world.prompts.beeps, 1);
    QCOMPARE(world.prompts.boxes,
             (QStringList{"Quorvex|Error! Unable to initialize network.|Exclamation"}));
    QVERIFY(!form.lifecycle().window().tray().isAdded());
    QVERIFY(form.Text2->text().isEmpty());
    form.close();
    QVERIFY(!QFile::exists(world.settingsFile()));
    QCOMPARE(ended.count(), 0);
}

void LifecycleTest::commandLineDecidesTheWelcome_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<bool>("welcome");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("blanks") << "   " << true;
    QTest::newRow("/p") << "/p" << true;
    QTest::newRow("/p with blanks") << "  /p " << true;
    QTest::newRow("/P is a file name") << "/P" << false;
    QTest::newRow("file name") << "F:\\REPORTS\\Q1.XLS" << false;
}

void LifecycleTest::commandLineDecidesTheWelcome()
{
    QFETCH(QString, commandLine);
    QFETCH(bool, welcome);
    ShellWorld world;
    QVERIFY(world.load(commandLine));
    QCOMPARE(world.form().Text2->text() == kWelcome, welcome);
}

void LifecycleTest::storedPlaceIsRestored()
{
    ShellWorld world;
    world.makeFile(QStringLiteral("f/Reports/q1.xls"));
    world.mapDrive(QLatin1Char('F'), QStringLiteral("fixed:") + world.hostDir(QStringLiteral("f")));
    world.setOption(QStringLiteral("Path"), QStringLiteral("F:\\Reports"));
    world.setOption(QStringLiteral("Pattern"), QStringLiteral("*.xls"));
    world.setOption(QStringLiteral("HidFiles"), QStringLiteral("1"));
    QVERIFY(world.load());
    Form1& form = world.form();
    QCOMPARE(form.Drive1->drive().left(2), QStringLiteral("f:"));
    QCOMPARE(form.Dir1->path(), QStringLiteral("F:\\Reports"));
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("*.xls"));
    QCOMPARE(form.List3->count(), 1);
    QCOMPARE(form.settings.HidFiles, std::uint8_t(1));

    // The directory is gone by the next run: C:, "\" and "*.*", silently.
    form.lifecycle().unload();
    QVERIFY(QDir(world.hostDir(QStringLiteral("f/Reports"))).removeRecursively());
    world.restart();
    QVERIFY(world.load());
    QCOMPARE(world.form().Dir1->path(), QStringLiteral("C:\\"));
    QCOMPARE(world.form().Combo2->currentText(), QStringLiteral("*.*"));
    QCOMPARE(world.form().Text2->text(), kWelcome);
}

void LifecycleTest::histories()
{
    ShellWorld world;
    world.setOption(QStringLiteral("Path_0"), QStringLiteral("F:\\NEW.XLS"));
    world.setOption(QStringLiteral("Path_1"), QStringLiteral("F:\\OLD.XLS"));
    world.setOption(QStringLiteral("Pattern_0"), QStringLiteral("*.xls"));
    QVERIFY(world.load());
    Form1& form = world.form();
    QCOMPARE(form.Combo1->count(), 2);
    QCOMPARE(form.Combo1->itemText(0), QStringLiteral("F:\\NEW.XLS"));
    QCOMPARE(form.Combo1->currentIndex(), -1);
    QCOMPARE(form.PathHistoryLast, 1);
    QCOMPARE(form.PatternHistoryLast, 0);
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("*.*")); // the list did not replace it

    // One entry added by a scan: the whole list is written back newest first.
    form.Combo1->addItem(QStringLiteral("F:\\ADDED.XLS"));
    form.lifecycle().unload();
    QCOMPARE(world.storedOption(QStringLiteral("Path_0")), QStringLiteral("F:\\ADDED.XLS"));
    QCOMPARE(world.storedOption(QStringLiteral("Path_1")), QStringLiteral("F:\\OLD.XLS"));
    QCOMPARE(world.storedOption(QStringLiteral("Path_2")), QStringLiteral("F:\\NEW.XLS"));
    QCOMPARE(world.storedOption(QStringLiteral("Pattern_0")), QStringLiteral("*.xls"));
}

void LifecycleTest::exitWhileMinimisedKeepsTheWindowSize()
{
    ShellWorld world;
    world.setOption(QStringLiteral("Height"), QStringLiteral("7000"));
    world.setOption(QStringLiteral("Width"), QStringLiteral("9000.5"));
    QVERIFY(world.load());
    Form1& form = world.form();
    form.lifecycle().window().tray().setAvailability([] { return true; });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.resize(form.width() + 40, form.height() + 40);
    form.setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(!form.isVisible());
    form.Combo2->setEditText(QStringLiteral("*.doc"));
    form.lifecycle().window().tray().mPopExit_Click();
    QVERIFY(form.lifecycle().isUnloaded());
    QCOMPARE(world.storedOption(QStringLiteral("Height")), QStringLiteral("7000"));
    QCOMPARE(world.storedOption(QStringLiteral("Width")), QStringLiteral("9000.5"));
    QCOMPARE(world.storedOption(QStringLiteral("Pattern")), QStringLiteral("*.doc"));
}

void LifecycleTest::everyWayOutUnloadsOnce()
{
    ShellWorld world;
    QVERIFY(world.load());
    Form1& form = world.form();
    QSignalSpy ended(&form.lifecycle(), &Lifecycle::programEnded);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).toInt(), 0);
    QVERIFY(!form.isVisible());
    QCOMPARE(world.storedOption(QStringLiteral("Path")), QStringLiteral("C:\\"));

    // The close box of a second run.
    world.restart();
    QVERIFY(world.load());
    Form1& again = world.form();
    QSignalSpy endedAgain(&again.lifecycle(), &Lifecycle::programEnded);
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    again.close();
    again.lifecycle().unload();
    QCOMPARE(endedAgain.count(), 1);
}

void LifecycleTest::lockSetFailuresStayOnTheDesktop()
{
    // Every call of the stub client fails: on the desktop the window stays up
    // and names each server whose lock set was not cleared.
    ShellWorld world;
    world.store().setValue(QStringLiteral("Servers"), QStringLiteral("FS1"),
                           QStringLiteral("sim:x"));
    world.store().setValue(QStringLiteral("Servers"), QStringLiteral("FS2"),
                           QStringLiteral("sim:y"));
    QVERIFY(world.load(QStringLiteral("-ue")));
    const QStringList lines = world.form().Text2->text().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].startsWith(QStringLiteral("FS1: Unable to clear file locks - ")),
             qPrintable(lines[0]));
    QVERIFY(lines[1].startsWith(QStringLiteral("FS2: ")));
    QCOMPARE(world.prompts.beeps, 1);
    QVERIFY(!world.form().lifecycle().isUnloaded());
}

QTEST_MAIN(LifecycleTest)
#include "lifecycle_test.moc"
