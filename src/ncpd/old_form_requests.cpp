// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/old_form_requests.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "ncpd/request_text.h"

namespace ncpd {

std::optional<std::uint8_t> decodeConnectionByte(const QByteArray& data)
{
    ncp::WireReader in(data);
    const std::uint8_t connection = in.u8();
    return consumedExactly(in) ? std::optional(connection) : std::nullopt;
}

QByteArray encodeOldInetAddrReply(const nw::NWINET_ADDR& address)
{
    ncp::WireWriter out;
    out.bytes(address.network).bytes(address.node).bytes(address.socket);
    return out.take();
}

QByteArray encodeMessageReply(const QByteArray& message)
{
    ncp::WireWriter out;
    out.lengthPrefixed(message);
    return out.take();
}

} // namespace ncpd
