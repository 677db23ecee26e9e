// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "netware/netware_client.h"

#include <QList>

namespace quorvex {

// A NetWare client for tests that need no server: every call fails, except that
// clearing a connection succeeds and is recorded, so a test sees exactly which
// connections were dropped and through which handle.
class RecordingNetWareClient : public nw::NetWareClient
{
public:
    struct Cleared
    {
        nw::NWCONN_HANDLE conn = 0;
        std::uint16_t connNumber = 0;
    };

    QList<Cleared> cleared;
    QList<std::uint16_t> clearedNumbers() const
    {
        QList<std::uint16_t> numbers;
        for (const Cleared& c : cleared)
            numbers.append(c.connNumber);
        return numbers;
    }

    nw::NWCCODE NWClearConnectionNumber(nw::NWCONN_HANDLE conn, std::uint16_t connNumber) override
    {
        cleared.append({conn, connNumber});
        return nw::kSuccess;
    }

    nw::NWCCODE NWCallsInit(void* /*reserved1*/, void* /*reserved2*/) override { return kFailure; }
    nw::NWCCODE NWParsePath(const char* /*path*/, std::span<char> /*serverName*/,
                            nw::NWCONN_HANDLE& /*conn*/, std::span<char> /*volName*/,
                            std::span<char> /*dirPath*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWScanConnectionsUsingFile(nw::NWCONN_HANDLE /*conn*/,
                                           nw::NWDIR_HANDLE /*dirHandle*/, const char* /*filePath*/,
                                           std::int16_t& /*iterHandle*/,
                                           nw::CONN_USING_FILE_SUMMARY& /*fileUse*/,
                                           nw::CONNS_USING_FILE& /*fileUsed*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWGetConnectionInformation(nw::NWCONN_HANDLE /*conn*/, std::uint16_t /*connNumber*/,
                                           std::span<char> /*objName*/, std::uint16_t& /*objType*/,
                                           std::uint32_t& /*objID*/,
                                           std::span<std::uint8_t> /*loginTime*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWGetInetAddr(nw::NWCONN_HANDLE /*conn*/, std::uint16_t /*connNumber*/,
                              nw::NWINET_ADDR& /*inetAddr*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWSendBroadcastMessage(nw::NWCONN_HANDLE /*conn*/, const char* /*message*/,
                                       std::uint16_t /*connCount*/,
                                       const std::uint32_t* /*connList*/,
                                       std::uint8_t* /*resultList*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWClearFileLockSet(nw::NWCONN_HANDLE /*conn*/) override { return kFailure; }
    nw::NWCCODE NWAllocTemporaryDirectoryHandle(nw::NWCONN_HANDLE /*conn*/,
                                                nw::NWDIR_HANDLE /*dirHandle*/,
                                                const char* /*dirPath*/,
                                                nw::NWDIR_HANDLE& /*newDirHandle*/,
                                                std::uint8_t& /*rightsMask*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWClearFileLock2(nw::NWCONN_HANDLE /*conn*/, nw::NWDIR_HANDLE /*dirHandle*/,
                                 const char* /*path*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWDeallocateDirectoryHandle(nw::NWCONN_HANDLE /*conn*/,
                                            nw::NWDIR_HANDLE /*dirHandle*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWGetVolumeNumber(nw::NWCONN_HANDLE /*conn*/, const char* /*volName*/,
                                  std::uint16_t& /*volNum*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWScanObjectTrusteePaths(nw::NWCONN_HANDLE /*conn*/, std::uint32_t /*objID*/,
                                         std::uint16_t /*volNum*/, std::uint16_t& /*iterHandle*/,
                                         std::uint8_t& /*accessRights*/,
                                         std::span<char> /*path*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWScanDirectoryForTrustees2(
        nw::NWCONN_HANDLE /*conn*/, nw::NWDIR_HANDLE /*dirHandle*/, const char* /*srchPath*/,
        std::uint32_t& /*iterHandle*/, std::span<char> /*dirName*/, std::uint32_t& /*dirDateTime*/,
        std::uint32_t& /*ownerID*/, std::span<nw::TRUSTEE_INFO> /*trustees*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWDSCreateContextHandle(nw::NWDSContextHandle& /*context*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWDSSetContext(nw::NWDSContextHandle /*context*/, int /*key*/,
                               const void* /*value*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWDSMapNameToID(nw::NWDSContextHandle /*context*/, nw::NWCONN_HANDLE /*conn*/,
                                const char* /*objectName*/, std::uint32_t& /*objectID*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWDSMapIDToName(nw::NWDSContextHandle /*context*/, nw::NWCONN_HANDLE /*conn*/,
                                std::uint32_t /*objectID*/, std::span<char> /*objectName*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWDSFreeContext(nw::NWDSContextHandle /*context*/) override { return kFailure; }
    nw::NWCCODE NWGetObjectName(nw::NWCONN_HANDLE /*conn*/, std::uint32_t /*objID*/,
                                std::span<char> /*objName*/, std::uint16_t& /*objType*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWCCOpenConnByName(nw::NWCONN_HANDLE /*startConnHandle*/, const char* /*name*/,
                                   std::uint32_t /*nameFormat*/, std::uint32_t /*openState*/,
                                   std::uint32_t /*tranType*/, nw::NWCONN_HANDLE& /*conn*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWCCCloseConn(nw::NWCONN_HANDLE /*conn*/) override { return kFailure; }
    nw::NWCCODE NWGetLongName(nw::NWCONN_HANDLE /*conn*/, nw::NWDIR_HANDLE /*dirHandle*/,
                              const char* /*path*/, std::uint8_t /*srcNamSpc*/,
                              std::uint8_t /*dstNamSpc*/, std::span<char> /*longName*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWIntScanExtendedInfo(nw::NWCONN_HANDLE /*conn*/, nw::NWDIR_HANDLE /*dirHandle*/,
                                      std::uint8_t /*attrs*/, std::uint32_t& /*iterHandle*/,
                                      const char* /*searchPattern*/,
                                      nw::NW_EXT_FILE_INFO& /*entryInfo*/,
                                      std::uint8_t /*augmentFlag*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWGetFileServerVersionInfo(nw::NWCONN_HANDLE /*conn*/,
                                           nw::VERSION_INFO& /*versBuffer*/) override
    {
        return kFailure;
    }
    nw::NWCCODE NWScanOpenFilesByConn2(nw::NWCONN_HANDLE, std::uint16_t, std::int16_t&,
                                       nw::OPEN_FILE_CONN_CTRL&, nw::OPEN_FILE_CONN&) override
    {
        return kFailure;
    }
    nw::NWCCODE NWGetObjectConnectionNumbers(nw::NWCONN_HANDLE, const char*, std::uint16_t,
                                             std::uint16_t&, std::span<std::uint16_t>) override
    {
        return kFailure;
    }
    nw::NWCCODE NWGetActiveConnListByType(nw::NWCONN_HANDLE, std::uint32_t, std::uint32_t,
                                          nw::NWFSE_ACTIVE_CONN_LIST&) override
    {
        return kFailure;
    }
    nw::NWCCODE NWGetPathFromDirectoryBase(nw::NWCONN_HANDLE, std::uint8_t, std::uint32_t,
                                           std::uint8_t, std::uint8_t&, std::span<char>) override
    {
        return kFailure;
    }

private:
    static constexpr nw::NWCCODE kFailure = nw::kLockError;
};

} // namespace quorvex
