// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drive_map.h"
#include "platform/settings_store.h"
#include "support/test_services.h"

#include <QtTest>

using namespace quorvex;

class DriveMapTest : public QObject
{
    Q_OBJECT

private slots:
    void driveTypes_data();
    void driveTypes();
    void parsedNetworkEntries();
    void hostPathOfLocalAndNetworkDrives();
    void hostPathResolvesCaseInsensitively();
    void hostPathNeverClimbsAboveTheRoot();
    void displayNames();
    void reverseMappingTakesLongestMatch();
    void defaultMap();
};

void DriveMapTest::driveTypes_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<int>("type");

    QTest::newRow("removable") << "removable:/media/a"
                               << "x:\\" << 2;
    QTest::newRow("removable, no medium") << "removable:"
                                          << "X:" << 2;
    QTest::newRow("fixed") << "fixed:/"
                           << "x:\\dir\\file.txt" << 3;
    QTest::newRow("network") << "network:FS1/DATA:"
                             << "x:\\" << 4;
    QTest::newRow("network, type in capitals") << "NETWORK:FS1/DATA:"
                                               << "x:\\" << 4;
    QTest::newRow("mapped root with mount") << "network:FS2/VOL1:APPS@/mnt/v"
                                            << "x:" << 4;
    QTest::newRow("cdrom, no medium") << "cdrom:"
                                      << "x:\\" << 5;
    QTest::newRow("ramdisk") << "ramdisk:/dev/shm"
                             << "x:\\" << 6;
    QTest::newRow("drive box text") << "network:FS1/DATA:"
                                    << "x: [FS1/DATA:]\\" << 4;
    QTest::newRow("unknown type") << "floppy:/a"
                                  << "x:\\" << 1;
    QTest::newRow("no colon") << "fixed"
                              << "x:\\" << 1;
    QTest::newRow("fixed without dir") << "fixed:"
                                       << "x:\\" << 1;
    QTest::newRow("relative dir") << "fixed:home/ann"
                                  << "x:\\" << 1;
    QTest::newRow("network without volume") << "network:FS1"
                                            << "x:\\" << 1;
    QTest::newRow("network, relative mount") << "network:FS1/DATA:@mnt"
                                             << "x:\\" << 1;
    QTest::newRow("network, .. in root") << "network:FS1/SYS:PUBLIC\\..\\X"
                                         << "x:\\" << 1;
    QTest::newRow("not a drive path") << "fixed:/"
                                      << "\\dir" << 1;
    QTest::newRow("empty question") << "fixed:/"
                                    << "" << 1;
}

void DriveMapTest::driveTypes()
{
    QFETCH(QString, value);
    QFETCH(QString, asked);
    QFETCH(int, type);
    TestServices t;
    t.mapDrive('X', value);
    QCOMPARE(static_cast<int>(t.drives.driveType(asked)), type);
    QCOMPARE(static_cast<int>(t.drives.driveType("Y:\\")), 1); // never mapped
}

void DriveMapTest::parsedNetworkEntries()
{
    TestServices t;
    t.mapDrive('g', "network:FS1/SYS:PUBLIC/UTIL@/mnt/fs1/sys");
    const auto entry = t.drives.entry('G');
    QVERIFY(entry);
    QCOMPARE(entry->letter, QChar('G'));
    QCOMPARE(entry->server, "FS1");
    QCOMPARE(entry->volume, "SYS");
    QCOMPARE(entry->volumePath, "PUBLIC\\UTIL");
    QCOMPARE(entry->hostDir, "/mnt/fs1/sys");
    QCOMPARE(entry->target, "FS1/SYS:PUBLIC/UTIL@/mnt/fs1/sys");
}

void DriveMapTest::hostPathOfLocalAndNetworkDrives()
{
    TestServices t;
    t.createFile("home/REPORTS/Q1.XLS");
    t.createFile("sim/DATA/REPORTS/Q1.XLS");
    t.createFile("sim/SYS/PUBLIC/UTIL/NLIST.EXE");
    t.mapDrive('H', "fixed:" + t.path("home"));
    t.mapDrive('A', "removable:");
    t.mapDrive('F', "network:FS1/DATA:");
    t.mapDrive('G', "network:FS1/SYS:PUBLIC");
    t.mapDrive('K', "network:FS9/DATA:");
    t.mapDrive('M', "network:FS2/VOL1:@" + t.path("home"));
    QStringList asked;
    t.drives.setVolumeLocator([&](const QString& server, const QString& volume) {
        asked << server + "/" + volume;
        return server == "FS1" ? t.path("sim/" + volume) : QString();
    });

    QCOMPARE(t.drives.hostPath("H:\\REPORTS\\Q1.XLS"), t.path("home/REPORTS/Q1.XLS"));
    QCOMPARE(t.drives.hostPath("h:/REPORTS/Q1.XLS"), t.path("home/REPORTS/Q1.XLS"));
    QCOMPARE(t.drives.hostPath("H:\\"), t.path("home"));
    QCOMPARE(t.drives.hostPath("F:\\REPORTS\\Q1.XLS"), t.path("sim/DATA/REPORTS/Q1.XLS"));
    QCOMPARE(t.drives.hostPath("G:\\UTIL\\NLIST.EXE"), t.path("sim/SYS/PUBLIC/UTIL/NLIST.EXE"));
    QCOMPARE(t.drives.hostPath("M:\\REPORTS"), t.path("home/REPORTS"));
    QVERIFY(!asked.contains("FS2/VOL1"));            // an explicit mount is not looked up
    QCOMPARE(t.drives.hostPath("K:\\X"), QString()); // volume not reachable
    QCOMPARE(t.drives.hostPath("A:\\X"), QString()); // no medium
    QCOMPARE(t.drives.hostPath("Q:\\X"), QString()); // not mapped
    QCOMPARE(t.drives.hostPath("REPORTS\\Q1.XLS"), QString());
    // A file that does not exist (yet) maps all the same.
    QCOMPARE(t.drives.hostPath("H:\\NEW\\OUT.TXT"), t.path("home/NEW/OUT.TXT"));
}

