#pragma once

// Writes a state back as JSON, in the form the reader takes.

#include "netware/sim_state.h"

namespace nw {

QByteArray simStateToJson(const SimState& state);
// Atomic: a temporary file in the same folder, then rename.
bool saveSimState(const SimState& state, const QString& statePath, QString* error);

} // namespace nw
