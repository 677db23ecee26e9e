// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a client-call result travels back: a completion byte and the connection
// status of the reply header.

#include "netware/netware_client.h"

#include <cstdint>

namespace ncpd {

struct WireStatus
{
    std::uint8_t completion = 0;
    std::uint8_t connectionStatus = 0;
};

// 0 -> completion 0; 0x89xx -> completion xx; 0x8801 (the handle is gone or the
// state file unreadable) -> connection status "bad connection"; any other code
// has no byte of its own and goes as completion 0xFF (failure).
WireStatus wireStatus(nw::NWCCODE code);

} // namespace ncpd
