// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/connection_requests.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

namespace ncp {

RequestBody connectionInfoRequest(std::uint32_t connection)
{
    WireWriter w;
    w.u32le(connection);
    return {0x17, 28, w.take()};
}

std::optional<ConnectionInfo> decodeConnectionInfo(const QByteArray& data)
{
    WireReader in(data);
    ConnectionInfo c;
    c.objectId = in.u32be();
    c.objectType = in.u16be();
    c.name = in.paddedText(48);
    const auto time = in.bytes(7);
    // Servers follow the login time with one reserved byte; take it when there.
    if (in.remaining() == 1)
        in.skip(1);
    if (!in.ok() || !in.atEnd())
        return std::nullopt;
    std::copy(time.begin(), time.end(), c.loginTime.begin());
    return c;
}

RequestBody inetAddrRequest(std::uint32_t connection)
{
    WireWriter w;
    w.u32le(connection);
    return {0x17, 26, w.take()};
}

std::optional<nw::NWINET_ADDR> decodeInetAddr(const QByteArray& data)
{
    WireReader in(data);
    nw::NWINET_ADDR a;
    const auto network = in.bytes(4);
    const auto node = in.bytes(6);
    const auto socket = in.bytes(2);
    a.connType = in.u8();
    if (!in.ok() || !in.atEnd())
        return std::nullopt;
    std::copy(network.begin(), network.end(), a.network.begin());
    std::copy(node.begin(), node.end(), a.node.begin());
    std::copy(socket.begin(), socket.end(), a.socket.begin());
    return a;
}

RequestBody broadcastRequest(const std::vector<std::uint32_t>& connections,
                             const QByteArray& message)
{
    WireWriter w;
    w.u16le(std::uint16_t(connections.size()));
    for (const std::uint32_t c : connections)
        w.u32le(c);
    w.lengthPrefixed(message);
    return {0x15, 10, w.take()};
}

std::optional<std::vector<std::uint32_t>> decodeBroadcast(const QByteArray& data,
                                                          std::size_t expected)
{
    WireReader in(data);
    const std::uint16_t count = in.u16le();
    if (!in.ok() || count != expected)
        return std::nullopt;
    std::vector<std::uint32_t> statuses;
    statuses.reserve(count);
    for (std::uint16_t i = 0; i < count; ++i)
        statuses.push_back(in.u32le());
    if (!in.ok() || !in.atEnd())
        return std::nullopt;
    return statuses;
}

std::uint8_t broadcastResult(std::uint32_t status)
{
    switch (status) {
    case 0:
        return 0;
    case 1:
    case 2:
        return 0xFD;
    case 3:
    case 4:
        return 0xFC;
    default:
        return 0xFF;
    }
}

RequestBody oldBroadcastRequest(const std::vector<std::uint8_t>& connections,
                                const QByteArray& message)
{
    WireWriter w;
    w.u8(std::uint8_t(connections.size()));
    for (const std::uint8_t c : connections)
        w.u8(c);
    w.lengthPrefixed(message.left(kOldBroadcastLimit));
    return {0x15, 0, w.take()};
}

std::optional<std::vector<std::uint8_t>> decodeOldBroadcast(const QByteArray& data,
                                                            std::size_t expected)
{
    WireReader in(data);
    const std::uint8_t count = in.u8();
    if (!in.ok() || count != expected)
        return std::nullopt;
    std::vector<std::uint8_t> statuses;
    for (std::uint8_t i = 0; i < count; ++i)
        statuses.push_back(in.u8());
    if (!in.ok() || !in.atEnd())
        return std::nullopt;
    return statuses;
}

std::uint8_t oldBroadcastResult(std::uint8_t status)
{
    switch (status) {
    case 0:
        return 0;
    case 1:
    case 2:
    case 0xFD:
    case 0xFF:
        return 0xFD;
    case 3:
    case 4:
    case 0xFC:
        return 0xFC;
    default:
        return 0xFF;
    }
}

RequestBody clearConnectionRequest(std::uint32_t connection)
{
    WireWriter w;
    w.u32le(connection);
    return {0x17, 254, w.take()};
}

RequestBody clearConnectionOldRequest(std::uint8_t connection)
{
    WireWriter w;
    w.u8(connection);
    return {0x17, 210, w.take()};
}

RequestBody clearFileLockSetRequest()
{
    WireWriter w;
    w.u8(0); // lock flag
    return {0x08, 0, w.take()};
}

RequestBody clearFileLockRequest(std::uint8_t dirHandle, const QByteArray& path)
{
    WireWriter w;
    w.u8(dirHandle).lengthPrefixed(path);
    return {0x07, 0, w.take()};
}

} // namespace ncp
