#include "fileinfo/object_names.h"

#include <algorithm>
#include <array>

namespace quorvex {

namespace {

const QString kUnknown = QStringLiteral("?");

} // namespace

QString nameFromBuffer(std::span<const char> buffer)
{
    const auto end = std::find(buffer.begin(), buffer.end(), '\0');
    return QString::fromLatin1(buffer.data(), static_cast<qsizetype>(end - buffer.begin()));
}

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
    return nameFromBuffer(name);
}

QString BinderyObjectName(nw::NetWareClient& client, std::uint32_t objectId, nw::NWCONN_HANDLE conn)
{
    std::array<char, 64> name{};
    std::uint16_t objectType = 0;
    if (client.NWGetObjectName(conn, objectId, name, objectType) != nw::kSuccess)
        return kUnknown;
    return nameFromBuffer(name);
}

} // namespace quorvex
