// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Buffer negotiation, asked right after the connection is created and
// answered before and after login: NCP 97 (largest packet, with the security
// flags) and NCP 33 (the older buffer size). Neither has a subfunction: the
// decoders take the bytes from offset 7 (Request::data).

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace ncpd {

// The largest packet this server takes and sends, and the buffer size it
// offers for reads and writes.
inline constexpr std::uint16_t kServerMaxPacket = 4096;
inline constexpr std::uint16_t kServerBufferSize = 4096;
// Clients treat anything below this as no buffer at all.
inline constexpr std::uint16_t kMinBufferSize = 512;

struct BigPacketRequest // NCP 97
{
    std::uint16_t proposedSize = 0; // big-endian on the wire
    std::uint8_t securityFlags = 0; // 1 checksums, 2 signing, 4 complete signatures, 8 encryption
};
std::optional<BigPacketRequest> decodeBigPacket(const QByteArray& data);
// Accepted size u16 BE, echo socket u16 BE, the security flags granted.
QByteArray encodeBigPacketReply(std::uint16_t acceptedSize, std::uint16_t echoSocket,
                                std::uint8_t securityFlags);

struct BufferSizeRequest // NCP 33
{
    std::uint16_t proposedSize = 0; // big-endian
};
std::optional<BufferSizeRequest> decodeBufferSize(const QByteArray& data);
QByteArray encodeBufferSizeReply(std::uint16_t size);

// The size a server answers to a proposal: never more than its own, and a
// proposal too small to be meant (some clients send 0) gets the server's own.
std::uint16_t negotiatedSize(std::uint16_t proposed, std::uint16_t serverSize);

} // namespace ncpd
