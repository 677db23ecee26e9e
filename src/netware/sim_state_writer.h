// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Writes a state back as JSON, in the form the reader takes.

#include "netware/sim_state.h"

namespace nw {

QByteArray simStateToJson(const SimState& state);
// Atomic: a file beside it, then rename; on failure the old file stays whole
// and *error says why.
bool saveSimState(const SimState& state, const QString& statePath, QString* error);

} // namespace nw
