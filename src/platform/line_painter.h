// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printer.h"

class QPrinter;

namespace quorvex {

// Lays out the lines on a prepared QPrinter, top to bottom, a new page when one
// is full; false when the printer could not be started.
bool paintLines(QPrinter& printer, const QString& fontFamily, const QList<PrintLine>& lines);

} // namespace quorvex