void DriveMapTest::hostPathResolvesCaseInsensitively()
{
    TestServices t;
    t.createFile("vol/Reports/Q1.xls");
    t.createFile("vol/Reports/q2.XLS");
    t.createFile("vol/public/Util/tool.exe");
    t.mapDrive('F', "network:FS1/DATA:@" + t.path("vol"));
    t.mapDrive('G', "network:FS1/SYS:PUBLIC\\UTIL@" + t.path("vol"));

    QCOMPARE(t.drives.hostPath("F:\\REPORTS\\Q1.XLS"), t.path("vol/Reports/Q1.xls"));
    QCOMPARE(t.drives.hostPath("f:\\reports\\Q2.xls"), t.path("vol/Reports/q2.XLS"));
    // The mapped root's own names resolve too.
    QCOMPARE(t.drives.hostPath("G:\\TOOL.EXE"), t.path("vol/public/Util/tool.exe"));
    // Where a name matches nothing, the rest stays as given.
    QCOMPARE(t.drives.hostPath("F:\\REPORTS\\NEW\\A.TXT"), t.path("vol/Reports/NEW/A.TXT"));

    // With both spellings present, the exact one is used.
    t.createFile("vol/Reports/Q1.XLS");
    QCOMPARE(t.drives.hostPath("F:\\Reports\\Q1.XLS"), t.path("vol/Reports/Q1.XLS"));
    QCOMPARE(t.drives.hostPath("F:\\Reports\\Q1.xls"), t.path("vol/Reports/Q1.xls"));
}

void DriveMapTest::hostPathNeverClimbsAboveTheRoot()
{
    TestServices t;
    t.createFile("vol/A/x.txt");
    t.mapDrive('F', "network:FS1/DATA:@" + t.path("vol"));
    t.mapDrive('G', "network:FS1/DATA:A@" + t.path("vol"));
    QCOMPARE(t.drives.hostPath("F:\\..\\..\\etc\\passwd"), t.path("vol/etc/passwd"));
    QCOMPARE(t.drives.hostPath("F:\\A\\.\\..\\A\\x.txt"), t.path("vol/A/x.txt"));
    QCOMPARE(t.drives.hostPath("G:\\..\\x.txt"), t.path("vol/A/x.txt"));
}

void DriveMapTest::displayNames()
{
    TestServices t;
    t.mapDrive('C', "fixed:/");
    t.mapDrive('A', "removable:");
    t.mapDrive('F', "network:FS1/DATA:");
    t.mapDrive('G', "network:FS1/SYS:PUBLIC@/mnt/sys");
    t.mapDrive('Z', "nonsense");
    QCOMPARE(t.drives.displayName('C'), "c: [/]");
    QCOMPARE(t.drives.displayName('a'), "a:");
    QCOMPARE(t.drives.displayName('F'), "f: [FS1/DATA:]");
    QCOMPARE(t.drives.displayName('G'), "g: [FS1/SYS:PUBLIC]");
    QCOMPARE(t.drives.displayName('Z'), "z:");
    QList<QChar> letters;
    for (const DriveEntry& e : t.drives.entries())
        letters << e.letter;
    QCOMPARE(letters, (QList<QChar>{'A', 'C', 'F', 'G'}));
}

void DriveMapTest::reverseMappingTakesLongestMatch()
{
    TestServices t;
    t.createFile("vol/DATA/REPORTS/Q1.XLS");
    t.mapDrive('C', "fixed:/");
    t.mapDrive('H', "fixed:" + t.path("vol"));
    t.mapDrive('F', "network:FS1/DATA:");
    t.mapDrive('E', "fixed:" + t.path("vol/DA")); // a prefix of a name, not a parent
    t.drives.setVolumeLocator([&](const QString&, const QString&) { return t.path("vol/DATA"); });

    QCOMPARE(t.drives.dosPathForHostPath(t.path("vol/DATA/REPORTS/Q1.XLS")), "F:\\REPORTS\\Q1.XLS");
    QCOMPARE(t.drives.dosPathForHostPath(t.path("vol/DATA")), "F:\\");
    QCOMPARE(t.drives.dosPathForHostPath(t.path("vol/other.txt")), "H:\\other.txt");
    QCOMPARE(t.drives.dosPathForHostPath(t.path("vol/DATAX/y")), "H:\\DATAX\\y");
    QCOMPARE(t.drives.dosPathForHostPath("/etc/passwd"), "C:\\etc\\passwd");

    t.mapDrive('C', "removable:");
    QCOMPARE(t.drives.dosPathForHostPath("/etc/passwd"), QString());
}

void DriveMapTest::defaultMap()
{
    TestServices t;
    QVERIFY(!t.settings->hasSection(DriveMap::kSection));
    writeDefaultDriveMap(*t.settings);
    QVERIFY(t.settings->sync());
    t.reopenSettings();
    QCOMPARE(t.settings->keys("Drives"), (QStringList{"C", "F", "G"}));
    QCOMPARE(t.drives.driveType("C:\\"), DriveType::Fixed);
    QCOMPARE(t.drives.displayName('F'), "f: [FS1/DATA:]");
    QCOMPARE(t.drives.displayName('G'), "g: [FS1/SYS:]");
}

QTEST_GUILESS_MAIN(DriveMapTest)
#include "drive_map_test.moc"
