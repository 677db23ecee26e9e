// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/negotiation.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

#include <algorithm>

namespace ncp {

QByteArray negotiationRequest(std::uint16_t proposed, bool bigPacket)
{
    WireWriter out;
    out.u16be(proposed);
    if (bigPacket)
        out.u8(0);
    return out.take();
}

std::optional<BigPacketAnswer> decodeBigPacketReply(const QByteArray& data, std::uint16_t proposed)
{
    WireReader in(data);
    BigPacketAnswer a;
    const std::uint16_t size = in.u16be();
    in.skip(2); // echo socket
    a.securityFlags = in.u8();
    if (!in.ok())
        return std::nullopt;
    a.size = size == 0 ? proposed : std::min(size, proposed);
    return a;
}

std::optional<std::uint16_t> decodeBufferSizeReply(const QByteArray& data, std::uint16_t proposed)
{
    WireReader in(data);
    const std::uint16_t size = in.u16be();
    if (!in.ok())
        return std::nullopt;
    return std::min(size, proposed);
}

} // namespace ncp
