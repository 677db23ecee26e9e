// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Directory entry numbers handed out by 23/244 and the open-file and path
// calls: each normalised VOL:PATH gets a 32-bit number, stable for the life of
// the server process and never 0, so that 23/236, 23/235, 87/6 and 87/28 can
// name a file or directory by number. One table is shared by every session
// (and their simulated clients) and used from their worker threads.

#include "netware/sim_entry_numbers.h"

namespace ncpd {

class EntryTable : public nw::SimEntryTable
{
};

} // namespace ncpd
