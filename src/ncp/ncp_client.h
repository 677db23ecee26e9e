// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The NetWare client for one server reached over NCP. Every call of the
// interface becomes one or two requests on the server's one session, opened
// (and logged in) by the first call that needs it. When the session ends — the
// server went away, did not answer in time, broke the framing, or said the
// connection is bad — that call reports 0x8801 and the next call opens a new
// session. A reply that is well framed but does not fit its request fails
// that call alone (0x8816). Where a server answers "not supported" (0xFB), the
// older form of the request is used for the rest of the session. Connection
// handles are this client's own and stay valid across sessions;
// directory-services contexts live here too.
//
// Not thread-safe: the program calls it from its user-interface thread; each
// call blocks for at most one request's time-out per request it sends.

#include "ncp/bindery_requests.h"
#include "ncp/directory_requests.h"
#include "ncp/file_use_requests.h"
#include "ncp/ncp_server_spec.h"
#include "ncp/ncp_session.h"
#include "netware/netware_client.h"
#include "netware/sim_client.h"

#include <QHash>
#include <QString>

#include <map>
#include <memory>
#include <set>

namespace ncp {

class PasswordSource;

class NcpClient : public nw::NetWareClient
{
public:
    // name: the server's name in the settings (what drive paths and
    // NWCCOpenConnByName use). passwords may be null (empty password).
    NcpClient(QString name, NcpServerSpec spec, nw::DriveLookup drives, PasswordSource* passwords,
              SessionOptions options = {});
    ~NcpClient() override;

    const QString& name() const { return name_; }
    // Why the last session could not be set up or ended ("" when none did).
    const QString& lastError() const { return lastError_; }
    bool sessionOpen() const { return session_ && session_->isOpen(); }
    // The session signs its packets.
    bool sessionSigned() const { return session_ && session_->signing(); }
    // Replies refused for a packet signature that did not hold, every session included.
    int badSignatures() const { return badSignatures_; }
    // Requests sent to the server so far, logins and every session included.
    std::uint64_t requestsSent() const
    {
        return earlierRequests_ + (session_ ? session_->requestsSent() : 0);
    }

    // A request's outcome: 0x8801 when the session is gone, 0x89xx for a
    // completion code, and the reply data on success.
    struct Answer
    {
        nw::NWCCODE code = nw::kSuccess;
        QByteArray data;
    };
    // The volume browser's requests (ncp_client_files.cpp): one request on
    // this server's session, opened as needed; 0x8801 when there is none.
    Answer fileRequest(const RequestBody& body);
    // Sessions set up so far: a file handle is good on the session that opened it.
    unsigned long long sessionNumber() const { return sessionCount_; }
    // The largest packet this session's server takes (its negotiated size).
    std::uint16_t packetSize() const;
    // The largest reply this client takes.
    std::uint32_t replyLimit() const { return options_.replyLimit; }
    // A volume's paths go in the long name space unless this session's
    // server has refused it for the volume (0xBF), then in the DOS one.
    bool longNamesOn(const QByteArray& volume) const;
    void refuseLongNames(const QByteArray& volume);

    nw::NWCCODE NWCallsInit(void* reserved1, void* reserved2) override;
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
    nw::NWCCODE NWDSMapIDToName(nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn,
                                std::uint32_t objectID, std::span<char> objectName) override;
    nw::NWCCODE NWDSFreeContext(nw::NWDSContextHandle context) override;
    nw::NWCCODE NWGetObjectName(nw::NWCONN_HANDLE conn, std::uint32_t objID,
                                std::span<char> objName, std::uint16_t& objType) override;
    nw::NWCCODE NWCCOpenConnByName(nw::NWCONN_HANDLE startConnHandle, const char* name,
                                   std::uint32_t nameFormat, std::uint32_t openState,
                                   std::uint32_t tranType, nw::NWCONN_HANDLE& conn) override;
    nw::NWCCODE NWCCCloseConn(nw::NWCONN_HANDLE conn) override;
    nw::NWCCODE NWGetLongName(nw::NWCONN_HANDLE conn, nw::NWDIR_HANDLE dirHandle, const char* path,
                              std::uint8_t srcNamSpc, std::uint8_t dstNamSpc,
                              std::span<char> longName) override;
    nw::NWCCODE NWIntScanExtendedInfo(nw::NWCONN_HANDLE conn, nw::NWDIR_HANDLE dirHandle,
                                      std::uint8_t attrs, std::uint32_t& iterHandle,
                                      const char* searchPattern, nw::NW_EXT_FILE_INFO& entryInfo,
                                      std::uint8_t augmentFlag) override;
    nw::NWCCODE NWGetFileServerVersionInfo(nw::NWCONN_HANDLE conn,
                                           nw::VERSION_INFO& versBuffer) override;
    nw::NWCCODE NWScanOpenFilesByConn2(nw::NWCONN_HANDLE conn, std::uint16_t connNum,
                                       std::int16_t& iterHandle, nw::OPEN_FILE_CONN_CTRL& openCtrl,
                                       nw::OPEN_FILE_CONN& openFile) override;
    nw::NWCCODE NWGetObjectConnectionNumbers(nw::NWCONN_HANDLE conn, const char* objName,
                                             std::uint16_t objType, std::uint16_t& numConns,
                                             std::span<std::uint16_t> connList) override;
    nw::NWCCODE NWGetActiveConnListByType(nw::NWCONN_HANDLE conn, std::uint32_t startConnNum,
                                          std::uint32_t connType,
                                          nw::NWFSE_ACTIVE_CONN_LIST& connList) override;
    nw::NWCCODE NWGetPathFromDirectoryBase(nw::NWCONN_HANDLE conn, std::uint8_t volNum,
                                           std::uint32_t dirBase, std::uint8_t namSpc,
                                           std::uint8_t& len, std::span<char> pathName) override;

private:
    struct Cursor
    {
        nw::NWCONN_HANDLE conn = 0;
        nw::NWDIR_HANDLE dirHandle = 0;
        QByteArray path;
        PathEntry entry;
        std::uint16_t lastRecord = 0;
        unsigned long long session = 0;
        unsigned long long age = 0;
    };

