// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvex {

// Writes a message to standard error as one or more lines: CR LF become LF and a
// final line break is added. An empty text writes nothing.
void printToStandardError(const QString& text);

} // namespace quorvex
