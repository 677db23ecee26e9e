// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drive_map.h"
#include "platform/settings_store.h"
#include "support/small_file_system.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using namespace quorvex;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class SettingsStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QFile::remove(file());
    }
    void readsPlainIni();
    void writesValuesVerbatimAndKeepsOrder();
    void roundTrip_data();
    void roundTrip();
    void refusesWhatWouldBreakTheFile();
    void damagedFileReadsWhatItCan();
    void unreadableFileIsNeverReplaced();
    void missingFileIsCreated();
    void unchangedStoreDoesNotRewrite();
    void everyLineEndReadsAlike();
    void fileThatIsNoTextIsRefused_data();
    void fileThatIsNoTextIsRefused();
    void rewriteKeepsCommentsAndBacksUpWhatItWouldDrop();
    void fullDiskKeepsTheOldFile();

private:
    QString file() const { return m_dir.filePath("Quorvex.ini"); }
    QTemporaryDir m_dir;
};

void SettingsStoreTest::readsPlainIni()
{
    writeAll(file(), "; a comment\n"
                     "[Options]\n"
                     "Path_0=F:\\REPORTS\\Q1.XLS\n"
                     "# another comment\n"
                     "Pattern_0=*.XLS, *.DOC\n"
                     "Seconds=\n"
                     "just a line\n"
                     "Formula=a=b=c\n"
                     "  Spaced  = leading blank kept\n"
                     "Windows=crlf\r\n"
                     "\n"
                     "[Drives]\n"
                     "F=network:FS1/DATA:\n");
    const SettingsStore store(file());
    QCOMPARE(store.loadStatus(), SettingsStore::LoadStatus::Loaded);
    QCOMPARE(store.value("Options", "Path_0"), "F:\\REPORTS\\Q1.XLS");
    QCOMPARE(store.value("Options", "Pattern_0"), "*.XLS, *.DOC");
    QVERIFY(store.contains("Options", "Seconds"));
    QCOMPARE(store.value("Options", "Seconds", "10"), QString(""));
    QCOMPARE(store.value("Options", "Formula"), "a=b=c");
    QCOMPARE(store.value("Options", "Spaced"), " leading blank kept");
    QCOMPARE(store.value("Options", "Windows"), "crlf");
    QCOMPARE(store.value("options", "PATH_0"), "F:\\REPORTS\\Q1.XLS"); // names ignore case
    QCOMPARE(store.value("Options", "Missing", "dflt"), "dflt");
    QVERIFY(!store.contains("Options", "just a line"));
    QCOMPARE(store.keys("Options"),
             (QStringList{"Path_0", "Pattern_0", "Seconds", "Formula", "Spaced", "Windows"}));
    QVERIFY(store.hasSection("Drives"));
    QVERIFY(!store.hasSection("Servers"));
    QVERIFY(store.keys("Servers").isEmpty());
}

void SettingsStoreTest::writesValuesVerbatimAndKeepsOrder()
{
    writeAll(file(), "[Options]\nZeta=1\nAlpha=2\n");
    SettingsStore store(file());
    store.setValue("Options", "Path_0", "F:\\REPORTS\\Q1,Q2.XLS");
    store.setValue("Options", "ALPHA", "3"); // same key, other case: keeps its place and name
    store.setValue("Options", "Seconds", "");
    store.setValue("Drives", "F", "network:FS1/DATA:");
    QVERIFY(store.sync());
    QCOMPARE(readAll(file()), QByteArray("[Options]\n"
                                         "Zeta=1\n"
                                         "Alpha=3\n"
                                         "Path_0=F:\\REPORTS\\Q1,Q2.XLS\n"
                                         "Seconds=\n"
                                         "\n"
                                         "[Drives]\n"
                                         "F=network:FS1/DATA:\n"));
}

void SettingsStoreTest::roundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("backslashes") << "\\\\server\\vol\\a b";
    QTest::newRow("commas and quotes") << "\"a\", 'b', c";
    QTest::newRow("equals and semicolon") << "x=1; y=2 # z";
    QTest::newRow("blanks around") << "  padded  ";
    QTest::newRow("empty") << "";
    QTest::newRow("unicode") << "Zürich – 東京";
    QTest::newRow("brackets") << "[NotASection]";
    QTest::newRow("comment mark first") << ";not a comment";
}

