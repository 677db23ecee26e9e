// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The server answers one completion byte; the client reports 0x8900 plus that
// byte. 0x8801 (the session is gone) and 0x88FF (asked again after the end of
// a list) are made by the client and never travel.

#include "netware/netware_client.h"

#include <cstdint>
#include <optional>

namespace ncp {

// "Not supported": the server wants an older form of the request.
inline constexpr nw::NWCCODE kNotSupported = 0x89FB;
// Made by the client: a reply that is well framed but does not fit its
// request (too short, too long, fields that contradict it). That call fails;
// the session goes on.
inline constexpr nw::NWCCODE kInvalidReplyLength = 0x8816;
// Made by the client: a reply whose packet signature did not hold (-707, as
// the directory's "invalid signature"). That call fails, the reply unread;
// the session goes on.
inline constexpr nw::NWCCODE kInvalidSignature = 0xFFFFFD3D;

inline nw::NWCCODE clientCode(std::uint8_t completion)
{
    return completion == 0 ? nw::kSuccess : nw::NWCCODE(0x8900 | completion);
}

// The byte that carries a client code over the wire, or nullopt for codes the
// server cannot send (0 is success).
inline std::optional<std::uint8_t> completionByte(nw::NWCCODE code)
{
    if (code == nw::kSuccess)
        return std::uint8_t(0);
    if ((code & 0xFFFFFF00u) == 0x8900u)
        return std::uint8_t(code & 0xFF);
    return std::nullopt;
}

} // namespace ncp
