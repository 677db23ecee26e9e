// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "netware/netware_client.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// A NetWare client whose answers a test writes down call by call: what the
// scan of connections answers batch by batch, each connection's information,
// address and trustees. It records the calls it receives.
class FakeClient : public nw::NetWareClient
{
public:
    struct Batch
    {
        nw::NWCCODE rc = nw::kSuccess;
        QList<nw::CONN_USING_FILE> entries;
        std::function<void()> during; // runs inside the call, e.g. a Stop click
    };
    struct Connection
    {
        QString name;
        std::array<std::uint8_t, 7> loginTime{104, 3, 4, 9, 15, 0, 4};
        nw::NWINET_ADDR address;
        nw::NWCCODE infoRc = nw::kSuccess;
    };

    // What the parse answers.
    nw::NWCCODE parseRc = nw::kSuccess;
    nw::NWCONN_HANDLE parseConn = 7;
    QString volume = QStringLiteral("DATA");

    QList<Batch> batches; // consumed one per call; 0x88FF once empty
    QHash<std::uint16_t, Connection> connections;

    // Directory services and trustees: name (as mapped from [Root]) -> id;
    // id -> trustee paths in server order; path (upper case) -> trustee list.
    QHash<QString, std::uint32_t> objectIds;
    QHash<std::uint32_t, QStringList> trusteePaths;
    QHash<QString, QList<nw::TRUSTEE_INFO>> trusteesOf;

    // What was received.
    QStringList calls;
    QStringList parsedPaths;
    QStringList scannedPaths;
    QList<std::int16_t> iterationHandlesIn;
    QStringList contextValues;
    QStringList scannedTrusteeDirs;

    static nw::CONN_USING_FILE entry(std::uint16_t conn, std::uint16_t task = 1,
                                     std::uint8_t lockType = 8, std::uint8_t access = 3,
                                     std::uint8_t lockFlag = 0);
    void addUser(std::uint16_t conn, const QString& name);

