// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/old_form_requests.h"

#include "ncp/wire_writer.h"

namespace ncpd {

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
