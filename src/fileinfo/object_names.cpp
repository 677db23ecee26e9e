// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/object_names.h"

#include "netware/netware_text.h"

#include <array>

namespace quorvex {

namespace {

const QString kUnknown = QStringLiteral("?");

} // namespace

QString DirectoryObjectName(nw::NetWareClient& client, std::uint32_t objectId,
                            nw::NWCONN_HANDLE conn)
{
    nw::NWDSContextHandle context = 0;
    client.NWDSCreateContextHandle(context);
    std::array<char, 256> name{};
    const nw::NWCCODE rc = client.NWDSMapIDToName(context, conn, objectId, name);
    client.NWDSFreeContext(context);
    if (rc != nw::kSuccess)
        return kUnknown;
    return nw::fromClientText(name);
}

QString BinderyObjectName(nw::NetWareClient& client, std::uint32_t objectId, nw::NWCONN_HANDLE conn)
{
    std::array<char, 64> name{};
    std::uint16_t objectType = 0;
    if (client.NWGetObjectName(conn, objectId, name, objectType) != nw::kSuccess)
        return kUnknown;
    return nw::fromClientText(name);
}

} // namespace quorvex
