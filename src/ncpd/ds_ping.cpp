// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/ds_ping.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

namespace ncpd {
namespace {

constexpr int kTreeNameChars = 32;

// Length (terminator included), the name in the server's single-byte
// encoding, NUL.
void putAsciiz(ncp::WireWriter& out, const QByteArray& text)
{
    out.u32le(std::uint32_t(text.size() + 1)).bytes(text).u8(0);
}

} // namespace

std::optional<DsPingRequest> decodeDsPing(const QByteArray& data)
{
    DsPingRequest r;
    if (data.size() < 4)
        return r; // the short form: a ping of version 0
    ncp::WireReader in(data);
    r.version = in.u32le();
    if (in.remaining() >= 4)
        r.fields = in.u32le();
    if (!in.atEnd() || r.version > 1)
        return std::nullopt;
    return r;
}

QByteArray encodeDsPingReply(const DsPingRequest& request, const DsPingAnswer& answer)
{
    ncp::WireWriter out;
    const QByteArray tree = answer.tree.toUpper().toLatin1().left(kTreeNameChars);
    if (request.version == 0) {
        // The name as servers advertise it: padded with '_' to its full width.
        out.u32le(9);
        putAsciiz(out, tree + QByteArray(kTreeNameChars - tree.size(), '_'));
        out.u32le(answer.depth).u32le(answer.buildNumber).u32le(answer.flags);
        return out.take();
    }
    constexpr std::uint32_t kServed = kPingSupportedFields | kPingDepth | kPingBuildNumber |
                                      kPingFlags | kPingSapName | kPingTreeName;
    const std::uint32_t fields = request.fields & kServed;
    out.u32le(10);
    if (fields & kPingSupportedFields)
        out.u32le(kServed);
    if (fields & kPingDepth)
        out.u32le(answer.depth);
    if (fields & kPingBuildNumber)
        out.u32le(answer.buildNumber);
    if (fields & kPingFlags)
        out.u32le(answer.flags);
    if (fields & kPingSapName)
        putAsciiz(out, tree + QByteArray(kTreeNameChars - tree.size(), '_'));
    if (fields & kPingTreeName) {
        // A distinguished name: byte length with the terminator, UTF-16LE, padded to 4.
        const QString name = answer.tree.toUpper();
        const std::uint32_t length = std::uint32_t(name.size() + 1) * 2;
        out.u32le(length);
        for (const QChar c : name)
            out.u16le(c.unicode());
        out.u16le(0).zeros((4 - length % 4) % 4);
    }
    return out.take();
}

} // namespace ncpd
