// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Writes quorvex-who's answers in its three forms: an aligned text table, one
// JSON document (an array of objects) and CSV (RFC 4180). The keys, columns and
// their order are part of the program's interface (see quorvex-who(1)).

#include "who_options.h"
#include "who_records.h"

#include <QByteArray>

#include <vector>

namespace quorvex::who {

QByteArray formatHolders(const std::vector<HolderRow>& rows, Format format, bool header);
QByteArray formatConnections(const std::vector<ServerRow>& rows, bool withFiles, Format format,
                             bool header);

} // namespace quorvex::who
