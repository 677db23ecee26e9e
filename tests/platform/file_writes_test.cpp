// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_writes.h"
#include "support/small_file_system.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace quorvex;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

class FileWritesTest : public QObject
{
    Q_OBJECT

private slots:
    void fullDiskLeavesEveryFileAsItWas();
};

void FileWritesTest::fullDiskLeavesEveryFileAsItWas()
{
    SmallFileSystem disk;
    if (!disk.isMounted())
        QSKIP(qPrintable(disk.whyNot()));
    QTemporaryDir elsewhere;
    const QString source = elsewhere.filePath(QStringLiteral("prepared.db"));
    QVERIFY(writeAll(source, QByteArray(20000, 'p')));
    const QString replaced = disk.filePath(QStringLiteral("replaced.ini"));
    const QString appended = disk.filePath(QStringLiteral("appended.txt"));
    const QString copied = disk.filePath(QStringLiteral("copied.db"));
    // 4,080 bytes: the appended block fits the last page in part, then the
    // disk is full in the middle of it.
    const QByteArray oldLog(4080, 'a');
    QVERIFY(writeAll(replaced, "[Options]\nSeconds=10\n"));
    QVERIFY(writeAll(appended, oldLog));
    QVERIFY(writeAll(copied, "old copy\n"));
    QVERIFY(disk.fill());

    QString error;
    QVERIFY(!replaceFile(replaced, "[Options]\nSeconds=20\n", &error));
    QVERIFY2(error.startsWith(replaced + QStringLiteral(": ")), qPrintable(error));
    QCOMPARE(readAll(replaced), QByteArray("[Options]\nSeconds=10\n"));
    error.clear();
    QVERIFY(!appendToFile(appended, QByteArray(100, 'b'), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readAll(appended), oldLog);
    QVERIFY(!appendToFile(disk.filePath(QStringLiteral("new.txt")), QByteArray(100, 'b')));
    error.clear();
    QVERIFY(!copyFileReplacing(source, copied, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readAll(copied), QByteArray("old copy\n"));
    // Nothing half-written is left beside them.
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             (QStringList{QStringLiteral(".filler"), QStringLiteral("appended.txt"),
                          QStringLiteral("copied.db"), QStringLiteral("replaced.ini")}));

    disk.unfill();
    QVERIFY(replaceFile(replaced, "[Options]\nSeconds=20\n"));
    QCOMPARE(readAll(replaced), QByteArray("[Options]\nSeconds=20\n"));
    QVERIFY(appendToFile(appended, "b"));
    QCOMPARE(readAll(appended), oldLog + "b");
    QVERIFY(copyFileReplacing(source, copied));
    QCOMPARE(readAll(copied), QByteArray(20000, 'p'));
}

QTEST_GUILESS_MAIN(FileWritesTest)
#include "file_writes_test.moc"
