// SPDX-License-Identifier: GPL-3.0-or-later
// Directory-services and bindery names. Context handles belong to the client;
// the look-ups ask the server, and only a server with directory services
// (version above 3) is asked at all.

#include "ncp/completion_code.h"
#include "ncp/ds_fields.h"
#include "ncp/ds_requests.h"
#include "ncp/ncp_client.h"
#include "netware/sim_path.h"

namespace ncp {

using namespace nw;

NWCCODE NcpClient::NWDSCreateContextHandle(NWDSContextHandle& context)
{
    while (nextContext_ == 0 || contexts_.contains(nextContext_))
        ++nextContext_;
    context = nextContext_++;
    contexts_.insert(context, QString());
    return kSuccess;
}

NWCCODE NcpClient::NWDSSetContext(NWDSContextHandle context, int key, const void* value)
{
    auto it = contexts_.find(context);
    if (it == contexts_.end())
        return kDsBadContext;
    if (key == DCK_NAME_CONTEXT)
        *it = value ? fromWire(static_cast<const char*>(value)) : QString();
    return kSuccess;
}

NWCCODE NcpClient::NWDSFreeContext(NWDSContextHandle context)
{
    return contexts_.remove(context) ? kSuccess : kDsBadContext;
}

NWCCODE NcpClient::dsCall(NWDSContextHandle context, NWCONN_HANDLE conn, const RequestBody& body,
                          QByteArray& verbData)
{
    if (!contexts_.contains(context))
        return kDsBadContext;
    if (!handles_.contains(conn) || !ensureSession())
        return kInvalidConnection;
    // The version came with the session: a bindery server is not asked.
    if (version_.major <= 3)
        return kDsNotSupported;
    const Answer a = send(conn, body);
    if (a.code == kNotSupported)
        return kDsNotSupported;
    if (a.code)
        return a.code;
    const auto reply = decodeDsReply(a.data);
    if (!reply)
        return malformed();
    if (reply->error == kDsErrNoSuchEntry)
        return kDsNoSuchEntry;
    if (reply->error != 0)
        return NWCCODE(reply->error); // directory errors are negative numbers
    verbData = reply->verbData;
    return kSuccess;
}

NWCCODE NcpClient::NWDSMapNameToID(NWDSContextHandle context, NWCONN_HANDLE conn,
                                   const char* objectName, std::uint32_t& objectID)
{
    // A name is relative to the name context; from [Root] it is the full
    // typeless name. A leading dot makes any name absolute.
    QString name = fromWire(objectName);
    const QString nameContext = contexts_.value(context);
    const bool fromRoot = name.startsWith(QLatin1Char('.')) || nameContext.isEmpty() ||
                          nameContext.compare(QLatin1String("[Root]"), Qt::CaseInsensitive) == 0;
    if (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    const QString full = fromRoot ? name : name + QLatin1Char('.') + nameContext;
    QByteArray verbData;
    if (const NWCCODE code = dsCall(context, conn, resolveNameRequest(full), verbData))
        return code;
    const auto resolved = decodeResolvedName(verbData);
    if (!resolved)
        return malformed();
    if (!resolved->found)
        return kDsNoSuchEntry; // a referral to another server: not followed
    objectID = resolved->entryId;
    return kSuccess;
}

NWCCODE NcpClient::NWDSMapIDToName(NWDSContextHandle context, NWCONN_HANDLE conn,
                                   std::uint32_t objectID, std::span<char> objectName)
{
    QByteArray verbData;
    if (const NWCCODE code = dsCall(context, conn, readEntryNameRequest(objectID), verbData))
        return code;
    const auto name = decodeEntryName(verbData);
    if (!name)
        return malformed();
    copyToBuffer(objectName, toWire(*name));
    return kSuccess;
}

NWCCODE NcpClient::NWGetObjectName(NWCONN_HANDLE conn, std::uint32_t objID, std::span<char> objName,
                                   std::uint16_t& objType)
{
    const Answer a = send(conn, objectNameRequest(objID));
    if (a.code)
        return a.code;
    const auto object = decodeObjectName(a.data, objID);
    if (!object)
        return malformed();
    copyToBuffer(objName, object->name);
    objType = object->type;
    return kSuccess;
}

} // namespace ncp
