// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/ds_requests.h"

#include "ncp/ds_fields.h"
#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

namespace ncp {
namespace {

constexpr std::uint32_t kNoFragment = 0xFFFFFFFF;
constexpr std::uint32_t kMaxFragment = 4096 - 16; // the reply limit less the fragment header

RequestBody fragment(std::uint32_t verb, const QByteArray& parameters)
{
    WireWriter w;
    w.u32le(kNoFragment)
        .u32le(kMaxFragment)
        .u32le(std::uint32_t(parameters.size() + 12))
        .u32le(0) // flags
        .u32le(verb)
        .u32le(kMaxFragment)
        .bytes(parameters);
    return {0x68, 2, w.take()};
}

} // namespace

RequestBody resolveNameRequest(const QString& name)
{
    return fragment(kVerbResolveName, resolveNameParameters(name));
}

QByteArray resolveNameParameters(const QString& name)
{
    WireWriter w;
    w.u32le(0)       // version
        .u32le(0x11) // flags: the entry ID, of a local entry
        .u32le(0);   // scope
    writeSized(w, utf16z(name));
    // One transport each for the answer and for walking the tree: TCP/IP.
    w.u32le(1).u32le(1).u32le(1).u32le(1);
    return w.take();
}

RequestBody readEntryNameRequest(std::uint32_t entryId)
{
    WireWriter w;
    w.u32le(2)         // version
        .u32le(1)      // typeless names
        .u32le(0x2000) // the distinguished name
        .u32be(entryId);
    return fragment(kVerbReadEntryInfo, w.take());
}

std::optional<DsReply> decodeDsReply(const QByteArray& data)
{
    WireReader in(data);
    const std::uint32_t length = in.u32le();
    const std::uint32_t next = in.u32le();
    DsReply r;
    r.error = std::int32_t(in.u32le());
    // The fragment length counts what follows it.
    if (!in.ok() || next != kNoFragment || length != std::size_t(data.size()) - 4)
        return std::nullopt;
    r.verbData = in.byteArray(in.remaining());
    return r;
}

std::optional<ResolvedName> decodeResolvedName(const QByteArray& verbData)
{
    WireReader in(verbData);
    const std::uint32_t tag = in.u32le();
    ResolvedName r;
    r.entryId = in.u32be();
    // Referrals (where else the entry lives) may follow; they are not needed.
    if (!in.ok())
        return std::nullopt;
    r.found = tag == 1;
    return r;
}

std::optional<QString> decodeEntryName(const QByteArray& verbData)
{
    WireReader in(verbData);
    const std::uint32_t length = in.u32le();
    if (!in.ok() || length % 2 != 0 || length > in.remaining())
        return std::nullopt;
    const QByteArray bytes = in.byteArray(length);
    QString name;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        name.append(QChar(char16_t(std::uint8_t(bytes[i]) | std::uint8_t(bytes[i + 1]) << 8)));
    // The length counts a terminator; a name without one is taken as it is.
    if (name.endsWith(QChar(0)))
        name.chop(1);
    if (name.contains(QChar(0)))
        return std::nullopt;
    const std::size_t padding = (4 - length % 4) % 4;
    if (in.remaining() != padding)
        return std::nullopt;
    return name;
}

} // namespace ncp
