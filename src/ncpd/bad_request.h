// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The answer to a packet whose header can be read but whose request cannot:
// servers answer it with a completion code and keep the connection, so a
// client that sent one wrong request does not lose its session. Only a frame
// too short to carry a sequence number goes unanswered.

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace ncpd {

// Completion bytes for requests the server cannot take.
inline constexpr std::uint8_t kCompletionBadRequest = 0x7E;   // does not fit its layout
inline constexpr std::uint8_t kCompletionNotLoggedIn = 0x7D;  // needs a logged-in connection
inline constexpr std::uint8_t kCompletionNotSupported = 0xFB; // unknown request or packet type

// True when the packet holds the header fields a reply echoes (type,
// sequence, connection, task).
bool answerable(const QByteArray& ncpPacket);

// The whole reply frame for a packet that ncp::decodeRequest refused: 0xFB
// for a packet type no server knows, 0x7E for a request whose length word
// disagrees with its bytes. nullopt when the packet is not answerable.
std::optional<QByteArray> badRequestReply(const QByteArray& ncpPacket, std::uint16_t connection);

} // namespace ncpd
