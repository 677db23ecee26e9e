// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A line asked on the terminal with echo off, for the console programs'
// passwords.

#include <QByteArray>
#include <QString>

#include <optional>

namespace quorvex {

// One line typed on the terminal (the program's controlling terminal, while
// standard input is one), without echo and without its line end; nullopt
// when there is no terminal to ask on.
std::optional<QByteArray> askTerminalSilently(const QString& prompt);

} // namespace quorvex
