// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace quorvex {

// "--help" and "--version": asked for only when the whole command line (the
// arguments joined by blanks, trimmed) is exactly that text. A job's file name
// begins with a drive letter, so no job is ever taken for one of them.
enum class InfoOption
{
    None,
    Help,
    Version,
};

InfoOption infoOptionFor(const QString& commandLine);

// What "quorvex --help" and "quorvex --version" print.
QString usageText();
QString versionText();

// To be called by main() before the application object exists: for "--help" or
// "--version" prints the text to standard output and returns the exit status
// (0, or 1 when standard output could not be written); for any other command
// line returns nothing and the program starts as usual.
std::optional<int> handleInfoOptions(const QString& commandLine);

// The same for main()'s own arguments, joined by blanks, before QApplication
// exists: `if (const auto status = handleInfoOptions(argc, argv)) return *status;`
std::optional<int> handleInfoOptions(int argc, char* argv[]);

} // namespace quorvex
