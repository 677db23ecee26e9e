// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/activity_log.h"
#include "scan/prefix_index.h"
#include "scan/watch_stamps.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvex;

namespace {

const QDateTime kFirst(QDate(2004, 4, 21), QTime(14, 5, 9));
const QDateTime kSecond(QDate(2004, 4, 22), QTime(8, 30, 0));

QString readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<missing>");
    return QString::fromUtf8(file.readAll());
}

QString header(const QString& longPath, const QDateTime& at)
{
    return QStringLiteral("TIMESTAMP: ") + logHeaderDate(at) + QStringLiteral("   ") +
           logHeaderTime(at) + QStringLiteral("\r\nFILE: ") + longPath + QStringLiteral("\r\n");
}

QString line(const QString& kind, const QString& user, const QDateTime& at)
{
    return kind + QStringLiteral(": ") + user + logLineStamp(at) + QStringLiteral("\r\n");
}

// The rule the index must keep, written the slow way.
bool naiveAnyBeginsWith(const QStringList& lines, const QString& text)
{
    for (const QString& l : lines) {
        if (l.startsWith(text, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

class ActivityLogTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void fileNames_data();
    void fileNames();
    void stamps();
    void firstScanWritesHeaderAndIns_secondIdenticalWritesNothing();
    void annAndBobBecomeBobAndCarol();
    void bobbyLeavesWhileBobArrives();
    void overwriteStartsAfreshThenAppendFollows();
    void unwritableLogStillTracksUsers();
    void changedPreviousListIsReindexed();
    void prefixIndexKeepsTheRule();
    void keysIgnoreCase_data();
    void keysIgnoreCase();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString path_;
};

void ActivityLogTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    path_ = dir_->filePath(QStringLiteral("REPORT.txt"));
}

void ActivityLogTest::fileNames_data()
{
    QTest::addColumn<QString>("scanned");
    QTest::addColumn<QString>("log");
    QTest::newRow("extension") << "REPORT.DOC"
                               << "REPORT.txt";
    QTest::newRow("two dots") << "q1.2004.xls"
                              << "q1.txt";
    QTest::newRow("no dot keeps its log") << "README"
                                          << "README.txt";
}

void ActivityLogTest::fileNames()
{
    QFETCH(QString, scanned);
    QFETCH(QString, log);
    QCOMPARE(ActivityLog::fileNameFor(scanned), log);
}

void ActivityLogTest::stamps()
{
    // The C locale spells its month out: "/" and ":" stand in.
    const QLocale c = QLocale::c();
    QCOMPARE(logHeaderTime(kFirst, c), QStringLiteral("02:05:09 pm"));
    QCOMPARE(logLineStamp(kFirst, c), QStringLiteral("   04/21/04   02:05:09 pm"));
    QCOMPARE(messageStamp(kSecond, c), QStringLiteral("08:30 am, 04/22/04"));
    QCOMPARE(messageStamp(QDateTime(QDate(2004, 1, 2), QTime(0, 15)), c),
             QStringLiteral("12:15 am, 01/02/04"));
    // The numbers are parted by the locale's own separators.
    const QLocale finnish(QLocale::Finnish, QLocale::Finland);
    QCOMPARE(logHeaderTime(kFirst, finnish), QStringLiteral("02.05.09 pm"));
    QCOMPARE(logLineStamp(kFirst, finnish), QStringLiteral("   04.21.04   02.05.09 pm"));
    QCOMPARE(messageStamp(kSecond, QLocale(QLocale::Swedish, QLocale::Sweden)),
             QStringLiteral("08:30 am, 04-22-04"));
}

void ActivityLogTest::firstScanWritesHeaderAndIns_secondIdenticalWritesNothing()
{
    ActivityLog log;
    QStringList previous;
    const QStringList users{QStringLiteral("ANN"), QStringLiteral("BOB")};
    log.write(path_, QStringLiteral("F:\\Reports\\Report.doc"), users, previous, false, kFirst);
    const QString first = header(QStringLiteral("F:\\REPORTS\\REPORT.DOC"), kFirst) +
                          line(QStringLiteral("IN"), QStringLiteral("ANN"), kFirst) +
                          line(QStringLiteral("IN"), QStringLiteral("BOB"), kFirst);
    QCOMPARE(readAll(path_), first);
    QCOMPARE(previous, users);

    log.write(path_, QStringLiteral("F:\\Reports\\Report.doc"), users, previous, false, kSecond);
    QCOMPARE(readAll(path_), first);
    QCOMPARE(previous, users);
}

void ActivityLogTest::annAndBobBecomeBobAndCarol()
{
    ActivityLog log;
    QStringList previous{QStringLiteral("ANN"), QStringLiteral("BOB")};
    QFile(path_).open(QIODevice::WriteOnly); // an existing, empty log: no header
    const QStringList users{QStringLiteral("BOB"), QStringLiteral("CAROL")};
    log.write(path_, QStringLiteral("F:\\X.DOC"), users, previous, false, kSecond);
    QCOMPARE(readAll(path_), line(QStringLiteral("IN"), QStringLiteral("CAROL"), kSecond) +
                                 line(QStringLiteral("OUT"), QStringLiteral("ANN"), kSecond));
    QCOMPARE(previous, users);
}

void ActivityLogTest::bobbyLeavesWhileBobArrives()
{
    ActivityLog log;
    // BOB is not IN (a previous line begins with "bob", case ignored); BOBBY is OUT.
    QStringList previous{QStringLiteral("bobby")};
    QFile(path_).open(QIODevice::WriteOnly);
    log.write(path_, QStringLiteral("F:\\X.DOC"), {QStringLiteral("BOB")}, previous, false,
              kSecond);
    QCOMPARE(readAll(path_), line(QStringLiteral("OUT"), QStringLiteral("bobby"), kSecond));
    QCOMPARE(previous, QStringList{QStringLiteral("BOB")});
}

void ActivityLogTest::overwriteStartsAfreshThenAppendFollows()
{
    ActivityLog log;
    {
        QFile old(path_);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old lines that must go\r\n");
    }
    QStringList previous{QStringLiteral("ZED")};
    const QStringList users{QStringLiteral("ANN"), QStringLiteral("BOB")};
    log.write(path_, QStringLiteral("F:\\X.DOC"), users, previous, true, kFirst);
    const QString fresh = header(QStringLiteral("F:\\X.DOC"), kFirst) +
                          line(QStringLiteral("IN"), QStringLiteral("ANN"), kFirst) +
                          line(QStringLiteral("IN"), QStringLiteral("BOB"), kFirst);
    QCOMPARE(readAll(path_), fresh);
    QCOMPARE(previous, QStringList{QStringLiteral("ZED")}); // overwrite leaves it alone

    log.write(path_, QStringLiteral("F:\\X.DOC"), {QStringLiteral("ANN")}, previous, false,
              kSecond);
    QCOMPARE(readAll(path_), fresh + line(QStringLiteral("IN"), QStringLiteral("ANN"), kSecond) +
                                 line(QStringLiteral("OUT"), QStringLiteral("ZED"), kSecond));
}

void ActivityLogTest::unwritableLogStillTracksUsers()
{
    ActivityLog log;
    const QString inMissingDir = dir_->filePath(QStringLiteral("no/such/dir/X.txt"));
    QStringList previous;
    log.write(inMissingDir, QStringLiteral("F:\\X.DOC"), {QStringLiteral("ANN")}, previous, false,
              kFirst);
    QCOMPARE(previous, QStringList{QStringLiteral("ANN")});
    QVERIFY(!QFile::exists(inMissingDir));
}

void ActivityLogTest::changedPreviousListIsReindexed()
{
    // The index of the previous users is kept from one scan to the next; a list
    // changed in between must not be answered from the old index.
    ActivityLog log;
    QStringList previous{QStringLiteral("ANN")};
    const QStringList both{QStringLiteral("ANN"), QStringLiteral("BOB")};
    QFile(path_).open(QIODevice::WriteOnly);
    log.write(path_, QStringLiteral("F:\\X.DOC"), both, previous, false, kFirst);
    previous.removeLast(); // BOB is no longer a previous user
    log.write(path_, QStringLiteral("F:\\X.DOC"), both, previous, false, kSecond);
    QCOMPARE(readAll(path_), line(QStringLiteral("IN"), QStringLiteral("BOB"), kFirst) +
                                 line(QStringLiteral("IN"), QStringLiteral("BOB"), kSecond));
}

void ActivityLogTest::prefixIndexKeepsTheRule()
{
    // Short random names over a small alphabet give many prefix relations.
    auto* random = QRandomGenerator::global();
    auto name = [random] {
        QString s;
        const int length = 1 + random->bounded(4);
        for (int i = 0; i < length; ++i)
            s += QStringLiteral("ab\u00e9AB\u00c9\u212ak").mid(random->bounded(8), 1);
        return s;
    };
    for (int round = 0; round < 20; ++round) {
        QStringList lines;
        for (int i = 0; i < 30; ++i)
            lines.append(name());
        const PrefixIndex index(lines);
        for (int q = 0; q < 50; ++q) {
            const QString text = name();
            QCOMPARE(index.anyLineBeginsWith(text), naiveAnyBeginsWith(lines, text));
        }
    }
    QVERIFY(!PrefixIndex(QStringList()).anyLineBeginsWith(QStringLiteral("A")));
}

void ActivityLogTest::keysIgnoreCase_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("equal");
    QTest::newRow("ascii") << "jSmith"
                           << "JSMITH" << true;
    QTest::newRow("accented") << QStringLiteral("ren\u00e9") << QStringLiteral("REN\u00c9") << true;
    QTest::newRow("kelvin sign is k") << QStringLiteral("\u212a") << "k" << true;
    QTest::newRow("different") << "ANN"
                               << "ANNE" << false;
}

void ActivityLogTest::keysIgnoreCase()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, equal);
    QCOMPARE(a.compare(b, Qt::CaseInsensitive) == 0, equal);
    QCOMPARE(PrefixIndex::key(a) == PrefixIndex::key(b), equal);
}

QTEST_GUILESS_MAIN(ActivityLogTest)
#include "activity_log_test.moc"
