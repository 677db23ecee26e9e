// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "netware/netware_client.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace quorvex {

// A NetWare client for tests that need exact control over return codes: every
// call is recorded ("NWClearConnectionNumber conn=7 number=3"), answers the code
// set for its name in codes (0 when none), and the calls the actions use keep
// what they were handed. Calls nobody scripted answer 0x8801.
class ScriptedClient : public nw::NetWareClient
{
public:
    QHash<QString, nw::NWCCODE> codes;      // by call name
    QSet<std::uint16_t> failingConnections; // clear and send answer 0x89FD for these
    QStringList calls;

    // What NWParsePath hands back.
    nw::NWCONN_HANDLE parseConn = 7;
    QByteArray parseServer = "FS1";
    QByteArray parseVolume = "DATA";
    QByteArray parseDir = "REPORTS";

    QList<QByteArray> messages;          // raw buffers of NWSendBroadcastMessage, NUL included
    QList<std::uint32_t> messageTargets; // first cell of each connection list
    QList<std::uint16_t> clearedConnections;
    QList<QByteArray> lockPaths; // NWClearFileLock2 paths
    int openDirHandles = 0;

    QStringList callNames() const;

    nw::NWCCODE NWCallsInit(void*, void*) override;
    nw::NWCCODE NWParsePath(const char* path, std::span<char> serverName, nw::NWCONN_HANDLE& conn,
                            std::span<char> volName, std::span<char> dirPath) override;
    nw::NWCCODE NWScanConnectionsUsingFile(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, const char*,
                                           std::int16_t&, nw::CONN_USING_FILE_SUMMARY&,
                                           nw::CONNS_USING_FILE&) override;
    nw::NWCCODE NWGetConnectionInformation(nw::NWCONN_HANDLE, std::uint16_t, std::span<char>,
                                           std::uint16_t&, std::uint32_t&,
                                           std::span<std::uint8_t>) override;
    nw::NWCCODE NWGetInetAddr(nw::NWCONN_HANDLE, std::uint16_t, nw::NWINET_ADDR&) override;
    nw::NWCCODE NWSendBroadcastMessage(nw::NWCONN_HANDLE conn, const char* message,
                                       std::uint16_t connCount, const std::uint32_t* connList,
                                       std::uint8_t* resultList) override;
    nw::NWCCODE NWClearConnectionNumber(nw::NWCONN_HANDLE conn, std::uint16_t connNumber) override;
    nw::NWCCODE NWClearFileLockSet(nw::NWCONN_HANDLE conn) override;
    nw::NWCCODE NWAllocTemporaryDirectoryHandle(nw::NWCONN_HANDLE conn, nw::NWDIR_HANDLE dirHandle,
                                                const char* dirPath, nw::NWDIR_HANDLE& newDirHandle,
                                                std::uint8_t& rightsMask) override;
    nw::NWCCODE NWClearFileLock2(nw::NWCONN_HANDLE conn, nw::NWDIR_HANDLE dirHandle,
                                 const char* path) override;
    nw::NWCCODE NWDeallocateDirectoryHandle(nw::NWCONN_HANDLE conn,
                                            nw::NWDIR_HANDLE dirHandle) override;
    nw::NWCCODE NWGetVolumeNumber(nw::NWCONN_HANDLE, const char*, std::uint16_t&) override;
    nw::NWCCODE NWScanObjectTrusteePaths(nw::NWCONN_HANDLE, std::uint32_t, std::uint16_t,
                                         std::uint16_t&, std::uint8_t&, std::span<char>) override;
    nw::NWCCODE NWScanDirectoryForTrustees2(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, const char*,
                                            std::uint32_t&, std::span<char>, std::uint32_t&,
                                            std::uint32_t&, std::span<nw::TRUSTEE_INFO>) override;
    nw::NWCCODE NWDSCreateContextHandle(nw::NWDSContextHandle&) override;
    nw::NWCCODE NWDSSetContext(nw::NWDSContextHandle, int, const void*) override;
    nw::NWCCODE NWDSMapNameToID(nw::NWDSContextHandle, nw::NWCONN_HANDLE, const char*,
                                std::uint32_t&) override;
    nw::NWCCODE NWDSMapIDToName(nw::NWDSContextHandle, nw::NWCONN_HANDLE, std::uint32_t,
                                std::span<char>) override;
    nw::NWCCODE NWDSFreeContext(nw::NWDSContextHandle) override;
    nw::NWCCODE NWGetObjectName(nw::NWCONN_HANDLE, std::uint32_t, std::span<char>,
                                std::uint16_t&) override;
    nw::NWCCODE NWCCOpenConnByName(nw::NWCONN_HANDLE, const char*, std::uint32_t, std::uint32_t,
                                   std::uint32_t, nw::NWCONN_HANDLE&) override;
    nw::NWCCODE NWCCCloseConn(nw::NWCONN_HANDLE) override;
    nw::NWCCODE NWGetLongName(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, const char*, std::uint8_t,
                              std::uint8_t, std::span<char>) override;
    nw::NWCCODE NWIntScanExtendedInfo(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, std::uint8_t,
                                      std::uint32_t&, const char*, nw::NW_EXT_FILE_INFO&,
                                      std::uint8_t) override;
    nw::NWCCODE NWGetFileServerVersionInfo(nw::NWCONN_HANDLE, nw::VERSION_INFO&) override;
    nw::NWCCODE NWScanOpenFilesByConn2(nw::NWCONN_HANDLE, std::uint16_t, std::int16_t&,
                                       nw::OPEN_FILE_CONN_CTRL&, nw::OPEN_FILE_CONN&) override
    {
        return nw::kLockError;
    }
    nw::NWCCODE NWGetObjectConnectionNumbers(nw::NWCONN_HANDLE, const char*, std::uint16_t,
                                             std::uint16_t&, std::span<std::uint16_t>) override
    {
        return nw::kLockError;
    }
    nw::NWCCODE NWGetActiveConnListByType(nw::NWCONN_HANDLE, std::uint32_t, std::uint32_t,
                                          nw::NWFSE_ACTIVE_CONN_LIST&) override
    {
        return nw::kLockError;
    }
    nw::NWCCODE NWGetPathFromDirectoryBase(nw::NWCONN_HANDLE, std::uint8_t, std::uint32_t,
                                           std::uint8_t, std::uint8_t&, std::span<char>) override
    {
        return nw::kLockError;
    }

private:
    nw::NWCCODE answer(const QString& name, const QString& details);
    nw::NWCCODE unscripted(const char* name);
};

} // namespace quorvex
