// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The NetWare client as the program sees it: the calls of the client libraries
// with their names, arguments and 32-bit return codes (0 = success).
//
// Text handed in is 8-bit and NUL-terminated. Text handed back is written into
// caller-owned buffers (std::span<char>) that the client always NUL-terminates
// within the span, cutting what does not fit; callers take the text up to the
// first NUL (see netware_text.h).

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace nw {

using NWCCODE = std::uint32_t;
using NWCONN_HANDLE = std::uint32_t;
using NWDIR_HANDLE = std::uint8_t;
using NWDSContextHandle = std::uint32_t;

// Return codes the program compares with.
inline constexpr NWCCODE kSuccess = 0;
inline constexpr NWCCODE kInvalidConnection = 0x8801;
inline constexpr NWCCODE kBadPathSyntax = 0x880F; // path the client cannot parse
inline constexpr NWCCODE kNoMoreEntries = 0x88FF; // scan list exhausted
inline constexpr NWCCODE kNlmInvalidConnection = 0x890A;
inline constexpr NWCCODE kServerOutOfMemory = 0x8996;
inline constexpr NWCCODE kVolumeDoesNotExist = 0x8998;
inline constexpr NWCCODE kBadDirectoryHandle = 0x899B;
inline constexpr NWCCODE kInvalidPath = 0x899C; // also "no more trustees"
inline constexpr NWCCODE kNoMoreDirHandles = 0x899D;
inline constexpr NWCCODE kDirectoryIoError = 0x89A1;
inline constexpr NWCCODE kAccessDenied = 0x89A8;
inline constexpr NWCCODE kNoConsoleRights = 0x89C6;
inline constexpr NWCCODE kNoSuchObject = 0x89FC; // also "message queue full"
inline constexpr NWCCODE kBadStationNumber = 0x89FD;
inline constexpr NWCCODE kLockError = 0x89FF;         // general failure
inline constexpr NWCCODE kDsNoSuchEntry = 0xFFFFFDA7; // -601 from directory services

inline constexpr int kMaxConnsPerBatch = 70;
inline constexpr int kTrusteesPerScan = 20;
// Connections one NWGetActiveConnListByType answer covers (512 bytes of bits).
inline constexpr int kConnsPerActiveList = 4096;
// Records of one open-files answer kept for the calls after the first.
inline constexpr std::size_t kOpenFileBufferSize = 512;

// Connection types of NWGetActiveConnListByType.
inline constexpr std::uint32_t NCP_CONNECTION_TYPE = 2;

// NWDSSetContext keys.
inline constexpr int DCK_NAME_CONTEXT = 3;

// Name spaces for NWGetLongName.
inline constexpr std::uint8_t NW_NS_DOS = 0;
inline constexpr std::uint8_t NW_NS_LONG = 4;

// One task of one connection that has the file open.
struct CONN_USING_FILE
{
    std::uint16_t connNumber = 0;
    std::uint16_t taskNumber = 0;
    std::uint8_t lockType = 0;
    std::uint8_t accessControl = 0;
    std::uint8_t lockFlag = 0;
};

// Summary counts of the file that the scan also returns.
struct CONN_USING_FILE_SUMMARY
{
    std::uint16_t useCount = 0;
    std::uint16_t openCount = 0;
    std::uint16_t openForReadCount = 0;
    std::uint16_t openForWriteCount = 0;
    std::uint16_t denyReadCount = 0;
    std::uint16_t denyWriteCount = 0;
    std::uint8_t locked = 0;
    std::uint8_t forkCount = 0;
};

struct CONNS_USING_FILE
{
    std::uint16_t connCount = 0;
    std::array<CONN_USING_FILE, kMaxConnsPerBatch> connInfo{};
};

// Address record of NWGetInetAddr; type 2 IPX, 3 AFP, 11 IP.
struct NWINET_ADDR
{
    std::array<std::uint8_t, 4> network{};
    std::array<std::uint8_t, 6> node{};
    std::array<std::uint8_t, 2> socket{};
    std::uint16_t connType = 0;
};

// One file a connection has open (NWScanOpenFilesByConn2). parent and dirEntry
// are directory entry numbers on volume volNumber: the file's directory and the
// file itself; fileName is the file's name alone, in name space nameSpace.
struct OPEN_FILE_CONN
{
    std::uint16_t taskNumber = 0;
    std::uint8_t lockType = 0;
    std::uint8_t accessControl = 0;
    std::uint8_t lockFlag = 0;
    std::uint8_t volNumber = 0;
    std::uint32_t parent = 0;
    std::uint32_t dirEntry = 0;
    std::uint8_t forkCount = 0;
    std::uint8_t nameSpace = 0;
    std::uint8_t nameLen = 0;
    std::array<char, 256> fileName{}; // nameLen bytes, then a NUL
};

// What NWScanOpenFilesByConn2 carries between calls: one answer of the server
// holds several records; those not handed out yet wait in buffer. The caller
// only passes it back unchanged.
struct OPEN_FILE_CONN_CTRL
{
    std::uint16_t nextRequest = 0; // the record to ask the server for next; 0: none
    std::uint16_t openCount = 0;   // records left in buffer
    std::array<std::uint8_t, kOpenFileBufferSize> buffer{};
    std::uint16_t curRecord = 0; // offset of the next of them in buffer
};

// NWGetActiveConnListByType: bit n of the list (byte n / 8, bit value
// 1 << n % 8) stands for connection startConnNum + n.
struct NWFSE_ACTIVE_CONN_LIST
{
    std::uint32_t currentServerTime = 0;
    std::uint8_t vconsoleVersion = 0;
    std::uint8_t vconsoleRevision = 0;
    std::uint16_t reserved = 0;
    std::array<std::uint8_t, kConnsPerActiveList / 8> activeConnBitList{};
};

struct TRUSTEE_INFO
{
    std::uint32_t objectID = 0;
    std::uint16_t objectRights = 0;
};

// The 140-byte extended directory entry of NWIntScanExtendedInfo, little-endian.
// Offsets used by the program: 8 attributes, 28 created, 32 owner, 36 archived,
// 40 archiver, 44 modified, 48 modifier (32 bits each), 102 last access date (16).
struct NW_EXT_FILE_INFO
{
    std::array<std::uint8_t, 140> bytes{};
    std::uint32_t u32(int offset) const;
    std::uint16_t u16(int offset) const;
    void setU32(int offset, std::uint32_t value);
    void setU16(int offset, std::uint16_t value);
};

// NWGetFileServerVersionInfo: server name 48 bytes at 0, major version at 48,
// minor at 49, the rest counts.
struct VERSION_INFO
{
    std::array<std::uint8_t, 128> bytes{};
};

class NetWareClient
{
public:
    virtual ~NetWareClient() = default;

    virtual NWCCODE NWCallsInit(void* reserved1, void* reserved2) = 0;

    // A drive path ("F:\DIR\FILE") or a volume path ("VOL:DIR\FILE").
    virtual NWCCODE NWParsePath(const char* path, std::span<char> serverName, NWCONN_HANDLE& conn,
                                std::span<char> volName, std::span<char> dirPath) = 0;

    virtual NWCCODE NWScanConnectionsUsingFile(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                               const char* filePath, std::int16_t& iterHandle,
                                               CONN_USING_FILE_SUMMARY& fileUse,
                                               CONNS_USING_FILE& fileUsed) = 0;

    // loginTime: 7 bytes year-1900, month, day, hour, minute, second, weekday (0 = Sunday).
    virtual NWCCODE NWGetConnectionInformation(NWCONN_HANDLE conn, std::uint16_t connNumber,
                                               std::span<char> objName, std::uint16_t& objType,
                                               std::uint32_t& objID,
                                               std::span<std::uint8_t> loginTime) = 0;

    virtual NWCCODE NWGetInetAddr(NWCONN_HANDLE conn, std::uint16_t connNumber,
                                  NWINET_ADDR& inetAddr) = 0;

    virtual NWCCODE NWSendBroadcastMessage(NWCONN_HANDLE conn, const char* message,
                                           std::uint16_t connCount, const std::uint32_t* connList,
                                           std::uint8_t* resultList) = 0;

    virtual NWCCODE NWClearConnectionNumber(NWCONN_HANDLE conn, std::uint16_t connNumber) = 0;

    virtual NWCCODE NWClearFileLockSet(NWCONN_HANDLE conn) = 0;

    virtual NWCCODE NWAllocTemporaryDirectoryHandle(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                                    const char* dirPath, NWDIR_HANDLE& newDirHandle,
                                                    std::uint8_t& rightsMask) = 0;

    virtual NWCCODE NWClearFileLock2(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                     const char* path) = 0;

    virtual NWCCODE NWDeallocateDirectoryHandle(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle) = 0;

    virtual NWCCODE NWGetVolumeNumber(NWCONN_HANDLE conn, const char* volName,
                                      std::uint16_t& volNum) = 0;

    // iterHandle starts at 0xFFFF; path receives the next trustee path (512 bytes).
    virtual NWCCODE NWScanObjectTrusteePaths(NWCONN_HANDLE conn, std::uint32_t objID,
                                             std::uint16_t volNum, std::uint16_t& iterHandle,
                                             std::uint8_t& accessRights, std::span<char> path) = 0;

    // sequence starts at 0; trustees receives 20 entries, unused ones with object ID 0.
    virtual NWCCODE NWScanDirectoryForTrustees2(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                                const char* srchPath, std::uint32_t& iterHandle,
                                                std::span<char> dirName, std::uint32_t& dirDateTime,
                                                std::uint32_t& ownerID,
                                                std::span<TRUSTEE_INFO> trustees) = 0;

    virtual NWCCODE NWDSCreateContextHandle(NWDSContextHandle& context) = 0;
    virtual NWCCODE NWDSSetContext(NWDSContextHandle context, int key, const void* value) = 0;
    virtual NWCCODE NWDSMapNameToID(NWDSContextHandle context, NWCONN_HANDLE conn,
                                    const char* objectName, std::uint32_t& objectID) = 0;
    virtual NWCCODE NWDSMapIDToName(NWDSContextHandle context, NWCONN_HANDLE conn,
                                    std::uint32_t objectID, std::span<char> objectName) = 0;
    virtual NWCCODE NWDSFreeContext(NWDSContextHandle context) = 0;

    virtual NWCCODE NWGetObjectName(NWCONN_HANDLE conn, std::uint32_t objID,
                                    std::span<char> objName, std::uint16_t& objType) = 0;

    virtual NWCCODE NWCCOpenConnByName(NWCONN_HANDLE startConnHandle, const char* name,
                                       std::uint32_t nameFormat, std::uint32_t openState,
                                       std::uint32_t tranType, NWCONN_HANDLE& conn) = 0;
    virtual NWCCODE NWCCCloseConn(NWCONN_HANDLE conn) = 0;

    virtual NWCCODE NWGetLongName(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle, const char* path,
                                  std::uint8_t srcNamSpc, std::uint8_t dstNamSpc,
                                  std::span<char> longName) = 0;

    // One call returns the first entry matching the pattern (long or DOS name).
    virtual NWCCODE NWIntScanExtendedInfo(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                          std::uint8_t attrs, std::uint32_t& iterHandle,
                                          const char* searchPattern, NW_EXT_FILE_INFO& entryInfo,
                                          std::uint8_t augmentFlag) = 0;

    virtual NWCCODE NWGetFileServerVersionInfo(NWCONN_HANDLE conn, VERSION_INFO& versBuffer) = 0;

    // The files a connection has open, one per call: iterHandle 0 (and a fresh
    // openCtrl) starts; 0x88FF when none is left.
    virtual NWCCODE NWScanOpenFilesByConn2(NWCONN_HANDLE conn, std::uint16_t connNum,
                                           std::int16_t& iterHandle, OPEN_FILE_CONN_CTRL& openCtrl,
                                           OPEN_FILE_CONN& openFile) = 0;

    // The connections a bindery object (name and type) is logged in on, in
    // ascending order. numConns: how many were written to connList; when that
    // fills connList there may be more.
    virtual NWCCODE NWGetObjectConnectionNumbers(NWCONN_HANDLE conn, const char* objName,
                                                 std::uint16_t objType, std::uint16_t& numConns,
                                                 std::span<std::uint16_t> connList) = 0;

    // Which of the connections startConnNum .. startConnNum + 4095 of a type are
    // in use.
    virtual NWCCODE NWGetActiveConnListByType(NWCONN_HANDLE conn, std::uint32_t startConnNum,
                                              std::uint32_t connType,
                                              NWFSE_ACTIVE_CONN_LIST& connList) = 0;

    // The path ("VOL:DIR\SUB") of a directory entry number, such as the parent
    // of an open file; len receives its length.
    virtual NWCCODE NWGetPathFromDirectoryBase(NWCONN_HANDLE conn, std::uint8_t volNum,
                                               std::uint32_t dirBase, std::uint8_t namSpc,
                                               std::uint8_t& len, std::span<char> pathName) = 0;
};

} // namespace nw