    nw::NWCCODE NWCallsInit(void*, void*) override { return 0; }
    nw::NWCCODE NWParsePath(const char* path, std::span<char> serverName, nw::NWCONN_HANDLE& conn,
                            std::span<char> volName, std::span<char> dirPath) override;
    nw::NWCCODE NWScanConnectionsUsingFile(nw::NWCONN_HANDLE conn, nw::NWDIR_HANDLE dirHandle,
                                           const char* filePath, std::int16_t& iterHandle,
                                           nw::CONN_USING_FILE_SUMMARY& fileUse,
                                           nw::CONNS_USING_FILE& fileUsed) override;
    nw::NWCCODE NWGetConnectionInformation(nw::NWCONN_HANDLE conn, std::uint16_t connNumber,
                                           std::span<char> objName, std::uint16_t& objType,
                                           std::uint32_t& objID,
                                           std::span<std::uint8_t> loginTime) override;
    nw::NWCCODE NWGetInetAddr(nw::NWCONN_HANDLE conn, std::uint16_t connNumber,
                              nw::NWINET_ADDR& inetAddr) override;
    nw::NWCCODE NWSendBroadcastMessage(nw::NWCONN_HANDLE, const char*, std::uint16_t,
                                       const std::uint32_t*, std::uint8_t*) override
    {
        return nw::kLockError;
    }
    nw::NWCCODE NWClearConnectionNumber(nw::NWCONN_HANDLE, std::uint16_t) override
    {
        return nw::kLockError;
    }
    nw::NWCCODE NWClearFileLockSet(nw::NWCONN_HANDLE) override { return nw::kLockError; }
    nw::NWCCODE NWAllocTemporaryDirectoryHandle(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, const char*,
                                                nw::NWDIR_HANDLE&, std::uint8_t&) override
    {
        return nw::kLockError;
    }
    nw::NWCCODE NWClearFileLock2(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, const char*) override
    {
        return nw::kLockError;
    }
    nw::NWCCODE NWDeallocateDirectoryHandle(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE) override
    {
        return nw::kLockError;
    }
    nw::NWCCODE NWGetVolumeNumber(nw::NWCONN_HANDLE conn, const char* volName,
                                  std::uint16_t& volNum) override;
    nw::NWCCODE NWScanObjectTrusteePaths(nw::NWCONN_HANDLE conn, std::uint32_t objID,
                                         std::uint16_t volNum, std::uint16_t& iterHandle,
                                         std::uint8_t& accessRights, std::span<char> path) override;
    nw::NWCCODE NWScanDirectoryForTrustees2(nw::NWCONN_HANDLE conn, nw::NWDIR_HANDLE dirHandle,
                                            const char* srchPath, std::uint32_t& iterHandle,
                                            std::span<char> dirName, std::uint32_t& dirDateTime,
                                            std::uint32_t& ownerID,
                                            std::span<nw::TRUSTEE_INFO> trustees) override;
    nw::NWCCODE NWDSCreateContextHandle(nw::NWDSContextHandle& context) override;
    nw::NWCCODE NWDSSetContext(nw::NWDSContextHandle context, int key, const void* value) override;
    nw::NWCCODE NWDSMapNameToID(nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn,
                                const char* objectName, std::uint32_t& objectID) override;
    nw::NWCCODE NWDSMapIDToName(nw::NWDSContextHandle, nw::NWCONN_HANDLE, std::uint32_t,
                                std::span<char>) override
    {
        return nw::kDsNoSuchEntry;
    }
    nw::NWCCODE NWDSFreeContext(nw::NWDSContextHandle context) override;
    nw::NWCCODE NWGetObjectName(nw::NWCONN_HANDLE, std::uint32_t, std::span<char>,
                                std::uint16_t&) override
    {
        return nw::kNoSuchObject;
    }
    nw::NWCCODE NWCCOpenConnByName(nw::NWCONN_HANDLE, const char*, std::uint32_t, std::uint32_t,
                                   std::uint32_t, nw::NWCONN_HANDLE&) override
    {
        return nw::kInvalidConnection;
    }
    nw::NWCCODE NWCCCloseConn(nw::NWCONN_HANDLE) override { return 0; }
    nw::NWCCODE NWGetLongName(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, const char*, std::uint8_t,
                              std::uint8_t, std::span<char>) override
    {
        return nw::kInvalidPath;
    }
    nw::NWCCODE NWIntScanExtendedInfo(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, std::uint8_t,
                                      std::uint32_t&, const char*, nw::NW_EXT_FILE_INFO&,
                                      std::uint8_t) override
    {
        return nw::kInvalidPath;
    }
    nw::NWCCODE NWGetFileServerVersionInfo(nw::NWCONN_HANDLE, nw::VERSION_INFO&) override
    {
        return nw::kInvalidConnection;
    }
    nw::NWCCODE NWScanOpenFilesByConn2(nw::NWCONN_HANDLE, std::uint16_t, std::int16_t&,
                                       nw::OPEN_FILE_CONN_CTRL&, nw::OPEN_FILE_CONN&) override
    {
        return nw::kInvalidConnection;
    }
    nw::NWCCODE NWGetObjectConnectionNumbers(nw::NWCONN_HANDLE, const char*, std::uint16_t,
                                             std::uint16_t&, std::span<std::uint16_t>) override
    {
        return nw::kInvalidConnection;
    }
    nw::NWCCODE NWGetActiveConnListByType(nw::NWCONN_HANDLE, std::uint32_t, std::uint32_t,
                                          nw::NWFSE_ACTIVE_CONN_LIST&) override
    {
        return nw::kInvalidConnection;
    }
    nw::NWCCODE NWGetPathFromDirectoryBase(nw::NWCONN_HANDLE, std::uint8_t, std::uint32_t,
                                           std::uint8_t, std::uint8_t&, std::span<char>) override
    {
        return nw::kInvalidConnection;
    }

private:
    QString context_;
};
