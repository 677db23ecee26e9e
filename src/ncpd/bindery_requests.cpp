#include "ncpd/bindery_requests.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "ncpd/request_text.h"

#include <algorithm>

namespace ncpd {

QByteArray encodeVersionReply(const nw::VERSION_INFO& info)
{
    // The client-side record keeps its counts little-endian; the wire has them
    // big-endian.
    ncp::WireWriter out;
    out.bytes(std::span(info.bytes).first(50));
    for (std::size_t offset = 50; offset < 56; offset += 2)
        out.u16be(std::uint16_t(info.bytes[offset] | info.bytes[offset + 1] << 8));
    out.bytes(std::span(info.bytes).subspan(56));
    return out.take();
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

std::optional<ReadPropertyRequest> decodeReadProperty(const QByteArray& data)
{
    ncp::WireReader in(data);
    ReadPropertyRequest r;
    r.type = in.u16be();
    r.object = readText(in);
    r.segment = in.u8();
    r.property = readText(in);
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodePropertyReply(const QByteArray& value, std::uint8_t flags)
{
    ncp::WireWriter out;
    out.bytes(value.left(128)).zeros(std::size_t(128 - std::min<qsizetype>(value.size(), 128)));
    out.u8(0).u8(flags);
    return out.take();
}

std::optional<ObjectNameRequest> decodeObjectName(const QByteArray& data)
{
    ncp::WireReader in(data);
    ObjectNameRequest r;
    r.objectId = in.u32be();
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

} // namespace ncpd
