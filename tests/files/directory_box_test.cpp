// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/directory_box.h"
#include "platform/drive_map.h"
#include "support/shell_world.h"

#include <QSignalSpy>
#include <QtTest>

using quorvex::DirectoryBox;
using quorvex::test::ShellWorld;

class DirectoryBoxTest : public QObject
{
    Q_OBJECT
private slots:
    void resolvesPathsAgainstTheCurrentDirectory();
    void failsOnUnreadableDirectoriesKeepingItsValue();
    void spellsNamesAsTheHostDoes();
    void showsSubdirectoriesAndOpensThem();
};

void DirectoryBoxTest::resolvesPathsAgainstTheCurrentDirectory()
{
    ShellWorld world;
    world.makeDir(QStringLiteral("c/Reports/2004"));
    world.makeDir(QStringLiteral("c/Memos"));
    DirectoryBox box;
    box.setDriveMap(&world.drives());
    QVERIFY(!box.setPath(QStringLiteral("\\"))); // no drive yet
    QVERIFY(box.setPath(QStringLiteral("c:")));
    QCOMPARE(box.path(), QStringLiteral("C:\\"));
    QVERIFY(box.setPath(QStringLiteral("Reports\\2004\\")));
    QCOMPARE(box.path(), QStringLiteral("C:\\Reports\\2004"));
    QVERIFY(box.setPath(QStringLiteral("..\\..\\..\\Memos")));
    QCOMPARE(box.path(), QStringLiteral("C:\\Memos")); // ".." stops at the root
    QVERIFY(box.setPath(QStringLiteral("\\")));
    QCOMPARE(box.path(), QStringLiteral("C:\\"));
}

void DirectoryBoxTest::failsOnUnreadableDirectoriesKeepingItsValue()
{
    ShellWorld world;
    world.makeDir(QStringLiteral("c/Reports"));
    world.makeFile(QStringLiteral("c/file.txt"));
    world.mapDrive(QLatin1Char('A'), QStringLiteral("removable:"));
    DirectoryBox box;
    box.setDriveMap(&world.drives());
    QVERIFY(box.setPath(QStringLiteral("C:\\Reports")));
    QSignalSpy changed(&box, &DirectoryBox::pathChanged);
    QVERIFY(!box.setPath(QStringLiteral("A:\\")));         // no medium
    QVERIFY(!box.setPath(QStringLiteral("Q:\\")));         // not mapped
    QVERIFY(!box.setPath(QStringLiteral("C:\\Missing")));  // gone
    QVERIFY(!box.setPath(QStringLiteral("C:\\file.txt"))); // not a directory
    QCOMPARE(box.path(), QStringLiteral("C:\\Reports"));
    QCOMPARE(changed.count(), 0);
    QVERIFY(box.setPath(QStringLiteral("c:\\reports"))); // same place: no change
    QCOMPARE(changed.count(), 0);
}

void DirectoryBoxTest::spellsNamesAsTheHostDoes()
{
    ShellWorld world;
    world.makeDir(QStringLiteral("c/Reports/Q1"));
    DirectoryBox box;
    box.setDriveMap(&world.drives());
    QVERIFY(box.setPath(QStringLiteral("C:\\REPORTS\\q1")));
    QCOMPARE(box.path(), QStringLiteral("C:\\Reports\\Q1"));
}

void DirectoryBoxTest::showsSubdirectoriesAndOpensThem()
{
    ShellWorld world;
    world.makeDir(QStringLiteral("c/Reports/beta"));
    world.makeDir(QStringLiteral("c/Reports/Alpha"));
    world.makeFile(QStringLiteral("c/Reports/notadir.txt"));
    DirectoryBox box;
    box.setDriveMap(&world.drives());
    QVERIFY(box.setPath(QStringLiteral("C:\\Reports")));
    QTreeWidgetItem* current = box.currentItem();
    QVERIFY(current);
    QCOMPARE(current->text(0), QStringLiteral("Reports"));
    QCOMPARE(current->childCount(), 2);
    QCOMPARE(current->child(0)->text(0), QStringLiteral("Alpha"));
    QCOMPARE(current->child(1)->text(0), QStringLiteral("beta"));
    QCOMPARE(box.topLevelItem(0)->text(0), QStringLiteral("C:\\"));

    QSignalSpy changed(&box, &DirectoryBox::pathChanged);
    box.resize(300, 300);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QPoint beta = box.visualItemRect(current->child(1)).center();
    QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, beta); // a double-click's first half
    QTest::mouseDClick(box.viewport(), Qt::LeftButton, {}, beta);
    QTRY_COMPARE(box.path(), QStringLiteral("C:\\Reports\\beta"));
    QCOMPARE(changed.count(), 1);
    emit box.itemActivated(box.topLevelItem(0), 0);
    QTRY_COMPARE(box.path(), QStringLiteral("C:\\"));
}

QTEST_MAIN(DirectoryBoxTest)
#include "directory_box_test.moc"
