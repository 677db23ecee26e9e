// SPDX-License-Identifier: GPL-3.0-or-later
// Directory-services and bindery names. Context handles belong to the client;
// the name look-ups ask the server, and only a server with directory services
// (version above 3) answers them.

#include "netware/sim_client.h"

#include "netware/sim_path.h"

namespace nw {

NWCCODE SimClient::NWDSCreateContextHandle(NWDSContextHandle& context)
{
    if (const auto code = enterUnbound("NWDSCreateContextHandle"))
        return *code;
    context = nextContext_++;
    contexts_.insert(context, QString());
    return kSuccess;
}

NWCCODE SimClient::NWDSSetContext(NWDSContextHandle context, int key, const void* value)
{
    if (const auto code = enterUnbound("NWDSSetContext"))
        return *code;
    auto it = contexts_.find(context);
    if (it == contexts_.end())
        return kDsBadContext;
    if (key == DCK_NAME_CONTEXT)
        *it = value ? fromWire(static_cast<const char*>(value)) : QString();
    return kSuccess;
}

NWCCODE SimClient::NWDSFreeContext(NWDSContextHandle context)
{
    if (const auto code = enterUnbound("NWDSFreeContext"))
        return *code;
    return contexts_.remove(context) ? kSuccess : kDsBadContext;
}

NWCCODE SimClient::NWDSMapNameToID(NWDSContextHandle context, NWCONN_HANDLE conn,
                                   const char* objectName, std::uint32_t& objectID)
{
    auto it = contexts_.constFind(context);
    if (it == contexts_.constEnd())
        return kDsBadContext;
    const Call call = enter(conn, "NWDSMapNameToID");
    if (call.code)
        return call.code;
    if (call.state->versionMajor <= 3)
        return kDsNotSupported;
    // A name is relative to the name context; from [Root] it is the full
    // typeless name. A leading dot makes any name absolute.
    QString name = fromWire(objectName);
    const QString nameContext = *it;
    const bool fromRoot = name.startsWith(QLatin1Char('.')) || nameContext.isEmpty() ||
                          nameContext.compare(QLatin1String("[Root]"), Qt::CaseInsensitive) == 0;
    if (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    const QString full = fromRoot ? name : name + QLatin1Char('.') + nameContext;
    // Containers resolve as entries too.
    if (const SimObject* o = call.state->objectByFullName(full))
        objectID = o->id;
    else if (const SimContainer* c = call.state->containerByName(full))
        objectID = c->id;
    else
        return kDsNoSuchEntry;
    return kSuccess;
}

NWCCODE SimClient::NWDSMapIDToName(NWDSContextHandle context, NWCONN_HANDLE conn,
                                   std::uint32_t objectID, std::span<char> objectName)
{
    if (!contexts_.contains(context))
        return kDsBadContext;
    const Call call = enter(conn, "NWDSMapIDToName");
    if (call.code)
        return call.code;
    if (call.state->versionMajor <= 3)
        return kDsNotSupported;
    if (const SimObject* o = call.state->objectById(objectID))
        copyToBuffer(objectName, toWire(o->fullName()));
    else if (const SimContainer* c = call.state->containerById(objectID))
        copyToBuffer(objectName, toWire(c->name));
    else
        return kDsNoSuchEntry;
    return kSuccess;
}

NWCCODE SimClient::NWGetObjectName(NWCONN_HANDLE conn, std::uint32_t objID, std::span<char> objName,
                                   std::uint16_t& objType)
{
    const Call call = enter(conn, "NWGetObjectName");
    if (call.code)
        return call.code;
    const SimObject* o = call.state->objectById(objID);
    if (!o)
        return kNoSuchObject;
    copyToBuffer(objName, toWire(o->name));
    objType = o->type;
    return kSuccess;
}

} // namespace nw
