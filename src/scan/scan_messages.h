// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "netware/netware_client.h"

#include <QString>

namespace quorvex {

// The message the scan writes for a code of the connections-using-a-file call
// other than 0 and 0x88FF. Codes without a message of their own are written in
// signed decimal.
QString scanErrorText(nw::NWCCODE code);

// True when the code has a message of its own (the pane is then not cleared
// before the beep).
bool isKnownScanError(nw::NWCCODE code);

// The line that follows a failed scan's message when a server cannot be used
// (its state file is damaged, its session could not be set up); empty for no
// problem.
QString serverProblemText(const QString& problem);

} // namespace quorvex
