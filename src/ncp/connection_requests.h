// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Requests about connections: who is logged in where, messages, clearing a
// connection and releasing locks. Decoders take the reply data (from offset 8).

#include "ncp/request_body.h"
#include "netware/netware_client.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace ncp {

RequestBody connectionInfoRequest(std::uint32_t connection); // 23/28
struct ConnectionInfo
{
    std::uint32_t objectId = 0;
    std::uint16_t objectType = 0;
    QByteArray name;
    std::array<std::uint8_t, 7> loginTime{};
};
std::optional<ConnectionInfo> decodeConnectionInfo(const QByteArray& data);

RequestBody inetAddrRequest(std::uint32_t connection); // 23/26
std::optional<nw::NWINET_ADDR> decodeInetAddr(const QByteArray& data);

RequestBody broadcastRequest(const std::vector<std::uint32_t>& connections,
                             const QByteArray& message); // 21/10
// The wire statuses, one per connection of the request.
std::optional<std::vector<std::uint32_t>> decodeBroadcast(const QByteArray& data,
                                                          std::size_t expected);
// A wire status as the client reports it: 0 sent, 0xFD illegal station or not
// logged in, 0xFC not accepting or message pending. Unknown statuses count as
// failures (0xFF) rather than as sent.
std::uint8_t broadcastResult(std::uint32_t status);

// 21/0, the form older servers take: connection numbers in one byte, a
// message of at most kOldBroadcastLimit bytes, one status byte back for each.
inline constexpr int kOldBroadcastLimit = 58;
RequestBody oldBroadcastRequest(const std::vector<std::uint8_t>& connections,
                                const QByteArray& message);
std::optional<std::vector<std::uint8_t>> decodeOldBroadcast(const QByteArray& data,
                                                            std::size_t expected);
// A 21/0 status as the client reports it: 0 sent; 0xFC the station holds a
// message or takes none; 0xFD no such station (0xFF from the server
// emulators, 1 or 2 as the 21/10 statuses read); anything else 0xFF.
std::uint8_t oldBroadcastResult(std::uint8_t status);

// 23/254 (the connection u32 little-endian, as the Linux client sends it;
// Wireshark's ncp2222.py declares it big-endian) and 23/210, the form older
// servers take, with the connection in one byte.
RequestBody clearConnectionRequest(std::uint32_t connection);                     // 23/254
RequestBody clearConnectionOldRequest(std::uint8_t connection);                   // 23/210
RequestBody clearFileLockSetRequest();                                            // NCP 8
RequestBody clearFileLockRequest(std::uint8_t dirHandle, const QByteArray& path); // NCP 7

} // namespace ncp
