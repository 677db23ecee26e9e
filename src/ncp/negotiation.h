// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The buffer negotiation a client sends right after it creates a connection:
// NCP 97 (largest packet, big-endian, and a byte of security flags) and, on a
// server without it, NCP 33 (buffer size, big-endian). Neither has a
// subfunction.

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace ncp {

inline constexpr std::uint8_t kFnNegotiateBuffer = 0x21;
inline constexpr std::uint8_t kFnBigPacket = 0x61;
// The security flag of NCP 97 that asks for (or, in the answer, agrees to)
// signed packets.
inline constexpr std::uint8_t kSecuritySigning = 0x02;

// The request data: the size, and for NCP 97 the security flags 0.
QByteArray negotiationRequest(std::uint16_t proposed, bool bigPacket);

struct BigPacketAnswer
{
    std::uint16_t size = 0;
    std::uint8_t securityFlags = 0;
};
// Accepted size, echo socket, flags. A size of 0 accepts the proposal; the
// size is never taken above the proposal. nullopt for a reply too short.
std::optional<BigPacketAnswer> decodeBigPacketReply(const QByteArray& data, std::uint16_t proposed);
std::optional<std::uint16_t> decodeBufferSizeReply(const QByteArray& data, std::uint16_t proposed);

} // namespace ncp
