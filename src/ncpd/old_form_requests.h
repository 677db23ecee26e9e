// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The forms 3.x servers answer with one-byte connection numbers: 23/22
// (station's logged information; the reply is laid out as 23/28's), 23/19
// (internet address, without the connection type), 21/0 (send a broadcast
// message) and 21/1 and 21/11 (get the message waiting for this
// connection). 23/22 and 23/19 are one connection byte, read by
// decodeOneByte (request_text.h); encoders give the reply from offset 8.

#include "netware/netware_client.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace ncpd {

// Network 4, node 6, socket 2.
QByteArray encodeOldInetAddrReply(const nw::NWINET_ADDR& address);

// 21/1 and 21/11: the message as a length byte and its bytes (empty: none).
QByteArray encodeMessageReply(const QByteArray& message);

} // namespace ncpd
