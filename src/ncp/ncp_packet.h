// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// NCP packets as they travel over TCP: the TCP header (signature, length, and
// for requests the version and the largest reply accepted), the NCP request or
// reply header, the subfunction with or without its length word, and the data.
//
// Offsets in comments elsewhere count from byte 0 of the NCP header, after the
// TCP header, as the protocol references count them.

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace ncp {

inline constexpr std::uint32_t kRequestSignature = 0x446D6454; // "DmdT"
inline constexpr std::uint32_t kReplySignature = 0x744E6350;   // "tNcP"
inline constexpr std::uint32_t kTcpVersion = 1;
inline constexpr std::uint32_t kLengthMask = 0x0FFFFFFF;
inline constexpr std::size_t kRequestTcpHeader = 16;
inline constexpr std::size_t kReplyTcpHeader = 8;
inline constexpr std::size_t kRequestHeader = 7; // type .. function
inline constexpr std::size_t kReplyHeader = 8;   // type .. connection status
inline constexpr std::uint16_t kPort = 524;
inline constexpr std::uint16_t kNoConnection = 0xFFFF;

enum PacketType : std::uint16_t
{
    kCreateConnection = 0x1111,
    kRequest = 0x2222,
    kReply = 0x3333,
    kDestroyConnection = 0x5555,
    kStillWorking = 0x9999,
    // Unsolicited, between replies: a message or an oplock break waits for the
    // station. It answers no request.
    kServerBroadcast = 0xBBBB,
};

// Connection status bits of a reply.
inline constexpr std::uint8_t kStatusBadConnection = 0x01;
inline constexpr std::uint8_t kStatusServerDown = 0x10;
inline constexpr std::uint8_t kStatusMessagePending = 0x40;

// Where a function keeps its subfunction.
enum class SubfunctionForm
{
    None,       // data at 7
    Plain,      // subfunction at 7, data at 8
    LengthWord, // length word (big-endian, counting from 9) at 7, subfunction at 9, data at 10
};
SubfunctionForm subfunctionForm(std::uint8_t function);

struct Request
{
    std::uint16_t type = kRequest;
    std::uint8_t sequence = 0;
    std::uint16_t connection = 0;
    std::uint8_t task = 1;
    std::uint8_t function = 0;
    std::uint8_t subfunction = 0; // ignored for functions without one
    QByteArray data;              // the bytes after the subfunction
    std::uint32_t replyLimit = 0; // largest NCP reply (header included) the client accepts
};

struct Reply
{
    std::uint16_t type = kReply;
    std::uint8_t sequence = 0;
    std::uint16_t connection = 0;
    std::uint8_t task = 1;
    std::uint8_t completion = 0;
    std::uint8_t connectionStatus = 0;
    QByteArray data; // from offset 8
    // The client refused this reply: its packet signature did not hold
    // (completion 0xFF, no data).
    bool signatureRefused = false;
};

// Whole TCP frames, ready to write to the socket.
QByteArray encodeRequest(const Request& request);
QByteArray encodeReply(const Reply& reply);

// The NCP part of a frame (what FrameAssembler hands out). Nullopt when the
// packet is shorter than its header, has an unknown type, or its length word
// disagrees with the bytes that follow it.
std::optional<Request> decodeRequest(const QByteArray& ncp, std::uint32_t replyLimit);
std::optional<Reply> decodeReply(const QByteArray& ncp);

} // namespace ncp
