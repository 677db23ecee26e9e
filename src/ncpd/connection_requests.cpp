// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/connection_requests.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "ncpd/request_text.h"

namespace ncpd {

std::optional<ConnectionNumberRequest> decodeConnectionNumber(const QByteArray& data)
{
    ncp::WireReader in(data);
    ConnectionNumberRequest r;
    r.connection = in.u32le();
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

std::optional<ClearConnectionRequest> decodeClearConnection(const QByteArray& data)
{
    ncp::WireReader in(data);
    ClearConnectionRequest r;
    r.littleEndian = in.u32le();
    in.seek(0);
    r.bigEndian = in.u32be();
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeConnectionInfoReply(std::uint32_t objectId, std::uint16_t objectType,
                                     const QByteArray& name,
                                     std::span<const std::uint8_t, 7> loginTime)
{
    ncp::WireWriter out;
    // One reserved byte after the login time, as decoders of the wire expect.
    out.u32be(objectId).u16be(objectType).paddedText(name, 48).bytes(loginTime).u8(0);
    return out.take();
}

QByteArray encodeInetAddrReply(const nw::NWINET_ADDR& address)
{
    ncp::WireWriter out;
    out.bytes(address.network)
        .bytes(address.node)
        .bytes(address.socket)
        .u8(std::uint8_t(address.connType));
    return out.take();
}

std::optional<BroadcastRequest> decodeBroadcast(const QByteArray& data)
{
    ncp::WireReader in(data);
    const std::uint16_t count = in.u16le();
    // Each connection takes four bytes: a count the packet cannot hold is
    // refused before anything is reserved for it.
    if (!in.ok() || std::size_t(count) * 4 > in.remaining())
        return std::nullopt;
    BroadcastRequest r;
    r.connections.reserve(count);
    for (std::uint16_t i = 0; i < count; ++i)
        r.connections.push_back(in.u32le());
    r.message = readText(in);
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

std::uint32_t broadcastWireStatus(std::uint8_t result)
{
    switch (result) {
    case 0:
        return kBroadcastSent;
    case std::uint8_t(nw::kNoSuchObject & 0xFF):
        return kBroadcastNotAccepting;
    default:
        return kBroadcastIllegalStation;
    }
}

QByteArray encodeBroadcastReply(const std::vector<std::uint32_t>& statuses)
{
    ncp::WireWriter out;
    out.u16le(std::uint16_t(statuses.size()));
    for (const std::uint32_t s : statuses)
        out.u32le(s);
    return out.take();
}

} // namespace ncpd

namespace ncpd {

std::optional<OldBroadcastRequest> decodeOldBroadcast(const QByteArray& data)
{
    ncp::WireReader in(data);
    OldBroadcastRequest r;
    const std::uint8_t count = in.u8();
    for (std::uint8_t i = 0; i < count && in.ok(); ++i)
        r.connections.push_back(in.u8());
    r.message = readText(in);
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

std::uint8_t oldBroadcastStatus(std::uint8_t result)
{
    switch (result) {
    case 0:
        return 0;
    case std::uint8_t(nw::kNoSuchObject & 0xFF):
        return 0xFC;
    default:
        return 0xFF;
    }
}

QByteArray encodeOldBroadcastReply(const QByteArray& statuses)
{
    ncp::WireWriter out;
    out.u8(std::uint8_t(statuses.size())).bytes(statuses);
    return out.take();
}

} // namespace ncpd
