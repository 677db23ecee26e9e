// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/ds_requests.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

namespace ncpd {
namespace {

// u32 count and that many u32 values, the count checked against what is left.
std::vector<std::uint32_t> readList(ncp::WireReader& in)
{
    const std::uint32_t count = in.u32le();
    if (!in.ok() || std::size_t(count) > in.remaining() / 4) {
        in.fail();
        return {};
    }
    std::vector<std::uint32_t> values(count);
    for (std::uint32_t& v : values)
        v = in.u32le();
    return values;
}

// Byte length (terminator included), UTF-16LE with its terminator, padded to 4.
QString readUtf16(ncp::WireReader& in)
{
    const std::uint32_t length = in.u32le();
    if (!in.ok() || length < 2 || length % 2 != 0 || length > in.remaining()) {
        in.fail();
        return QString();
    }
    const auto bytes = in.bytes(length);
    in.skip((4 - length % 4) % 4);
    if (bytes[length - 1] != 0 || bytes[length - 2] != 0) {
        in.fail();
        return QString();
    }
    QString text;
    for (std::size_t i = 0; i + 2 < length; i += 2)
        text.append(QChar(char16_t(bytes[i] | bytes[i + 1] << 8)));
    if (text.contains(QChar(0)))
        in.fail();
    return text;
}

} // namespace

std::optional<ResolveNameRequest> decodeResolveName(const QByteArray& parameters)
{
    ncp::WireReader in(parameters);
    ResolveNameRequest r;
    r.version = in.u32le();
    r.flags = in.u32le();
    r.scope = in.u32le();
    r.name = readUtf16(in);
    r.transports = readList(in);
    r.treeWalkerTransports = readList(in);
    return in.ok() ? std::optional(r) : std::nullopt;
}

std::uint32_t ReadEntryNameRequest::objectId() const
{
    return std::uint32_t(entryId[0]) << 24 | std::uint32_t(entryId[1]) << 16 |
           std::uint32_t(entryId[2]) << 8 | entryId[3];
}

std::optional<ReadEntryNameRequest> decodeReadEntryName(const QByteArray& parameters)
{
    ncp::WireReader in(parameters);
    ReadEntryNameRequest r;
    r.version = in.u32le();
    r.requestFlags = in.u32le();
    r.infoFlags = in.u32le();
    const auto id = in.bytes(4);
    if (!in.ok())
        return std::nullopt;
    std::copy(id.begin(), id.end(), r.entryId.begin());
    return r;
}

QByteArray encodeDsNextFragment(std::uint32_t handle)
{
    ncp::WireWriter out;
    out.u32le(4).u32le(handle);
    return out.take();
}

QByteArray encodeResolveNameData(std::uint32_t objectId)
{
    ncp::WireWriter out;
    // The entry lives here: no referral records follow.
    out.u32le(kResolvedLocalEntry).u32be(objectId).u32le(0);
    return out.take();
}

} // namespace ncpd
