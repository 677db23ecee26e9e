// SPDX-License-Identifier: GPL-3.0-or-later
// The password file is trusted only when nobody else could read or replace it.

#include "platform/password_file.h"
#include "support/file_with_mode.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

using namespace quorvex;

class PasswordFileTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString write(const QString& name, const QByteArray& content, mode_t mode)
    {
        return writeFileWithMode(m_dir.filePath(name), content, mode);
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void modes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("refusal"); // empty: accepted
        QTest::newRow("0600") << 0600 << QString();
        QTest::newRow("0400") << 0400 << QString();
        QTest::newRow("0700") << 0700 << QString();
        QTest::newRow("0644") << 0644 << "readable by others (mode 0644); make it 0600";
        QTest::newRow("0640") << 0640 << "readable by others (mode 0640); make it 0600";
        QTest::newRow("0604") << 0604 << "readable by others (mode 0604); make it 0600";
        QTest::newRow("0620") << 0620 << "writable by others (mode 0620); make it 0600";
        QTest::newRow("0610") << 0610 << "executable by others (mode 0610); make it 0600";
    }
    void modes()
    {
        QFETCH(int, mode);
        QFETCH(QString, refusal);
        const QString path = write("pw", "secret\n", mode_t(mode));
        const PasswordFile file = PasswordFile::read(path);
        if (refusal.isEmpty()) {
            QVERIFY2(file.ok(), qPrintable(file.refusal()));
            QCOMPARE(file.password(), QByteArray("secret"));
        } else {
            QVERIFY(!file.ok());
            QVERIFY(file.password().isEmpty());
            QCOMPARE(file.refusal(), "Password file " + path + ": " + refusal);
        }
    }

    void firstLineWithoutItsEnd_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("password");
        QTest::newRow("LF") << QByteArray("secret\nsecond line\n") << QByteArray("secret");
        QTest::newRow("CR LF") << QByteArray("secret\r\n") << QByteArray("secret");
        QTest::newRow("no line end") << QByteArray("secret") << QByteArray("secret");
        QTest::newRow("spaces kept") << QByteArray(" pass word \n") << QByteArray(" pass word ");
        QTest::newRow("empty file") << QByteArray() << QByteArray();
        QTest::newRow("empty first line") << QByteArray("\nsecret\n") << QByteArray();
        QByteArray longSecond(10000, 'x');
        QTest::newRow("long second line") << "short\n" + longSecond << QByteArray("short");
    }
    void firstLineWithoutItsEnd()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, password);
        const PasswordFile file = PasswordFile::read(write("lines", content, 0600));
        QVERIFY2(file.ok(), qPrintable(file.refusal()));
        QCOMPARE(file.password(), password);
    }

    void overlongFirstLineIsRefused()
    {
        // Cutting it would log in with a password nobody typed.
        const PasswordFile file = PasswordFile::read(write("long", QByteArray(5000, 'x'), 0600));
        QVERIFY(!file.ok());
        QVERIFY(file.refusal().endsWith("the first line is longer than 4096 bytes"));
    }

    void symlinkIsRefusedEvenToAGoodFile()
    {
        const QString target = write("target", "secret\n", 0600);
        const QString link = m_dir.filePath("link");
        QVERIFY(QFile::link(target, link));
        const PasswordFile file = PasswordFile::read(link);
        QVERIFY(!file.ok());
        QCOMPARE(file.refusal(),
                 "Password file " + link + ": a symbolic link; name the file itself");
    }

    void otherKindsAreRefused()
    {
        const QString dir = m_dir.filePath("dir");
        QVERIFY(QDir().mkdir(dir));
        ::chmod(QFile::encodeName(dir).constData(), 0700);
        QCOMPARE(PasswordFile::read(dir).refusal(),
                 "Password file " + dir + ": a directory, not a file");

        // Opening a pipe nobody writes to must not hang the program.
        const QString fifo = m_dir.filePath("fifo");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(PasswordFile::read(fifo).refusal(),
                 "Password file " + fifo + ": not a regular file");

        const QString missing = m_dir.filePath("missing");
        QCOMPARE(PasswordFile::read(missing).refusal(),
                 "Password file " + missing + ": No such file or directory");
        QVERIFY(!PasswordFile::read(QString()).ok());
    }

    void anotherOwnerIsRefused()
    {
        const QString path = write("owned", "secret\n", 0600);
        const uid_t me = ::geteuid();
        QVERIFY(PasswordFile::read(path, me).ok());
        const PasswordFile file = PasswordFile::read(path, me + 1);
        QVERIFY(!file.ok());
        QVERIFY(file.password().isEmpty());
        QCOMPARE(file.refusal(), QStringLiteral("Password file %1: owned by another user (uid "
                                                "%2, expected %3)")
                                     .arg(path)
                                     .arg(me)
                                     .arg(me + 1));
    }
};

QTEST_GUILESS_MAIN(PasswordFileTest)
#include "password_file_test.moc"
