// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quorvex {

// The jobs a command line can ask for.
enum class CommandLineJobKind
{
    None,            // empty, or exactly "/p": the welcome text
    ScanAndRescan,   // "FILE -t"
    ScanAndClear,    // "FILE -c"
    ScanClearAndEnd, // "FILE -ce"
    ScanAndWrite,    // "FILE > OUTPUT"
    ScanAndAppend,   // "FILE >> OUTPUT"
    ClearLockSet,    // "... -ue"
    Scan,            // anything else: the whole text is the file name
};

struct CommandLineJob
{
    CommandLineJobKind kind = CommandLineJobKind::None;
    QString fileName;
    QString outputFile;
};

// The program's arguments joined by single blanks, trimmed: the one text the
// jobs are read from.
QString joinCommandLine(const QStringList& arguments);

// Reads the job from the (already joined) command line. The switches count only
// at the very end of the text; the first form that matches wins, in the order
// "/p", " -t", " -c", "-ce", " > ", " >> ", "-ue".
CommandLineJob parseCommandLine(const QString& commandLine);

} // namespace quorvex
