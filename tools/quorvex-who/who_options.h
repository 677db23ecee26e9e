// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The command line of quorvex-who:
//   quorvex-who [FORMAT] FILE...
//   quorvex-who [FORMAT] --user NAME [--server SERVER]
//   quorvex-who [FORMAT] --server SERVER [--files]
// FORMAT: --json or --csv (else a text table), --no-header.

#include <QString>
#include <QStringList>

#include <optional>

namespace quorvex::who {

enum class Mode
{
    Files,  // who holds each FILE
    User,   // what NAME's connections hold
    Server, // every connection of SERVER
};

enum class Format
{
    Table,
    Json,
    Csv,
};

struct Options
{
    Mode mode = Mode::Files;
    QStringList files;
    QString user;
    QString server; // --server: the server listed, or the one --user looks on
    bool withFiles = false;
    Format format = Format::Table;
    bool header = true;
    bool help = false;
    bool version = false;
};

// The options, or (in error) why the command line is not a valid one.
std::optional<Options> parseArguments(const QStringList& arguments, QString* error);

// What --help prints.
QString usageText();

} // namespace quorvex::who
