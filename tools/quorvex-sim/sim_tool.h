// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The quorvex-sim commands. Each works on the state file under the server's
// lock; a failed command changes nothing.

#include <QStringList>
#include <QTextStream>

#include <functional>
#include <optional>

namespace nw {

// Where "password" reads the new password (the prompt for a terminal);
// nullopt when there is none to be had.
using PasswordInput = std::function<std::optional<QString>(const QString& prompt)>;

// args without the program name. Returns the exit status: 0 done, 1 failed
// (one line on err).
int runSimTool(const QStringList& args, QTextStream& out, QTextStream& err,
               const PasswordInput& readPassword = {});

} // namespace nw
