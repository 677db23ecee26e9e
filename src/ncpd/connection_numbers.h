// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The connection numbers a server's sessions hold. The first session to be
// created while no session holds the workstation's number takes it and acts
// as the state's workstation (a server numbers a connection before anyone
// logs in on it); every other session gets the lowest number that no session
// holds and the state lists for no connection. Shared by every session and
// used from their worker threads, hence the lock.

#include "netware/sim_state.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <set>

namespace ncpd {

class ConnectionNumbers
{
public:
    struct Claim
    {
        std::uint16_t number = 0;
        bool workstation = false;
    };
    // nullopt when every number is taken.
    std::optional<Claim> claim(const nw::SimState& state);
    void release(std::uint16_t number);

private:
    std::mutex mutex_;
    std::set<std::uint16_t> held_;
};

} // namespace ncpd
