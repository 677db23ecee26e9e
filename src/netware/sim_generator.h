// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Writes a new simulated server for benchmarks and trials: many logged-in users
// that all have one file open.

#include <QString>

namespace nw {

struct SimGenerateOptions
{
    int users = 100;
    QString file = QStringLiteral("DATA:SHARED\\BIG.DB"); // VOLUME:PATH
    int tasks = 1;                                        // per user
    // Files open per user: PATH and, past the first, files of the user's own
    // in HOME\USERnnnnn on PATH's volume (named in the state only).
    int files = 1;
};

// Writes DIR/GEN1.json and its volume folders (the file itself included).
// Returns the state file's path, or an empty text with *error set.
QString generateSimServer(const QString& dir, const SimGenerateOptions& options, QString* error);

} // namespace nw
