// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/bad_request.h"

#include "ncp/ncp_packet.h"
#include "ncp/wire_reader.h"

namespace ncpd {
namespace {

// Type u16, sequence, connection low, task, connection high.
constexpr std::size_t kEchoedHeader = 6;

} // namespace

bool answerable(const QByteArray& ncpPacket)
{
    return std::size_t(ncpPacket.size()) >= kEchoedHeader;
}

std::optional<QByteArray> badRequestReply(const QByteArray& ncpPacket, std::uint16_t connection)
{
    if (!answerable(ncpPacket))
        return std::nullopt;
    ncp::WireReader in(ncpPacket);
    const std::uint16_t type = in.u16be();
    ncp::Reply reply;
    reply.sequence = in.u8();
    in.skip(1);
    reply.task = in.u8();
    reply.connection = connection;
    const bool knownType =
        type == ncp::kRequest || type == ncp::kCreateConnection || type == ncp::kDestroyConnection;
    reply.completion = knownType ? kCompletionBadRequest : kCompletionNotSupported;
    return ncp::encodeReply(reply);
}

} // namespace ncpd
