// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The NetWare client the program talks to: it sends each call to the backend of
// the server the call is about. "sim:" servers (and any the NCP backend does
// not take) go to one SimClient; every "ncp:" server has its own NcpClient.
// Connection handles and directory-services contexts are the router's own and
// map onto the backends' handles and contexts.
//
// Not thread-safe: the program calls it from its user-interface thread.

#include "ncp/ncp_client.h"
#include "ncp/ncp_session.h"
#include "netware/netware_client.h"
#include "netware/sim_client.h"

#include <QByteArray>

#include <map>
#include <memory>
#include <vector>

namespace ncp {
class PasswordSource;
}

namespace quorvex {
class VolumeFiles;
struct DriveEntry;
} // namespace quorvex

namespace nw {

class ClientRouter : public NetWareClient
{
public:
    // passwords may be null (every login then uses the empty password).
    ClientRouter(std::vector<ServerBackend> servers, DriveLookup drives,
                 ncp::PasswordSource* passwords, ncp::SessionOptions options = {});
    ~ClientRouter() override;

    // Host directory of a simulated server's volume; "" for servers reached
    // over the network (their drives name an "@/host" mount instead).
    QString volumeHostDirectory(const QString& server, const QString& volume);
    // Every server of the settings, in their order.
    std::vector<SimServerInfo> serverList();
    SimServer* simServer(const QString& server);
    // How a network drive without a mount reaches its files: over NCP for an
    // "ncp:" server, through the volume's folder for a simulated one; null
    // when the drive's server is neither.
    std::unique_ptr<quorvex::VolumeFiles> volumeFiles(const quorvex::DriveEntry& drive);
    SimClient& simClient() { return *sim_; }
    ncp::NcpClient* ncpClient(const QString& server);

