// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Requests about other connections: 23/28 (connection information), 23/26
// (address), 23/254 (clear a connection) and 21/10 (broadcast message).
// Decoders take Request::data; encoders give the reply from offset 8. The
// older 23/210 (clear a connection) is one byte, read by decodeOneByte
// (request_text.h).

#include "netware/netware_client.h"

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ncpd {

// 23/28 and 23/26: connection u32 LE.
struct ConnectionNumberRequest
{
    std::uint32_t connection = 0;
};
std::optional<ConnectionNumberRequest> decodeConnectionNumber(const QByteArray& data);

// 23/254: the same u32, kept in both byte orders because clients differ on it.
struct ClearConnectionRequest
{
    std::uint32_t littleEndian = 0;
    std::uint32_t bigEndian = 0;
};
std::optional<ClearConnectionRequest> decodeClearConnection(const QByteArray& data);

QByteArray encodeConnectionInfoReply(std::uint32_t objectId, std::uint16_t objectType,
                                     const QByteArray& name,
                                     std::span<const std::uint8_t, 7> loginTime);
QByteArray encodeInetAddrReply(const nw::NWINET_ADDR& address);

struct BroadcastRequest // 21/10
{
    std::vector<std::uint32_t> connections;
    QByteArray message;
};
std::optional<BroadcastRequest> decodeBroadcast(const QByteArray& data);

// Per-connection statuses on the wire: 0 sent, 1 illegal station, 2 not logged
// in, 3 not accepting, 4 message pending.
inline constexpr std::uint32_t kBroadcastSent = 0;
inline constexpr std::uint32_t kBroadcastIllegalStation = 1;
inline constexpr std::uint32_t kBroadcastNotAccepting = 3;
// The wire status for a per-connection result byte of NWSendBroadcastMessage.
std::uint32_t broadcastWireStatus(std::uint8_t result);
QByteArray encodeBroadcastReply(const std::vector<std::uint32_t>& statuses);

// 21/0, the older broadcast: connections in one byte each, a message the
// server cuts to kOldBroadcastLimit bytes; a status byte back for each: 0
// sent, 0xFC the station takes no message, 0xFF no such station (as the
// server emulators answer).
inline constexpr int kOldBroadcastLimit = 58;
struct OldBroadcastRequest
{
    std::vector<std::uint8_t> connections;
    QByteArray message;
};
std::optional<OldBroadcastRequest> decodeOldBroadcast(const QByteArray& data);
std::uint8_t oldBroadcastStatus(std::uint8_t result);
QByteArray encodeOldBroadcastReply(const QByteArray& statuses);

} // namespace ncpd
