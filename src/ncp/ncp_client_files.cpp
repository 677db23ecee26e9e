// SPDX-License-Identifier: GPL-3.0-or-later
// What the volume browser asks of the session: requests sent as they are, and
// which name space a volume's paths take.

#include "ncp/ncp_client.h"

#include <algorithm>

namespace ncp {

using namespace nw;

NcpClient::Answer NcpClient::fileRequest(const RequestBody& body)
{
    if (filesHandle_ == 0 || !handles_.contains(filesHandle_))
        filesHandle_ = newHandle();
    return send(filesHandle_, body);
}

std::uint16_t NcpClient::packetSize() const
{
    // The smallest a server may answer before any negotiation.
    constexpr std::uint16_t kSmallest = 512;
    return session_ ? std::max(session_->negotiatedSize(), kSmallest) : kSmallest;
}

bool NcpClient::longNamesOn(const QByteArray& volume) const
{
    return !shortNameVolumes_.contains(volume.toUpper());
}

void NcpClient::refuseLongNames(const QByteArray& volume)
{
    shortNameVolumes_.insert(volume.toUpper());
}

} // namespace ncp
