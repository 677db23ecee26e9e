// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/bindery_query_requests.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "ncpd/request_text.h"

namespace ncpd {
namespace {

constexpr int kObjectNameMax = 47;
constexpr int kPropertyNameMax = 15;

// A name field: 1 to max bytes, no NUL.
QByteArray readName(ncp::WireReader& in, int max)
{
    QByteArray name = readText(in);
    if (name.isEmpty() || name.size() > max)
        in.fail();
    return name;
}

} // namespace

std::optional<ScanObjectRequest> decodeScanObject(const QByteArray& data)
{
    ncp::WireReader in(data);
    ScanObjectRequest r;
    r.lastId = in.u32be();
    r.type = in.u16be();
    r.pattern = readName(in, kObjectNameMax);
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeScanObjectReply(std::uint32_t id, std::uint16_t type, const QByteArray& name,
                                 std::uint8_t flags, std::uint8_t security, bool hasProperties)
{
    ncp::WireWriter out;
    out.u32be(id).u16be(type).paddedText(name, 48).u8(flags).u8(security).u8(hasProperties ? 0xFF
                                                                                           : 0);
    return out.take();
}

std::optional<ScanPropertyRequest> decodeScanProperty(const QByteArray& data)
{
    ncp::WireReader in(data);
    ScanPropertyRequest r;
    r.type = in.u16be();
    r.object = readName(in, kObjectNameMax);
    r.lastInstance = in.u32be();
    r.pattern = readName(in, kPropertyNameMax);
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeScanPropertyReply(const QByteArray& name, std::uint8_t flags,
                                   std::uint8_t security, std::uint32_t instance, bool hasValue,
                                   bool more)
{
    ncp::WireWriter out;
    out.paddedText(name, 16)
        .u8(flags)
        .u8(security)
        .u32be(instance)
        .u8(hasValue ? 0xFF : 0)
        .u8(more ? 0xFF : 0);
    return out.take();
}

std::optional<ReadPropertyRequest> decodeReadProperty(const QByteArray& data)
{
    ncp::WireReader in(data);
    ReadPropertyRequest r;
    r.type = in.u16be();
    r.object = readName(in, kObjectNameMax);
    r.segment = in.u8();
    r.property = readName(in, kPropertyNameMax);
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeReadPropertyReply(const QByteArray& segment, bool more, std::uint8_t flags)
{
    ncp::WireWriter out;
    out.bytes(segment.leftJustified(128, '\0', true)).u8(more ? 0xFF : 0).u8(flags);
    return out.take();
}

QByteArray encodeAccessLevelReply(std::uint8_t level, std::uint32_t objectId)
{
    ncp::WireWriter out;
    out.u8(level).u32be(objectId);
    return out.take();
}

} // namespace ncpd