    bool ensureSession();
    Answer send(nw::NWCONN_HANDLE conn, const RequestBody& body);
    // A reply that does not fit its request: the call reports 0x8816.
    nw::NWCCODE malformed();
    // This session's server wants the older form instead of this request.
    bool olderForm(const RequestBody& body) const
    {
        return olderForms_.contains({body.function, body.subfunction});
    }
    void useOlderForm(const RequestBody& body)
    {
        olderForms_.insert({body.function, body.subfunction});
    }
    // The volume and DOS entry number of a file, for 23/236.
    std::optional<PathEntry> fileEntry(nw::NWCONN_HANDLE conn, nw::NWDIR_HANDLE dirHandle,
                                       const QByteArray& path, nw::NWCCODE& code);
    // 87/6 of a path from a directory handle, or from a volume's root.
    std::optional<LongNameQuery> nameQuery(nw::NWDIR_HANDLE dirHandle, const QByteArray& path,
                                           nw::NWCCODE& code);
    nw::NWCCODE oldBroadcast(nw::NWCONN_HANDLE conn, const QByteArray& message,
                             const std::vector<std::uint32_t>& list, std::uint8_t* resultList);
    nw::NWCONN_HANDLE newHandle();
    std::optional<std::uint8_t> volumeNumber(nw::NWCONN_HANDLE conn, const QByteArray& volume,
                                             nw::NWCCODE& code);
    nw::NWCCODE dsCall(nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn,
                       const RequestBody& body, QByteArray& verbData);
    std::int16_t newCursor(Cursor cursor);

    QString name_;
    NcpServerSpec spec_;
    nw::DriveLookup drives_;
    PasswordSource* passwords_;
    SessionOptions options_;
    std::unique_ptr<NcpSession> session_;
    unsigned long long sessionCount_ = 0; // sessions set up so far
    std::uint64_t earlierRequests_ = 0;   // sent on sessions that have ended
    int badSignatures_ = 0;
    ServerVersion version_;
    QString lastError_;
    std::set<nw::NWCONN_HANDLE> handles_;
    nw::NWCONN_HANDLE nextHandle_ = 1;
    nw::NWCONN_HANDLE pathHandle_ = 0; // the handle NWParsePath hands out
    std::map<std::int16_t, Cursor> cursors_;
    std::int16_t nextCursor_ = 1;
    unsigned long long cursorAge_ = 0;
    QHash<nw::NWDSContextHandle, QString> contexts_;
    nw::NWDSContextHandle nextContext_ = 1;
    // Volume numbers by upper-case name, as this session has learned them.
    // A scan's path look-up refreshes its volume's; "no such volume" from any
    // other request, or a new session, forgets them all.
    std::map<QByteArray, std::uint8_t> volumes_;
    // Requests this session's server answered "not supported".
    std::set<std::pair<std::uint8_t, std::uint8_t>> olderForms_;
    // An object's trustee paths on a volume whose last path said that none
    // follow: the call after it on this session answers the end without asking.
    struct TrusteeEnd
    {
        std::uint32_t object = 0;
        std::uint16_t volume = 0;
        bool operator==(const TrusteeEnd&) const = default;
    };
    std::optional<TrusteeEnd> trusteeEnd_;
    nw::NWCONN_HANDLE filesHandle_ = 0; // the handle the volume browser's requests use
    // Volumes whose long name space this session's server refused.
    std::set<QByteArray> shortNameVolumes_;
};

} // namespace ncp
