// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/listing_requests.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "ncpd/long_name_request.h"
#include "ncpd/request_text.h"

namespace ncpd {

std::optional<OpenFilesRequest> decodeOpenFiles(const QByteArray& data)
{
    ncp::WireReader in(data);
    OpenFilesRequest r;
    r.connection = in.u16le();
    r.lastRecord = in.u16le();
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeOpenFilesReply(std::uint16_t nextRecord, std::uint16_t count,
                                const QByteArray& records)
{
    ncp::WireWriter out;
    out.u16le(nextRecord).u16le(count).bytes(records);
    return out.take();
}

std::optional<ObjectConnectionsRequest> decodeObjectConnections(const QByteArray& data)
{
    ncp::WireReader in(data);
    ObjectConnectionsRequest r;
    r.after = in.u32le();
    r.objectType = in.u16be();
    r.name = readText(in);
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

std::optional<ObjectConnectionsRequest> decodeObjectConnectionsOld(const QByteArray& data)
{
    ncp::WireReader in(data);
    ObjectConnectionsRequest r;
    r.objectType = in.u16be();
    r.name = readText(in);
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeObjectConnectionsReply(std::span<const std::uint16_t> connections)
{
    ncp::WireWriter out;
    out.u8(std::uint8_t(connections.size()));
    for (const std::uint16_t c : connections)
        out.u32le(c);
    return out.take();
}

QByteArray encodeObjectConnectionsOldReply(std::span<const std::uint16_t> connections)
{
    ncp::WireWriter out;
    out.u8(std::uint8_t(connections.size()));
    for (const std::uint16_t c : connections)
        out.u8(std::uint8_t(c));
    return out.take();
}

std::optional<ActiveConnectionsRequest> decodeActiveConnections(const QByteArray& data)
{
    ncp::WireReader in(data);
    ActiveConnectionsRequest r;
    r.first = in.u32le();
    r.connectionType = in.u8();
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeActiveConnectionsReply(const nw::NWFSE_ACTIVE_CONN_LIST& list)
{
    ncp::WireWriter out;
    out.u32le(list.currentServerTime)
        .u8(list.vconsoleVersion)
        .u8(list.vconsoleRevision)
        .u16le(list.reserved)
        .bytes(list.activeConnBitList);
    return out.take();
}

std::optional<FullPathRequest> decodeFullPath(const QByteArray& data)
{
    ncp::WireReader in(data);
    FullPathRequest r;
    r.sourceNameSpace = in.u8();
    r.destinationNameSpace = in.u8();
    r.cookieFlags = in.u16le();
    r.cookie1 = in.u32le();
    r.cookie2 = in.u32le();
    const std::uint8_t count = readHandleHead(in, r.path);
    if (r.path.flag != kHandleFlagHandle && r.path.flag != kHandleFlagBase &&
        r.path.flag != kHandleFlagNone)
        in.fail();
    readHandleNames(in, r.path, count);
    for (const QByteArray& name : r.path.names)
        if (name.contains('\\') || name.contains('/') || name.contains(':'))
            in.fail();
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeFullPathReply(bool isFile, const QByteArrayList& components)
{
    std::size_t size = 0;
    for (const QByteArray& c : components)
        size += 1 + std::size_t(c.size());
    ncp::WireWriter out;
    // The whole path goes in one answer: the cookies say there is no more.
    out.u16le(isFile ? 1 : 0)
        .u32le(0)
        .u32le(0xFFFFFFFF)
        .u16le(std::uint16_t(size))
        .u16le(std::uint16_t(components.size()));
    for (const QByteArray& c : components)
        out.lengthPrefixed(c);
    return out.take();
}

} // namespace ncpd
