// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "netware/netware_client.h"

#include <QString>

#include <span>

namespace quorvex {

// The directory-service name of an object (servers above version 3); "?" when
// the client can't give one.
QString DirectoryObjectName(nw::NetWareClient& client, std::uint32_t objectId,
                            nw::NWCONN_HANDLE conn);

// The bindery name of an object (servers of version 3 and below); "?" when the
// client can't give one.
QString BinderyObjectName(nw::NetWareClient& client, std::uint32_t objectId,
                          nw::NWCONN_HANDLE conn);

} // namespace quorvex
