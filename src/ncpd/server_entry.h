// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The file server's own entry in the directory: the bindery's file-server
// object of its name (the state's, or the one the bindery view makes up), in
// the context of a state object of that name and type when there is one,
// otherwise in its workstation user's context.

#include "netware/sim_state.h"

#include <QString>

#include <cstdint>

namespace ncpd {

struct ServerEntry
{
    std::uint32_t id = 0;
    QString name; // typeless, from the leaf: "FS1.ACME"
};

ServerEntry serverEntry(const nw::SimState& state);

} // namespace ncpd