    NWCCODE NWCallsInit(void* reserved1, void* reserved2) override;
    NWCCODE NWParsePath(const char* path, std::span<char> serverName, NWCONN_HANDLE& conn,
                        std::span<char> volName, std::span<char> dirPath) override;
    NWCCODE NWScanConnectionsUsingFile(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                       const char* filePath, std::int16_t& iterHandle,
                                       CONN_USING_FILE_SUMMARY& fileUse,
                                       CONNS_USING_FILE& fileUsed) override;
    NWCCODE NWGetConnectionInformation(NWCONN_HANDLE conn, std::uint16_t connNumber,
                                       std::span<char> objName, std::uint16_t& objType,
                                       std::uint32_t& objID,
                                       std::span<std::uint8_t> loginTime) override;
    NWCCODE NWGetInetAddr(NWCONN_HANDLE conn, std::uint16_t connNumber,
                          NWINET_ADDR& inetAddr) override;
    NWCCODE NWSendBroadcastMessage(NWCONN_HANDLE conn, const char* message, std::uint16_t connCount,
                                   const std::uint32_t* connList,
                                   std::uint8_t* resultList) override;
    NWCCODE NWClearConnectionNumber(NWCONN_HANDLE conn, std::uint16_t connNumber) override;
    NWCCODE NWClearFileLockSet(NWCONN_HANDLE conn) override;
    NWCCODE NWAllocTemporaryDirectoryHandle(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                            const char* dirPath, NWDIR_HANDLE& newDirHandle,
                                            std::uint8_t& rightsMask) override;
    NWCCODE NWClearFileLock2(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle, const char* path) override;
    NWCCODE NWDeallocateDirectoryHandle(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle) override;
    NWCCODE NWGetVolumeNumber(NWCONN_HANDLE conn, const char* volName,
                              std::uint16_t& volNum) override;
    NWCCODE NWScanObjectTrusteePaths(NWCONN_HANDLE conn, std::uint32_t objID, std::uint16_t volNum,
                                     std::uint16_t& iterHandle, std::uint8_t& accessRights,
                                     std::span<char> path) override;
    NWCCODE NWScanDirectoryForTrustees2(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                        const char* srchPath, std::uint32_t& iterHandle,
                                        std::span<char> dirName, std::uint32_t& dirDateTime,
                                        std::uint32_t& ownerID,
                                        std::span<TRUSTEE_INFO> trustees) override;
    NWCCODE NWDSCreateContextHandle(NWDSContextHandle& context) override;
    NWCCODE NWDSSetContext(NWDSContextHandle context, int key, const void* value) override;
    NWCCODE NWDSMapNameToID(NWDSContextHandle context, NWCONN_HANDLE conn, const char* objectName,
                            std::uint32_t& objectID) override;
    NWCCODE NWDSMapIDToName(NWDSContextHandle context, NWCONN_HANDLE conn, std::uint32_t objectID,
                            std::span<char> objectName) override;
    NWCCODE NWDSFreeContext(NWDSContextHandle context) override;
    NWCCODE NWGetObjectName(NWCONN_HANDLE conn, std::uint32_t objID, std::span<char> objName,
                            std::uint16_t& objType) override;
    NWCCODE NWCCOpenConnByName(NWCONN_HANDLE startConnHandle, const char* name,
                               std::uint32_t nameFormat, std::uint32_t openState,
                               std::uint32_t tranType, NWCONN_HANDLE& conn) override;
    NWCCODE NWCCCloseConn(NWCONN_HANDLE conn) override;
    NWCCODE NWGetLongName(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle, const char* path,
                          std::uint8_t srcNamSpc, std::uint8_t dstNamSpc,
                          std::span<char> longName) override;
    NWCCODE NWIntScanExtendedInfo(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle, std::uint8_t attrs,
                                  std::uint32_t& iterHandle, const char* searchPattern,
                                  NW_EXT_FILE_INFO& entryInfo, std::uint8_t augmentFlag) override;
    NWCCODE NWGetFileServerVersionInfo(NWCONN_HANDLE conn, VERSION_INFO& versBuffer) override;
    NWCCODE NWScanOpenFilesByConn2(NWCONN_HANDLE conn, std::uint16_t connNum,
                                   std::int16_t& iterHandle, OPEN_FILE_CONN_CTRL& openCtrl,
                                   OPEN_FILE_CONN& openFile) override;
    NWCCODE NWGetObjectConnectionNumbers(NWCONN_HANDLE conn, const char* objName,
                                         std::uint16_t objType, std::uint16_t& numConns,
                                         std::span<std::uint16_t> connList) override;
    NWCCODE NWGetActiveConnListByType(NWCONN_HANDLE conn, std::uint32_t startConnNum,
                                      std::uint32_t connType,
                                      NWFSE_ACTIVE_CONN_LIST& connList) override;
    NWCCODE NWGetPathFromDirectoryBase(NWCONN_HANDLE conn, std::uint8_t volNum,
                                       std::uint32_t dirBase, std::uint8_t namSpc,
                                       std::uint8_t& len, std::span<char> pathName) override;

private:
    struct Route
    {
        NetWareClient* backend = nullptr;
        NWCONN_HANDLE inner = 0;
    };
    struct Context
    {
        bool hasNameContext = false;
        QByteArray nameContext;
        std::map<NetWareClient*, NWDSContextHandle> inner;
    };
    struct ServerEntry
    {
        ServerBackend backend;
        QString specError; // "ncp:" values that do not parse
    };

    NetWareClient* backendFor(const QString& server);
    NWCONN_HANDLE wrap(NetWareClient* backend, NWCONN_HANDLE inner);
    const Route* route(NWCONN_HANDLE conn) const;
    // The backend's context for a router context, made on first use.
    std::optional<NWDSContextHandle> innerContext(Context& context, NetWareClient* backend);

    std::vector<ServerEntry> servers_;
    DriveLookup drives_;
    std::unique_ptr<SimClient> sim_;
    std::vector<std::unique_ptr<ncp::NcpClient>> ncp_;
    std::map<NWCONN_HANDLE, Route> routes_;
    NWCONN_HANDLE nextHandle_ = 1;
    std::map<NWDSContextHandle, Context> contexts_;
    NWDSContextHandle nextContext_ = 1;
};

} // namespace nw
