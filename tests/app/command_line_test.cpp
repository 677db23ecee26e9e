// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"
#include "app/command_line_jobs.h"

#include <QtTest>

using quorvex::CommandLineJobKind;

class CommandLineTest : public QObject
{
    Q_OBJECT
private slots:
    void grammar_data();
    void grammar();
    void joinsArgumentsWithSingleBlanks();
    void outputStampIsTwelveHourWithAmPm();
};

void CommandLineTest::grammar_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("output");

    const auto add = [](const char* name, const char* line, CommandLineJobKind kind,
                        const char* file, const char* output = "") {
        QTest::newRow(name) << QString::fromUtf8(line) << int(kind) << QString::fromUtf8(file)
                            << QString::fromUtf8(output);
    };
    add("empty", "", CommandLineJobKind::None, "");
    add("blanks only", "   ", CommandLineJobKind::None, "");
    add("/p", "/p", CommandLineJobKind::None, "");
    add("/p with blanks around", "  /p ", CommandLineJobKind::None, "");
    add("/P is a file name", "/P", CommandLineJobKind::Scan, "/P");
    add("rescan", "F:\\DB\\A.MDB -t", CommandLineJobKind::ScanAndRescan, "F:\\DB\\A.MDB");
    add("rescan upper case", "F:\\DB\\A.MDB -T", CommandLineJobKind::ScanAndRescan,
        "F:\\DB\\A.MDB");
    add("blanks before the switch are no part of the name", "F:\\DB\\A.MDB   -t",
        CommandLineJobKind::ScanAndRescan, "F:\\DB\\A.MDB");
    add("-t without blank is a name", "F:\\DB\\A.MDB-t", CommandLineJobKind::Scan,
        "F:\\DB\\A.MDB-t");
    add("clear", "F:\\A.DOC -c", CommandLineJobKind::ScanAndClear, "F:\\A.DOC");
    add("clear and end", "F:\\A.DOC -ce", CommandLineJobKind::ScanClearAndEnd, "F:\\A.DOC");
    add("blanks before -c", "F:\\A.DOC  -c", CommandLineJobKind::ScanAndClear, "F:\\A.DOC");
    add("blanks before -ce", "F:\\A.DOC  -ce", CommandLineJobKind::ScanClearAndEnd, "F:\\A.DOC");
    add("clear and end upper", "F:\\A.DOC -CE", CommandLineJobKind::ScanClearAndEnd, "F:\\A.DOC");
    add("write", "F:\\A.DOC > /tmp/out.txt", CommandLineJobKind::ScanAndWrite, "F:\\A.DOC",
        "/tmp/out.txt");
    add("write cut at the first >", "F:\\A.DOC  >  C:\\X > Y", CommandLineJobKind::ScanAndWrite,
        "F:\\A.DOC", "C:\\X > Y");
    add("append", "F:\\A.DOC >> out.txt", CommandLineJobKind::ScanAndAppend, "F:\\A.DOC",
        "out.txt");
    add("write wins over append", "F:\\A >> B > C", CommandLineJobKind::ScanAndWrite, "F:\\A >> B",
        "C");
    add("switch at the end wins over >", "F:\\A > B -t", CommandLineJobKind::ScanAndRescan,
        "F:\\A > B");
    add("lock set", "-ue", CommandLineJobKind::ClearLockSet, "");
    add("lock set after a name", "F:\\A.DOC -UE", CommandLineJobKind::ClearLockSet, "");
    add("> before -ue", "F:\\A > B-ue", CommandLineJobKind::ScanAndWrite, "F:\\A", "B-ue");
    add("plain", "F:\\REPORTS\\Q1.XLS", CommandLineJobKind::Scan, "F:\\REPORTS\\Q1.XLS");
    add("short -ce", "-ce", CommandLineJobKind::ScanClearAndEnd, "");
}

void CommandLineTest::grammar()
{
    QFETCH(QString, line);
    QFETCH(int, kind);
    QFETCH(QString, file);
    QFETCH(QString, output);
    const quorvex::CommandLineJob job = quorvex::parseCommandLine(line);
    QCOMPARE(int(job.kind), kind);
    QCOMPARE(job.fileName, file);
    QCOMPARE(job.outputFile, output);
}

void CommandLineTest::joinsArgumentsWithSingleBlanks()
{
    QCOMPARE(quorvex::joinCommandLine(
                 {QStringLiteral("F:\\A.DOC"), QStringLiteral(">"), QStringLiteral("/tmp/x")}),
             QStringLiteral("F:\\A.DOC > /tmp/x"));
    QCOMPARE(quorvex::joinCommandLine({QStringLiteral(" F:\\A.DOC"), QStringLiteral("-t ")}),
             QStringLiteral("F:\\A.DOC -t"));
    QCOMPARE(quorvex::joinCommandLine({}), QString());
}

void CommandLineTest::outputStampIsTwelveHourWithAmPm()
{
    using quorvex::CommandLineJobs;
    const QDate day(2004, 3, 7);
    QCOMPARE(CommandLineJobs::outputStamp(QDateTime(day, QTime(13, 5, 9))),
             QStringLiteral("03/07/2004 01:05:09 pm"));
    QCOMPARE(CommandLineJobs::outputStamp(QDateTime(day, QTime(0, 15, 0))),
             QStringLiteral("03/07/2004 12:15:00 am"));
    QCOMPARE(CommandLineJobs::outputStamp(QDateTime(day, QTime(12, 0, 0))),
             QStringLiteral("03/07/2004 12:00:00 pm"));
    QCOMPARE(CommandLineJobs::outputStamp(QDateTime(QDate(2026, 12, 31), QTime(9, 59, 59))),
             QStringLiteral("12/31/2026 09:59:59 am"));
}

QTEST_APPLESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
