// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "netware/netware_client.h"

#include <QStringList>

namespace quorvex {

// Clears this workstation's file lock set on every server named, in order: a
// connection is opened to each by its name, as the scan's path parse opens
// one, and closed again. A server that cannot be reached or refuses counts as
// failed; the others are still cleared. Returns one line per failed server,
// "FS2: Unable to clear file locks - invalid connection.", empty when every
// server was cleared.
QStringList clearLockSetsOnServers(nw::NetWareClient& client, const QStringList& servers);

} // namespace quorvex
