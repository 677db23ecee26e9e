// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The demo servers shipped in the program directory (PROGRAM/demo) and their
// copy in the user's data directory (DATA/demo), made on first start.

#include <QMap>
#include <QString>

namespace nw {

// Copies PROGRAM/demo into DATA/demo (files already there are kept, so a
// second call never undoes what users did on the demo servers) and returns
// server name -> state file path for every state file of the demo. Empty, with
// *error set, when the demo cannot be found or copied.
QMap<QString, QString> installDemo(const QString& programDir, const QString& dataDir,
                                   QString* error = nullptr);

} // namespace nw
