// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The entries a search walks: its directory read once, when the search
// starts, each entry with everything its information block tells, in the
// order the server lists them (names ignoring case, then exactly), with the
// DOS names the server gives them. Entries that are not directories or files
// (sockets, pipes, devices, links that lead nowhere) and links that lead out
// of the volume's folder are left out.

#include "ncpd/entry_block.h"

#include <vector>

namespace ncpd {

std::vector<EntryFields> readSearchDirectory(const nw::SimState& state, const VolumeEntry& dir);

} // namespace ncpd
