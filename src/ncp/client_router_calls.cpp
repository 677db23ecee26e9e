// SPDX-License-Identifier: GPL-3.0-or-later
// The calls that name a connection go to that connection's backend with the
// backend's own handle; directory-services contexts map onto a context of each
// backend they are used with.

#include "ncp/client_router.h"

namespace nw {

#define ROUTE_OR_FAIL(conn)                                                                        \
    const Route* r = route(conn);                                                                  \
    if (!r)                                                                                        \
        return kInvalidConnection;

NWCCODE ClientRouter::NWScanConnectionsUsingFile(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                                 const char* filePath, std::int16_t& iterHandle,
                                                 CONN_USING_FILE_SUMMARY& fileUse,
                                                 CONNS_USING_FILE& fileUsed)
{
    fileUsed.connCount = 0;
    ROUTE_OR_FAIL(conn)
    return r->backend->NWScanConnectionsUsingFile(r->inner, dirHandle, filePath, iterHandle,
                                                  fileUse, fileUsed);
}

NWCCODE ClientRouter::NWGetConnectionInformation(NWCONN_HANDLE conn, std::uint16_t connNumber,
                                                 std::span<char> objName, std::uint16_t& objType,
                                                 std::uint32_t& objID,
                                                 std::span<std::uint8_t> loginTime)
{
    ROUTE_OR_FAIL(conn)
    return r->backend->NWGetConnectionInformation(r->inner, connNumber, objName, objType, objID,
                                                  loginTime);
}

NWCCODE ClientRouter::NWGetInetAddr(NWCONN_HANDLE conn, std::uint16_t connNumber,
                                    NWINET_ADDR& inetAddr)
{
    ROUTE_OR_FAIL(conn)
    return r->backend->NWGetInetAddr(r->inner, connNumber, inetAddr);
}

NWCCODE ClientRouter::NWSendBroadcastMessage(NWCONN_HANDLE conn, const char* message,
                                             std::uint16_t connCount, const std::uint32_t* connList,
                                             std::uint8_t* resultList)
{
    ROUTE_OR_FAIL(conn)
    return r->backend->NWSendBroadcastMessage(r->inner, message, connCount, connList, resultList);
}

NWCCODE ClientRouter::NWClearConnectionNumber(NWCONN_HANDLE conn, std::uint16_t connNumber)
{
    ROUTE_OR_FAIL(conn)
    return r->backend->NWClearConnectionNumber(r->inner, connNumber);
}

NWCCODE ClientRouter::NWClearFileLockSet(NWCONN_HANDLE conn)
{
    ROUTE_OR_FAIL(conn)
    return r->backend->NWClearFileLockSet(r->inner);
}

NWCCODE ClientRouter::NWAllocTemporaryDirectoryHandle(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                                      const char* dirPath,
                                                      NWDIR_HANDLE& newDirHandle,
                                                      std::uint8_t& rightsMask)
{
    ROUTE_OR_FAIL(conn)
    return r->backend->NWAllocTemporaryDirectoryHandle(r->inner, dirHandle, dirPath, newDirHandle,
                                                       rightsMask);
}

NWCCODE ClientRouter::NWClearFileLock2(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle, const char* path)
{
    ROUTE_OR_FAIL(conn)
    return r->backend->NWClearFileLock2(r->inner, dirHandle, path);
}

NWCCODE ClientRouter::NWDeallocateDirectoryHandle(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle)
{
    ROUTE_OR_FAIL(conn)
    return r->backend->NWDeallocateDirectoryHandle(r->inner, dirHandle);
}

NWCCODE ClientRouter::NWGetVolumeNumber(NWCONN_HANDLE conn, const char* volName,
                                        std::uint16_t& volNum)
{
    ROUTE_OR_FAIL(conn)
    return r->backend->NWGetVolumeNumber(r->inner, volName, volNum);
}

NWCCODE ClientRouter::NWScanObjectTrusteePaths(NWCONN_HANDLE conn, std::uint32_t objID,
                                               std::uint16_t volNum, std::uint16_t& iterHandle,
                                               std::uint8_t& accessRights, std::span<char> path)
{
    ROUTE_OR_FAIL(conn)
    return r->backend->NWScanObjectTrusteePaths(r->inner, objID, volNum, iterHandle, accessRights,
                                                path);
}

NWCCODE ClientRouter::NWScanDirectoryForTrustees2(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                                  const char* srchPath, std::uint32_t& iterHandle,
                                                  std::span<char> dirName,
                                                  std::uint32_t& dirDateTime,
                                                  std::uint32_t& ownerID,
                                                  std::span<TRUSTEE_INFO> trustees)
{
    ROUTE_OR_FAIL(conn)
    return r->backend->NWScanDirectoryForTrustees2(r->inner, dirHandle, srchPath, iterHandle,
                                                   dirName, dirDateTime, ownerID, trustees);
}

NWCCODE ClientRouter::NWGetObjectName(NWCONN_HANDLE conn, std::uint32_t objID,
                                      std::span<char> objName, std::uint16_t& objType)
{
    ROUTE_OR_FAIL(conn)
    return r->backend->NWGetObjectName(r->inner, objID, objName, objType);
}

NWCCODE ClientRouter::NWGetLongName(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle, const char* path,
                                    std::uint8_t srcNamSpc, std::uint8_t dstNamSpc,
                                    std::span<char> longName)
{
    ROUTE_OR_FAIL(conn)
    return r->backend->NWGetLongName(r->inner, dirHandle, path, srcNamSpc, dstNamSpc, longName);
}

NWCCODE ClientRouter::NWIntScanExtendedInfo(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                            std::uint8_t attrs, std::uint32_t& iterHandle,
                                            const char* searchPattern, NW_EXT_FILE_INFO& entryInfo,
                                            std::uint8_t augmentFlag)
{
    ROUTE_OR_FAIL(conn)
    return r->backend->NWIntScanExtendedInfo(r->inner, dirHandle, attrs, iterHandle, searchPattern,
                                             entryInfo, augmentFlag);
}

NWCCODE ClientRouter::NWGetFileServerVersionInfo(NWCONN_HANDLE conn, VERSION_INFO& versBuffer)
{
    ROUTE_OR_FAIL(conn)
    return r->backend->NWGetFileServerVersionInfo(r->inner, versBuffer);
}

NWCCODE ClientRouter::NWScanOpenFilesByConn2(NWCONN_HANDLE conn, std::uint16_t connNum,
                                             std::int16_t& iterHandle,
                                             OPEN_FILE_CONN_CTRL& openCtrl,
                                             OPEN_FILE_CONN& openFile)
{
    ROUTE_OR_FAIL(conn)
    return r->backend->NWScanOpenFilesByConn2(r->inner, connNum, iterHandle, openCtrl, openFile);
}

NWCCODE ClientRouter::NWGetObjectConnectionNumbers(NWCONN_HANDLE conn, const char* objName,
                                                   std::uint16_t objType, std::uint16_t& numConns,
                                                   std::span<std::uint16_t> connList)
{
    numConns = 0;
    ROUTE_OR_FAIL(conn)
    return r->backend->NWGetObjectConnectionNumbers(r->inner, objName, objType, numConns, connList);
}

NWCCODE ClientRouter::NWGetActiveConnListByType(NWCONN_HANDLE conn, std::uint32_t startConnNum,
                                                std::uint32_t connType,
                                                NWFSE_ACTIVE_CONN_LIST& connList)
{
    ROUTE_OR_FAIL(conn)
    return r->backend->NWGetActiveConnListByType(r->inner, startConnNum, connType, connList);
}

NWCCODE ClientRouter::NWGetPathFromDirectoryBase(NWCONN_HANDLE conn, std::uint8_t volNum,
                                                 std::uint32_t dirBase, std::uint8_t namSpc,
                                                 std::uint8_t& len, std::span<char> pathName)
{
    ROUTE_OR_FAIL(conn)
    return r->backend->NWGetPathFromDirectoryBase(r->inner, volNum, dirBase, namSpc, len, pathName);
}

NWCCODE ClientRouter::NWDSCreateContextHandle(NWDSContextHandle& context)
{
    while (nextContext_ == 0 || contexts_.contains(nextContext_))
        ++nextContext_;
    context = nextContext_++;
    contexts_[context] = Context{};
    return kSuccess;
}

NWCCODE ClientRouter::NWDSSetContext(NWDSContextHandle context, int key, const void* value)
{
    const auto it = contexts_.find(context);
    if (it == contexts_.end())
        return kDsBadContext;
    if (key != DCK_NAME_CONTEXT)
        return kSuccess; // no other key changes what the look-ups send
    Context& c = it->second;
    c.hasNameContext = value != nullptr;
    c.nameContext = value ? QByteArray(static_cast<const char*>(value)) : QByteArray();
    for (const auto& [backend, inner] : c.inner)
        backend->NWDSSetContext(inner, key, value ? c.nameContext.constData() : nullptr);
    return kSuccess;
}

std::optional<NWDSContextHandle> ClientRouter::innerContext(Context& context,
                                                            NetWareClient* backend)
{
    if (const auto it = context.inner.find(backend); it != context.inner.end())
        return it->second;
    NWDSContextHandle inner = 0;
    if (backend->NWDSCreateContextHandle(inner) != kSuccess)
        return std::nullopt;
    if (context.hasNameContext)
        backend->NWDSSetContext(inner, DCK_NAME_CONTEXT, context.nameContext.constData());
    context.inner[backend] = inner;
    return inner;
}

NWCCODE ClientRouter::NWDSMapNameToID(NWDSContextHandle context, NWCONN_HANDLE conn,
                                      const char* objectName, std::uint32_t& objectID)
{
    const auto it = contexts_.find(context);
    if (it == contexts_.end())
        return kDsBadContext;
    ROUTE_OR_FAIL(conn)
    const auto inner = innerContext(it->second, r->backend);
    if (!inner)
        return kDsBadContext;
    return r->backend->NWDSMapNameToID(*inner, r->inner, objectName, objectID);
}

NWCCODE ClientRouter::NWDSMapIDToName(NWDSContextHandle context, NWCONN_HANDLE conn,
                                      std::uint32_t objectID, std::span<char> objectName)
{
    const auto it = contexts_.find(context);
    if (it == contexts_.end())
        return kDsBadContext;
    ROUTE_OR_FAIL(conn)
    const auto inner = innerContext(it->second, r->backend);
    if (!inner)
        return kDsBadContext;
    return r->backend->NWDSMapIDToName(*inner, r->inner, objectID, objectName);
}

NWCCODE ClientRouter::NWDSFreeContext(NWDSContextHandle context)
{
    const auto it = contexts_.find(context);
    if (it == contexts_.end())
        return kDsBadContext;
    for (const auto& [backend, inner] : it->second.inner)
        backend->NWDSFreeContext(inner);
    contexts_.erase(it);
    return kSuccess;
}

#undef ROUTE_OR_FAIL

} // namespace nw
