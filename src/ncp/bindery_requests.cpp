// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/bindery_requests.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

#include <algorithm>
#include <utility>

namespace ncp {

RequestBody versionRequest()
{
    return {0x17, 17, {}};
}

std::optional<ServerVersion> decodeVersion(const QByteArray& data)
{
    WireReader in(data);
    ServerVersion v;
    v.name = in.paddedText(48);
    v.major = in.u8();
    v.minor = in.u8();
    if (!in.ok() || data.size() != 128)
        return std::nullopt;
    std::copy(data.begin(), data.end(), v.bytes.begin());
    // The record keeps its 16-bit fields in host order, as the simulated
    // server fills it; the wire has them big-endian.
    for (const std::size_t offset : {50, 52, 54, 59, 70, 72, 74})
        std::swap(v.bytes[offset], v.bytes[offset + 1]);
    return v;
}

RequestBody loginKeyRequest()
{
    return {0x17, 23, {}};
}

std::optional<std::array<std::uint8_t, 8>> decodeLoginKey(const QByteArray& data)
{
    if (data.size() != 8)
        return std::nullopt;
    std::array<std::uint8_t, 8> key{};
    std::copy(data.begin(), data.end(), key.begin());
    return key;
}

RequestBody objectIdRequest(std::uint16_t type, const QByteArray& name)
{
    WireWriter w;
    w.u16be(type).lengthPrefixed(name);
    return {0x17, 53, w.take()};
}

std::optional<std::uint32_t> decodeObjectId(const QByteArray& data)
{
    // The ID alone, or followed by the type and the 48-byte name as servers
    // commonly send it.
    if (data.size() != 4 && data.size() != 54)
        return std::nullopt;
    WireReader in(data);
    const std::uint32_t id = in.u32be();
    if (!in.ok() || id == 0)
        return std::nullopt;
    return id;
}

RequestBody keyedLoginRequest(const std::array<std::uint8_t, 8>& encrypted, std::uint16_t type,
                              const QByteArray& name)
{
    WireWriter w;
    w.bytes(encrypted).u16be(type).lengthPrefixed(name);
    return {0x17, 24, w.take()};
}

bool decodeEmpty(const QByteArray& data)
{
    return data.isEmpty();
}

RequestBody readPropertyRequest(std::uint16_t type, const QByteArray& object, std::uint8_t segment,
                                const QByteArray& property)
{
    WireWriter w;
    w.u16be(type).lengthPrefixed(object).u8(segment).lengthPrefixed(property);
    return {0x17, 61, w.take()};
}

std::optional<int> decodeGraceLogins(const QByteArray& data)
{
    // 128 bytes of value, then "more segments" and the property's flags.
    if (data.size() != 130)
        return std::nullopt;
    return int(std::uint8_t(data[7]));
}

RequestBody objectNameRequest(std::uint32_t objectId)
{
    WireWriter w;
    w.u32be(objectId);
    return {0x17, 54, w.take()};
}

std::optional<ObjectName> decodeObjectName(const QByteArray& data, std::uint32_t objectId)
{
    WireReader in(data);
    const std::uint32_t id = in.u32be();
    ObjectName o;
    o.type = in.u16be();
    o.name = in.paddedText(48);
    if (!in.ok() || !in.atEnd() || id != objectId)
        return std::nullopt;
    return o;
}

} // namespace ncp