void SettingsStoreTest::roundTrip()
{
    QFETCH(QString, value);
    {
        SettingsStore store(file());
        store.setValue("Options", "Key", value);
        QCOMPARE(store.value("Options", "Key"), value);
        QVERIFY(store.sync());
    }
    const SettingsStore again(file());
    QCOMPARE(again.value("Options", "Key", "missing"), value);
    QCOMPARE(again.keys("Options"), QStringList{"Key"});
}

void SettingsStoreTest::refusesWhatWouldBreakTheFile()
{
    {
        SettingsStore store(file());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("refused"));
        store.setValue("Options", "a=b", "x");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("refused"));
        store.setValue("Options", "[Drives]", "x");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("refused"));
        store.setValue("Bad]Section", "k", "x");
        // A file name may hold a line break; it must not forge a key.
        store.setValue("Options", "Path_0", "F:\\A\n[Drives]\nC=fixed:/etc");
        QVERIFY(store.sync());
    }
    const SettingsStore again(file());
    QCOMPARE(again.sections(), QStringList{"Options"});
    QCOMPARE(again.keys("Options"), QStringList{"Path_0"});
    QCOMPARE(again.value("Options", "Path_0"), "F:\\A [Drives] C=fixed:/etc");
}

void SettingsStoreTest::damagedFileReadsWhatItCan()
{
    writeAll(file(), "\xEF\xBB\xBF[Options]\nGood=1\n\x01\x02\xFF\xFE garbage\n[Broken\n=nokey\n"
                     "Name=caf\xE9\nAlso=2");
    SettingsStore store(file());
    QCOMPARE(store.loadStatus(), SettingsStore::LoadStatus::Loaded);
    QCOMPARE(store.value("Options", "Good"), "1");
    // Not UTF-8, so Latin-1, as an older editor saved it.
    QCOMPARE(store.value("Options", "Name"), QString::fromUtf8("caf\u00E9"));
    QVERIFY(store.keys("Options").contains("Also"));
    store.setValue("Options", "New", "4");
    QVERIFY(store.sync());
    const SettingsStore again(file());
    QCOMPARE(again.value("Options", "Good"), "1");
    QCOMPARE(again.value("Options", "New"), "4");
}

void SettingsStoreTest::unreadableFileIsNeverReplaced()
{
    // A directory where the file should be: it exists, but can't be read.
    QVERIFY(QDir().mkpath(file()));
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot be read"));
        SettingsStore store(file());
        QCOMPARE(store.loadStatus(), SettingsStore::LoadStatus::Unreadable);
        store.setValue("Options", "Other", "2");
        QCOMPARE(store.value("Options", "Other"), "2"); // the run goes on with it in memory
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not written"));
        QVERIFY(!store.sync());
    }
    QVERIFY(QDir().rmdir(file()));

    if (::geteuid() == 0)
        QSKIP("running as root, which reads files without read permission");
    writeAll(file(), "[Options]\nSecret=1\n");
    QFile::setPermissions(file(), QFileDevice::WriteOwner);
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot be read"));
        SettingsStore store(file());
        QCOMPARE(store.loadStatus(), SettingsStore::LoadStatus::Unreadable);
        store.setValue("Options", "Other", "2");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not written"));
        QVERIFY(!store.sync());
    }
    QFile::setPermissions(file(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(readAll(file()), QByteArray("[Options]\nSecret=1\n"));
}

void SettingsStoreTest::missingFileIsCreated()
{
    const QString nested = m_dir.filePath("config/Quorvex/Quorvex.ini");
    SettingsStore store(nested);
    QCOMPARE(store.loadStatus(), SettingsStore::LoadStatus::Missing);
    QVERIFY(!store.hasSection("Drives"));
    store.setValue("Drives", "C", "fixed:/");
    QVERIFY(store.sync());
    QCOMPARE(readAll(nested), QByteArray("[Drives]\nC=fixed:/\n"));
}

void SettingsStoreTest::unchangedStoreDoesNotRewrite()
{
    // Comments need not survive a write, but a run that changed nothing keeps them.
    const QByteArray original("; kept\n[Options]\nA=1\n");
    writeAll(file(), original);
    SettingsStore store(file());
    store.setValue("Options", "A", "1");
    QVERIFY(!store.isDirty());
    QVERIFY(store.sync());
    QCOMPARE(readAll(file()), original);
}

void SettingsStoreTest::everyLineEndReadsAlike()
{
    // LF, CR LF (a Windows editor) and CR alone (an old Mac editor).
    for (const QByteArray& end : {QByteArray("\n"), QByteArray("\r\n"), QByteArray("\r")}) {
        writeAll(file(), "[Drives]" + end + "F=network:FS1/DATA:" + end + end + "[Servers]" + end +
                             "FS1=sim:/srv/FS1.json" + end);
        const SettingsStore store(file());
        QCOMPARE(store.value("Drives", "F"), "network:FS1/DATA:");
        QCOMPARE(store.value("Servers", "FS1"), "sim:/srv/FS1.json");
        QCOMPARE(store.keys("Drives"), QStringList{"F"});
    }
}

void SettingsStoreTest::fileThatIsNoTextIsRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QByteArray utf16("\xFF\xFE");
    for (const char c : QByteArray("[Drives]\r\nF=network:FS1/DATA:\r\n"))
        utf16.append(c).append('\0');
    QTest::newRow("UTF-16") << utf16 << "not UTF-8 or Latin-1 text";
    // Sparse: the size alone refuses it, nothing is read.
    QTest::newRow("too large") << QByteArray() << "too large";
}

