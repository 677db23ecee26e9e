// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Which connections there are: those of one bindery object (23/27, and the
// older 23/21 for servers that do not know it) and those in use on the server
// (123/14). Decoders take the reply data (from offset 8).
//
// 23/27: search connection u32 LE at 10 (the answer lists connections after
// it), object type u16 BE at 14, name (length byte + bytes) at 16. Reply:
// count u8 at 8, connections u32 LE from 9, at most 255. (mars_nwe reads the
// search number big-endian and answers 16-bit numbers; the dissector and the
// Linux client library agree on the layout here.)
// 23/21: object type u16 BE at 10, name at 12. Reply: count u8 at 8, then one
// byte per connection: it cannot name connections past 255.
// 123/14: first connection u32 LE at 10, connection type u8 at 14. Reply:
// server up time u32 LE at 8, console version at 12 and revision at 13,
// reserved u16 at 14, 512 bytes of bits from 16, bit n (byte n / 8, value
// 1 << n % 8) for connection first + n.

#include "ncp/request_body.h"
#include "netware/netware_client.h"

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

namespace ncp {

inline constexpr std::size_t kMaxObjectConnections = 255;

RequestBody objectConnectionsRequest(std::uint32_t after, std::uint16_t objectType,
                                     const QByteArray& name); // 23/27
std::optional<std::vector<std::uint32_t>> decodeObjectConnections(const QByteArray& data);

RequestBody objectConnectionsOldRequest(std::uint16_t objectType,
                                        const QByteArray& name); // 23/21
std::optional<std::vector<std::uint32_t>> decodeObjectConnectionsOld(const QByteArray& data);

RequestBody activeConnectionsRequest(std::uint32_t first, std::uint8_t connectionType); // 123/14
std::optional<nw::NWFSE_ACTIVE_CONN_LIST> decodeActiveConnections(const QByteArray& data);

} // namespace ncp
