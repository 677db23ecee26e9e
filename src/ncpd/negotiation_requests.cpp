// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/negotiation_requests.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "ncpd/request_text.h"

#include <algorithm>

namespace ncpd {

std::optional<BigPacketRequest> decodeBigPacket(const QByteArray& data)
{
    ncp::WireReader in(data);
    BigPacketRequest r;
    r.proposedSize = in.u16be();
    r.securityFlags = in.u8();
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeBigPacketReply(std::uint16_t acceptedSize, std::uint16_t echoSocket,
                                std::uint8_t securityFlags)
{
    ncp::WireWriter out;
    out.u16be(acceptedSize).u16be(echoSocket).u8(securityFlags);
    return out.take();
}

std::optional<BufferSizeRequest> decodeBufferSize(const QByteArray& data)
{
    ncp::WireReader in(data);
    BufferSizeRequest r;
    r.proposedSize = in.u16be();
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeBufferSizeReply(std::uint16_t size)
{
    ncp::WireWriter out;
    out.u16be(size);
    return out.take();
}

std::uint16_t negotiatedSize(std::uint16_t proposed, std::uint16_t serverSize)
{
    return proposed < kMinBufferSize ? serverSize : std::min(proposed, serverSize);
}

} // namespace ncpd
