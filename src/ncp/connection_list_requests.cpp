// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/connection_list_requests.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

#include <algorithm>

namespace ncp {

RequestBody objectConnectionsRequest(std::uint32_t after, std::uint16_t objectType,
                                     const QByteArray& name)
{
    WireWriter w;
    w.u32le(after).u16be(objectType).lengthPrefixed(name);
    return {0x17, 27, w.take()};
}

std::optional<std::vector<std::uint32_t>> decodeObjectConnections(const QByteArray& data)
{
    WireReader in(data);
    const std::uint8_t count = in.u8();
    std::vector<std::uint32_t> list;
    list.reserve(count);
    for (std::uint8_t i = 0; i < count; ++i)
        list.push_back(in.u32le());
    if (!in.ok() || !in.atEnd())
        return std::nullopt;
    return list;
}

RequestBody objectConnectionsOldRequest(std::uint16_t objectType, const QByteArray& name)
{
    WireWriter w;
    w.u16be(objectType).lengthPrefixed(name);
    return {0x17, 21, w.take()};
}

std::optional<std::vector<std::uint32_t>> decodeObjectConnectionsOld(const QByteArray& data)
{
    WireReader in(data);
    const std::uint8_t count = in.u8();
    std::vector<std::uint32_t> list;
    list.reserve(count);
    for (std::uint8_t i = 0; i < count; ++i)
        list.push_back(in.u8());
    if (!in.ok() || !in.atEnd())
        return std::nullopt;
    return list;
}

RequestBody activeConnectionsRequest(std::uint32_t first, std::uint8_t connectionType)
{
    WireWriter w;
    w.u32le(first).u8(connectionType);
    return {0x7B, 14, w.take()};
}

std::optional<nw::NWFSE_ACTIVE_CONN_LIST> decodeActiveConnections(const QByteArray& data)
{
    WireReader in(data);
    nw::NWFSE_ACTIVE_CONN_LIST list;
    list.currentServerTime = in.u32le();
    list.vconsoleVersion = in.u8();
    list.vconsoleRevision = in.u8();
    list.reserved = in.u16le();
    const auto bits = in.bytes(list.activeConnBitList.size());
    if (!in.ok() || !in.atEnd())
        return std::nullopt;
    std::copy(bits.begin(), bits.end(), list.activeConnBitList.begin());
    return list;
}

} // namespace ncp
