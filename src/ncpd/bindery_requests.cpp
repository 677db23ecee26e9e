// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/bindery_requests.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "ncpd/request_text.h"

#include <algorithm>
#include <utility>

namespace ncpd {

QByteArray encodeVersionReply(const nw::VERSION_INFO& info)
{
    // The client-side record keeps its 16-bit fields little-endian (maximum,
    // in use, volumes, peak, product version); the wire has them big-endian.
    QByteArray out(reinterpret_cast<const char*>(info.bytes.data()), qsizetype(info.bytes.size()));
    for (const int offset : {50, 52, 54, 59, 70, 72, 74})
        std::swap(out[offset], out[offset + 1]);
    return out;
}

QByteArray encodeLoginKeyReply(const std::array<std::uint8_t, 8>& key)
{
    ncp::WireWriter out;
    out.bytes(key);
    return out.take();
}

std::optional<ObjectIdRequest> decodeObjectId(const QByteArray& data)
{
    ncp::WireReader in(data);
    ObjectIdRequest r;
    r.type = in.u16be();
    r.name = readText(in);
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeObjectRecord(std::uint32_t id, std::uint16_t type, const QByteArray& name)
{
    ncp::WireWriter out;
    out.u32be(id).u16be(type).paddedText(name, 48);
    return out.take();
}

std::optional<KeyedLoginRequest> decodeKeyedLogin(const QByteArray& data)
{
    ncp::WireReader in(data);
    KeyedLoginRequest r;
    const auto encrypted = in.bytes(8);
    std::copy(encrypted.begin(), encrypted.end(), r.encrypted.begin());
    r.type = in.u16be();
    r.name = readText(in);
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

std::optional<ObjectNameRequest> decodeObjectName(const QByteArray& data)
{
    ncp::WireReader in(data);
    ObjectNameRequest r;
    r.objectId = in.u32be();
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

} // namespace ncpd
