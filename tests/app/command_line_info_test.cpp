// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line_info.h"

#include <QTemporaryFile>
#include <QTest>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

using quorvex::InfoOption;

Q_DECLARE_METATYPE(InfoOption)
Q_DECLARE_METATYPE(std::optional<int>)

namespace {

// Runs handle with standard output sent to the file at path, and gives back
// what it returned.
template <typename Handle> std::optional<int> withStdoutTo(const QByteArray& path, Handle handle)
{
    std::fflush(stdout);
    const int saved = ::dup(STDOUT_FILENO);
    const int target = ::open(path.constData(), O_WRONLY | O_TRUNC);
    if (saved < 0 || target < 0)
        qFatal("cannot redirect standard output to %s", path.constData());
    ::dup2(target, STDOUT_FILENO);
    ::close(target);
    const std::optional<int> status = handle();
    std::fflush(stdout);
    std::clearerr(stdout);
    ::dup2(saved, STDOUT_FILENO);
    ::close(saved);
    return status;
}

std::optional<int> handleWithStdoutTo(const QString& commandLine, const QByteArray& path)
{
    return withStdoutTo(path, [&] { return quorvex::handleInfoOptions(commandLine); });
}

} // namespace

class CommandLineInfoTest : public QObject
{
    Q_OBJECT
private slots:
    void recognisesOnlyTheWholeCommandLine_data();
    void recognisesOnlyTheWholeCommandLine();
    void helpPrintsTheUsageAndSucceeds();
    void versionPrintsTheProgramVersion();
    void otherCommandLinesPrintNothing();
    void failureToWriteIsNotReportedAsSuccess();
    void programArgumentsAreJoinedFirst_data();
    void programArgumentsAreJoinedFirst();
    void usageNamesEveryJobForm();
};

void CommandLineInfoTest::recognisesOnlyTheWholeCommandLine_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<InfoOption>("expected");

    QTest::newRow("help") << "--help" << InfoOption::Help;
    QTest::newRow("version") << "--version" << InfoOption::Version;
    QTest::newRow("blanks around") << "  --help  " << InfoOption::Help;
    QTest::newRow("empty") << "" << InfoOption::None;
    QTest::newRow("welcome switch") << "/p" << InfoOption::None;
    QTest::newRow("upper case") << "--HELP" << InfoOption::None;
    QTest::newRow("single dash") << "-help" << InfoOption::None;
    QTest::newRow("both") << "--help --version" << InfoOption::None;
    QTest::newRow("job after it") << "--help > out.txt" << InfoOption::None;
    QTest::newRow("in a file name") << "F:\\--help" << InfoOption::None;
    QTest::newRow("file then option") << "F:\\REPORTS\\Q1.XLS --version" << InfoOption::None;
    QTest::newRow("rescan job") << "F:\\REPORTS\\Q1.XLS -t" << InfoOption::None;
}

void CommandLineInfoTest::recognisesOnlyTheWholeCommandLine()
{
    QFETCH(QString, commandLine);
    QFETCH(InfoOption, expected);
    QCOMPARE(quorvex::infoOptionFor(commandLine), expected);
}

void CommandLineInfoTest::helpPrintsTheUsageAndSucceeds()
{
    QTemporaryFile out;
    QVERIFY(out.open());
    QCOMPARE(handleWithStdoutTo(QStringLiteral("--help"), out.fileName().toLocal8Bit()),
             std::optional<int>(0));
    QCOMPARE(QString::fromUtf8(out.readAll()), quorvex::usageText());
}

void CommandLineInfoTest::versionPrintsTheProgramVersion()
{
    QTemporaryFile out;
    QVERIFY(out.open());
    QCOMPARE(handleWithStdoutTo(QStringLiteral(" --version"), out.fileName().toLocal8Bit()),
             std::optional<int>(0));
    const QByteArray expected = "Quorvex " + QByteArray::number(QUORVEX_VERSION_MAJOR) + '.' +
                                QByteArray::number(QUORVEX_VERSION_MINOR) + '.';
    const QByteArray printed = out.readAll();
    QVERIFY2(printed.startsWith(expected) && printed.endsWith('\n'), printed.constData());
    QVERIFY(printed.contains("\nLicense GPL-3.0-or-later: GNU GPL version 3 or later"));
    QCOMPARE(QString::fromUtf8(printed), quorvex::versionText());
}

void CommandLineInfoTest::otherCommandLinesPrintNothing()
{
    QTemporaryFile out;
    QVERIFY(out.open());
    QCOMPARE(handleWithStdoutTo(QStringLiteral("F:\\REPORTS\\Q1.XLS > --help"),
                                out.fileName().toLocal8Bit()),
             std::nullopt);
    QCOMPARE(out.readAll(), QByteArray());
}

void CommandLineInfoTest::failureToWriteIsNotReportedAsSuccess()
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full on this machine");
    QCOMPARE(handleWithStdoutTo(QStringLiteral("--help"), "/dev/full"), std::optional<int>(1));
}

void CommandLineInfoTest::programArgumentsAreJoinedFirst_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<std::optional<int>>("expected");
    QTest::addColumn<bool>("printed");

    QTest::newRow("no arguments") << QStringList{} << std::optional<int>() << false;
    QTest::newRow("--version") << QStringList{"--version"} << std::optional<int>(0) << true;
    QTest::newRow("--help with blanks")
        << QStringList{"", "--help", ""} << std::optional<int>(0) << true;
    QTest::newRow("--help and more") << QStringList{"--help", "x"} << std::optional<int>() << false;
    QTest::newRow("job split by the shell")
        << QStringList{"F:\\DB\\CUSTOMER.DB", ">", "--help"} << std::optional<int>() << false;
}

void CommandLineInfoTest::programArgumentsAreJoinedFirst()
{
    QFETCH(QStringList, arguments);
    QFETCH(std::optional<int>, expected);
    QFETCH(bool, printed);

    QList<QByteArray> bytes{"quorvex"};
    for (const QString& argument : arguments)
        bytes.append(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);

    QTemporaryFile out;
    QVERIFY(out.open());
    QCOMPARE(
        withStdoutTo(out.fileName().toLocal8Bit(),
                     [&] { return quorvex::handleInfoOptions(int(bytes.size()), argv.data()); }),
        expected);
    QCOMPARE(!out.readAll().isEmpty(), printed);
}

void CommandLineInfoTest::usageNamesEveryJobForm()
{
    const QString usage = quorvex::usageText();
    for (const char* form : {"/p", "FILE -t", "FILE -c", "FILE -ce", "FILE > OUT", "FILE >> OUT",
                             "-ue", "--help", "--version"})
        QVERIFY2(usage.contains(QLatin1String(form)), form);
    for (const char* status : {"0 when", "1 when", "2 when"})
        QVERIFY2(usage.contains(QLatin1String(status)), status);
}

QTEST_GUILESS_MAIN(CommandLineInfoTest)
#include "command_line_info_test.moc"
