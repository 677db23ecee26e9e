// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/wire_status.h"

#include "ncp/completion_code.h"
#include "ncp/ncp_packet.h"

namespace ncpd {

WireStatus wireStatus(nw::NWCCODE code)
{
    if (code == nw::kInvalidConnection)
        return WireStatus{0xFF, ncp::kStatusBadConnection};
    if (const auto byte = ncp::completionByte(code))
        return WireStatus{*byte, 0};
    return WireStatus{0xFF, 0};
}

} // namespace ncpd
