// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The server most ncpd tests run against: a simulated FS1 with users, open
// files, trustees and a password on ADMIN, served by an in-process listener
// on a free loopback port.

#include "ncpd/ncp_listener.h"
#include "support/sim_server_builder.h"

#include <memory>

// The handle of the workstation connection of a SimClient on the same state.
nw::NWCONN_HANDLE simHandle(nw::SimClient& sim);

struct NcpdFixture
{
    NcpdFixture();
    // Starts the listener on the state as written; false when it cannot.
    bool start();
    quint16 port() const { return listener ? listener->port() : 0; }

    SimServerBuilder builder;
    std::unique_ptr<ncpd::NcpListener> listener;
};