void SettingsStoreTest::fileThatIsNoTextIsRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    if (bytes.isEmpty()) {
        QFile sparse(file());
        QVERIFY(sparse.open(QIODevice::WriteOnly));
        QVERIFY(sparse.resize(SettingsStore::kMaxFileBytes + 1));
    } else {
        writeAll(file(), bytes);
    }
    const QByteArray before = readAll(file());
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot be read"));
        SettingsStore store(file());
        QCOMPARE(store.loadStatus(), SettingsStore::LoadStatus::Unreadable);
        QVERIFY2(store.loadError().contains(reason), qPrintable(store.loadError()));
        QVERIFY(!store.hasSection("Drives")); // the run starts from the defaults
        writeDefaultDriveMap(store);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not written"));
        QVERIFY(!store.sync());
    }
    QVERIFY(readAll(file()) == before);
}

void SettingsStoreTest::rewriteKeepsCommentsAndBacksUpWhatItWouldDrop()
{
    writeAll(file(), "; my drives\n[Drives]\nF=network:FS1/DATA:\n# old: G=fixed:/tmp\n"
                     "a line a person wrote\n[Options]\nSeconds=5\n");
    SettingsStore store(file());
    store.setValue("Options", "Seconds", "6");
    QVERIFY(store.sync());
    QCOMPARE(readAll(file()), QByteArray("; my drives\n\n[Drives]\nF=network:FS1/DATA:\n"
                                         "# old: G=fixed:/tmp\na line a person wrote\n\n"
                                         "[Options]\nSeconds=6\n"));
    QVERIFY(!QFile::exists(file() + ".bak"));

    // Another program adds to the file meanwhile; this write would drop that.
    const QByteArray theirs = readAll(file()) + "[Servers]\nFS2=sim:/srv/FS2.json\n";
    writeAll(file(), theirs);
    store.setValue("Options", "Seconds", "7");
    QVERIFY(store.sync());
    QCOMPARE(readAll(file() + ".bak"), theirs);
    QVERIFY(readAll(file()).contains("Seconds=7"));
}

void SettingsStoreTest::fullDiskKeepsTheOldFile()
{
    SmallFileSystem disk;
    if (!disk.isMounted())
        QSKIP(qPrintable(disk.whyNot()));
    const QString path = disk.filePath("Quorvex.ini");
    const QByteArray original("[Options]\nSeconds=5\n");
    writeAll(path, original);
    SettingsStore store(path);
    store.setValue("Options", "Path_0", "F:\\DB\\ORDERS.MDB"); // a few bytes: Qt would buffer them
    QVERIFY(disk.fill());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not written"));
    QVERIFY(!store.sync());
    QVERIFY2(store.writeError().startsWith(path), qPrintable(store.writeError()));
    QCOMPARE(readAll(path), original);
    QVERIFY(store.isDirty());
    disk.unfill();
    QVERIFY(store.sync());
    QVERIFY(store.writeError().isEmpty());
    QVERIFY(readAll(path).contains("Path_0=F:\\DB\\ORDERS.MDB"));
}

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "settings_store_test.moc"
