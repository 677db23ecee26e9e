// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/app_dirs.h"
#include "platform/file_helpers.h"
#include "support/test_services.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace quorvex;

class FileHelpersTest : public QObject
{
    Q_OBJECT

private slots:
    void fileExists();
    void shortPathName();
    void programDirInBuildTreeAndInstalled();
    void detectedDirsHonourXdg();
};

void FileHelpersTest::fileExists()
{
    TestServices t;
    t.createFile("vol/REPORTS/Q1.XLS", "data");
    t.createFile("vol/EMPTY.TXT");
    QVERIFY(QFile::link(t.path("vol/REPORTS/Q1.XLS"), t.path("vol/LINK.XLS")));
    QVERIFY(QFile::link(t.path("vol/GONE.XLS"), t.path("vol/DANGLING.XLS")));
    t.mapDrive('F', "network:FS1/DATA:@" + t.path("vol"));

    QVERIFY(FileExists(t.drives, "F:\\REPORTS\\Q1.XLS"));
    QVERIFY(FileExists(t.drives, "f:\\reports\\q1.xls"));
    QVERIFY(FileExists(t.drives, "F:\\EMPTY.TXT")); // length 0 is a length
    QVERIFY(FileExists(t.drives, "F:\\LINK.XLS"));
    QVERIFY(FileExists(t.drives, t.path("vol/REPORTS/Q1.XLS"))); // a host path
    QVERIFY(!FileExists(t.drives, "F:\\REPORTS"));               // a directory
    QVERIFY(!FileExists(t.drives, "F:\\DANGLING.XLS"));
    QVERIFY(!FileExists(t.drives, "F:\\NOPE.XLS"));
    QVERIFY(!FileExists(t.drives, "Q:\\REPORTS\\Q1.XLS")); // unmapped drive
    QVERIFY(!FileExists(t.drives, "REPORTS\\Q1.XLS"));
    QVERIFY(!FileExists(t.drives, ""));
}

void FileHelpersTest::shortPathName()
{
    TestServices t;
    const QString file = t.createFile("vol/Long File Name.xlsx");
    t.mapDrive('F', "network:FS1/DATA:@" + t.path("vol"));
    QCOMPARE(quorvex::shortPathName(t.drives, "F:\\LONG FILE NAME.XLSX"),
             "F:\\LONG FILE NAME.XLSX");
    QCOMPARE(quorvex::shortPathName(t.drives, "F:\\"), "F:\\");
    QVERIFY(QFile::remove(file));
    QCOMPARE(quorvex::shortPathName(t.drives, "F:\\LONG FILE NAME.XLSX"), QString());
    QCOMPARE(quorvex::shortPathName(t.drives, "Q:\\X"), QString());
}

void FileHelpersTest::programDirInBuildTreeAndInstalled()
{
    TestServices t;
    QDir root(t.root());
    QVERIFY(root.mkpath("build"));
    QVERIFY(root.mkpath("prefix/bin"));
    QVERIFY(root.mkpath("bare/bin"));
    QCOMPARE(AppDirs::programDirFor(t.path("build")), t.path("build"));
    QCOMPARE(AppDirs::programDirFor(t.path("bare/bin")), t.path("bare/bin"));
    QVERIFY(root.mkpath("prefix/share/quorvex"));
    QCOMPARE(AppDirs::programDirFor(t.path("prefix/bin")), t.path("prefix/share/quorvex"));
    QCOMPARE(AppDirs::programDirFor(t.path("prefix/bin/")), t.path("prefix/share/quorvex"));
}

void FileHelpersTest::detectedDirsHonourXdg()
{
    // The test runner gives every test its own XDG directories.
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (config.isEmpty() || data.isEmpty())
        QSKIP("run through ctest, which sets XDG_CONFIG_HOME and XDG_DATA_HOME");
    const AppDirs dirs = AppDirs::detect();
    QCOMPARE(dirs.settingsFile(), config + "/Quorvex/Quorvex.ini");
    QCOMPARE(dirs.dataDir(), data + "/Quorvex");
    QCOMPARE(dirs.programDir(), QCoreApplication::applicationDirPath());
    QVERIFY(!dirs.tempDir().isEmpty());
}

QTEST_GUILESS_MAIN(FileHelpersTest)
#include "file_helpers_test.moc"
