// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The NetWare client over simulated servers. It routes every call to the
// backend of the server its connection handle belongs to; servers come from the
// "Servers" settings (name -> "sim:PATH"), network drives from a look-up the
// program wires to its drive map.
//
// Not thread-safe: the program calls it from its user-interface thread.

#include "netware/netware_client.h"
#include "netware/sim_entry_numbers.h"
#include "netware/sim_server.h"

#include <QChar>
#include <QHash>
#include <QString>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace nw {

// Codes this client gives beyond those the program compares with.
inline constexpr NWCCODE kServerUnknown = 0x8847;      // no server of that name
inline constexpr NWCCODE kNoFilesFound = 0x89FF;       // name/pattern matches nothing
inline constexpr NWCCODE kDsBadContext = 0xFFFFFED1;   // -303: no such context handle
inline constexpr NWCCODE kDsNotSupported = 0xFFFFFDA7; // bindery server: no directory services

struct NetworkDriveTarget
{
    QString server;
    QString volume;
    QString pathInsideVolume; // the mapped root; may be empty
};
using DriveLookup = std::function<std::optional<NetworkDriveTarget>(QChar driveLetter)>;

// One entry of the Servers section, in its order.
struct ServerBackend
{
    QString name;
    QString spec; // "sim:PATH"; any other scheme leaves the server unreachable
};

struct SimVolumeInfo
{
    QString name;
    QString hostDir;
};

struct SimServerInfo
{
    QString name;
    QString spec;
    bool reachable = false;
    QString error; // why not reachable
    std::vector<SimVolumeInfo> volumes;
};

class SimClient : public NetWareClient
{
public:
    SimClient(std::vector<ServerBackend> servers, DriveLookup drives);
    ~SimClient() override;

    // Host directory of a volume ("" when unknown), so that the drive map can
    // turn F:\X into a host path.
    QString volumeHostDirectory(const QString& server, const QString& volume);
    std::vector<SimServerInfo> serverList();
    // The backend of a server, or nullptr when it has none.
    SimServer* simServer(const QString& server);
    // Directory entry numbers come from numbering from now on (it must outlive
    // the client); null goes back to the client's own.
    void setEntryNumbers(SimEntryNumbers* numbering);

    // The connection this client acts as, in place of the state's
    // workstation (an NCP server's session of another user): whose locks it
    // clears, whether it may list and clear connections, whose name its
    // messages carry.
    struct OwnConnection
    {
        std::uint16_t number = 0;
        QString user;
        bool consoleOperator = false;
    };
    void setOwnConnection(std::optional<OwnConnection> own) { own_ = std::move(own); }

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
    struct Server
    {
        QString name;
        QString spec;
        std::unique_ptr<SimServer> sim; // null: no usable backend
        NWCONN_HANDLE workstationHandle = 0;
    };
    struct DirSlot
    {
        int volume = -1;
        QString relative;
    };
    struct Connection
    {
        int server = 0;
        std::array<std::optional<DirSlot>, 256> dirs; // index 0 unused
    };
    struct ScanCursor
    {
        NWCONN_HANDLE conn = 0;
        QString key;
        bool started = false;
        std::uint16_t lastConn = 0;
        std::uint16_t lastTask = 0;
        int emptyLeft = 0;
        CONN_USING_FILE_SUMMARY summary;
        unsigned long long age = 0;
    };
    // A call in progress: its server, connection and the state it reads.
    struct Call
    {
        NWCCODE code = kSuccess;
        Server* server = nullptr;
        Connection* conn = nullptr;
        std::shared_ptr<const SimState> state;
    };
    // A path resolved against a directory handle or a volume.
    struct Resolved
    {
        NWCCODE code = kSuccess;
        int volume = -1;
        QString relative; // "\"-separated, case as given
        QString key;      // normalised VOL:PATH
    };

    Call enter(NWCONN_HANDLE handle, const char* callName);
    std::uint16_t ownNumber(const SimState& s) const
    {
        return own_ ? own_->number : s.workstation.connection;
    }
    bool consoleOperator(const SimState& s) const
    {
        return own_ ? own_->consoleOperator : s.workstation.consoleOperator;
    }
    QString ownUser(const SimState& s) const { return own_ ? own_->user : s.workstation.user; }
    // A call that names no connection (the client's set-up, its directory-
    // services contexts): every reachable server delays it by its latencyMs
    // and may refuse it by a fault; the first fault found answers.
    std::optional<NWCCODE> enterUnbound(const char* callName);
    Resolved resolve(const Call& call, NWDIR_HANDLE dirHandle, const QString& path) const;
    std::optional<QString> hostPath(const Call& call, const Resolved& r) const;
    Server* findServer(const QString& name);
    NWCCODE parseOn(Server& server, const QString& volume, const QString& relative,
                    std::span<char> serverName, NWCONN_HANDLE& conn, std::span<char> volName,
                    std::span<char> dirPath);
    NWCONN_HANDLE openHandle(int server);
    void dropHandlesOf(int server);

    std::vector<Server> servers_;
    DriveLookup drives_;
    std::map<NWCONN_HANDLE, Connection> conns_; // node-stable: calls keep pointers
    NWCONN_HANDLE nextHandle_ = 1;
    std::map<std::int16_t, ScanCursor> cursors_;
    std::int16_t nextCursor_ = 1;
    unsigned long long cursorAge_ = 0;
    QHash<NWDSContextHandle, QString> contexts_; // handle -> name context
    NWDSContextHandle nextContext_ = 1;
    SimEntryTable ownEntries_;
    SimEntryNumbers* entries_ = &ownEntries_;
    std::optional<OwnConnection> own_;
};

} // namespace nw
