// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reads a state file strictly: anything that does not hold makes the whole file
// unusable, with an error text naming the file and the first fault found.

#include "netware/sim_state.h"

#include <memory>

namespace nw {

struct SimLoadResult
{
    std::shared_ptr<SimState> state; // null on error
    QString error;                   // "<file>: <what is wrong>"
};

SimLoadResult loadSimState(const QString& statePath);
// The same for text already read; relative volume roots are taken from
// statePath's folder.
SimLoadResult parseSimState(const QByteArray& json, const QString& statePath);

} // namespace nw
