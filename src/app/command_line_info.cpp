// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line_info.h"

#include "app/command_line.h"

#include <QStringList>

#include <cstdio>
#include <cstring>

namespace quorvex {

namespace {

// Plain bytes rather than a QString literal: the text is printed before Qt is
// set up, and the install check finds it in the executable to tell whether
// main() handles the option.
constexpr const char* kUsage = R"(Usage: quorvex [COMMAND LINE]

Quorvex shows who has a file on a NetWare server open: the users whose
connections use it, with their details. Its arguments are joined by blanks into
one command line, which is one of these:

  (nothing) or /p    open the window with the welcome text
  FILE               scan FILE and show the users who have it open
  FILE -t            scan FILE and keep rescanning it on the rescan timer
  FILE -c            scan FILE and clear the connections of all its users
  FILE -ce           as -c, then end the program
  FILE > OUT         scan FILE, write the date, FILE and its users to OUT
                     (replacing OUT) and end; nothing is written when nobody
                     has FILE open
  FILE >> OUT        as >, but add to the end of OUT
  -ue                clear this workstation's file lock set on every server
                     of the settings and end
  --help             print this text and end
  --version          print the program's version and end

The switches count only at the very end of the command line and their letters
may be in either case. -c, -ce, > and >> act only on a scan that ran to its
end. FILE is a DOS path on a network drive, such as
F:\REPORTS\Q1.XLS; a path on this machine is turned into the DOS path of the
drive that holds it. OUT may be a DOS path, a path on this machine or a path
relative to the current directory. Quote the command line for the shell:

  quorvex 'F:\REPORTS\Q1.XLS > users.txt'

Without a display (neither DISPLAY nor WAYLAND_DISPLAY set) the program runs
headless: a message box prints its text to standard error and takes its default
answer, and a job that would wait for a person ends the program instead. The
rescan job keeps running until it is sent SIGINT or SIGTERM.

Exit status: 0 when the job did its work (also when nobody has the file open),
1 when the scan or the job failed, 2 when the program could not start.

Files:
  $XDG_CONFIG_HOME/Quorvex/Quorvex.ini   settings and drive map
                                         (default ~/.config/Quorvex/Quorvex.ini)
  $XDG_DATA_HOME/Quorvex/                activity logs and the demo server
                                         (default ~/.local/share/Quorvex/)

See quorvex(1) and quorvex-sim(1).
)";

constexpr const char* kVersion =
    "Quorvex " QUORVEX_VERSION_TEXT "\n"
    "Copyright (C) 2026 The Quorvex developers\n"
    "License GPL-3.0-or-later: GNU GPL version 3 or later "
    "<https://www.gnu.org/licenses/gpl-3.0.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

bool writeAll(const char* text)
{
    const std::size_t length = std::strlen(text);
    const bool written = std::fwrite(text, 1, length, stdout) == length;
    return std::fflush(stdout) == 0 && written;
}

} // namespace

InfoOption infoOptionFor(const QString& commandLine)
{
    const QString argument = commandLine.trimmed();
    if (argument == QLatin1String("--help"))
        return InfoOption::Help;
    if (argument == QLatin1String("--version"))
        return InfoOption::Version;
    return InfoOption::None;
}

QString usageText()
{
    return QString::fromUtf8(kUsage);
}

QString versionText()
{
    return QString::fromUtf8(kVersion);
}

std::optional<int> handleInfoOptions(const QString& commandLine)
{
    switch (infoOptionFor(commandLine)) {
    case InfoOption::Help:
        return writeAll(kUsage) ? 0 : 1;
    case InfoOption::Version:
        return writeAll(kVersion) ? 0 : 1;
    case InfoOption::None:
        break;
    }
    return std::nullopt;
}

std::optional<int> handleInfoOptions(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return handleInfoOptions(joinCommandLine(arguments));
}

} // namespace quorvex
