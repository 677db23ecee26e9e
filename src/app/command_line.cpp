// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

namespace quorvex {

QString joinCommandLine(const QStringList& arguments)
{
    return arguments.join(QLatin1Char(' ')).trimmed();
}

CommandLineJob parseCommandLine(const QString& commandLine)
{
    const QString argument = commandLine.trimmed();
    CommandLineJob job;
    // "/p" is compared exactly: "/P" names a file (and is reported missing).
    if (argument.isEmpty() || argument == QLatin1String("/p"))
        return job;

    // A file name ends where its switch begins: further blanks before the
    // switch are no part of it, as around " > ".
    const QString tail = argument.right(3).toLower();
    if (tail == QLatin1String(" -t")) {
        job.kind = CommandLineJobKind::ScanAndRescan;
        job.fileName = argument.left(argument.size() - 3).trimmed();
    } else if (tail == QLatin1String(" -c")) {
        job.kind = CommandLineJobKind::ScanAndClear;
        job.fileName = argument.left(argument.size() - 3).trimmed();
    } else if (tail == QLatin1String("-ce")) {
        // The switch and the blank before it.
        job.kind = CommandLineJobKind::ScanClearAndEnd;
        job.fileName = argument.left(qMax(0, argument.size() - 4)).trimmed();
    } else if (const int at = argument.indexOf(QLatin1String(" > ")); at >= 0) {
        job.kind = CommandLineJobKind::ScanAndWrite;
        job.fileName = argument.left(at).trimmed();
        job.outputFile = argument.mid(at + 3).trimmed();
    } else if (const int at2 = argument.indexOf(QLatin1String(" >> ")); at2 >= 0) {
        job.kind = CommandLineJobKind::ScanAndAppend;
        job.fileName = argument.left(at2).trimmed();
        job.outputFile = argument.mid(at2 + 4).trimmed();
    } else if (tail == QLatin1String("-ue")) {
        job.kind = CommandLineJobKind::ClearLockSet;
    } else {
        job.kind = CommandLineJobKind::Scan;
        job.fileName = argument;
    }
    return job;
}

} // namespace quorvex
