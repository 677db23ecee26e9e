// SPDX-License-Identifier: GPL-3.0-or-later
// The calls about connections: who uses a file, connection details, messages,
// clearing connections and locks.

#include "ncp/completion_code.h"
#include "ncp/connection_requests.h"
#include "ncp/ncp_client.h"
#include "netware/sim_path.h"

#include <algorithm>

namespace ncp {

using namespace nw;

namespace {
constexpr std::size_t kMaxCursors = 64;
}

std::int16_t NcpClient::newCursor(Cursor cursor)
{
    if (cursors_.size() >= kMaxCursors) {
        const auto oldest =
            std::min_element(cursors_.begin(), cursors_.end(),
                             [](auto& a, auto& b) { return a.second.age < b.second.age; });
        cursors_.erase(oldest);
    }
    while (nextCursor_ <= 0 || cursors_.contains(nextCursor_))
        nextCursor_ = std::int16_t(nextCursor_ <= 0 || nextCursor_ == 32767 ? 1 : nextCursor_ + 1);
    cursor.age = ++cursorAge_;
    const std::int16_t id = nextCursor_;
    cursors_.emplace(id, std::move(cursor));
    nextCursor_ = std::int16_t(id == 32767 ? 1 : id + 1);
    return id;
}

NWCCODE NcpClient::NWScanConnectionsUsingFile(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                              const char* filePath, std::int16_t& iterHandle,
                                              CONN_USING_FILE_SUMMARY& fileUse,
                                              CONNS_USING_FILE& fileUsed)
{
    fileUsed.connCount = 0;
    if (!handles_.contains(conn))
        return kInvalidConnection;
    const QByteArray path(filePath ? filePath : "");
    std::int16_t id = iterHandle;
    if (iterHandle == 0) {
        // A new scan: the path becomes the volume and entry number once; the
        // server's record numbers then carry the position.
        NWCCODE code = kSuccess;
        const auto entry = fileEntry(conn, dirHandle, path, code);
        if (!entry)
            return code;
        // "VOL:PATH" from no handle: the reply names the volume's number now.
        if (const auto split = splitNwPath(fromWire(path.constData()));
            dirHandle == 0 && split && !split->volume.contains(QLatin1Char('\\')) &&
            !split->volume.contains(QLatin1Char('/')))
            volumes_[toWire(split->volume).toUpper()] = entry->volume;
        id = newCursor(Cursor{conn, dirHandle, path, *entry, 0, sessionCount_, 0});
        iterHandle = id;
    }
    const auto found = cursors_.find(id);
    if (found == cursors_.end() || found->second.conn != conn || found->second.path != path ||
        found->second.dirHandle != dirHandle)
        return kNoMoreEntries;
    Cursor& cursor = found->second;
    if (cursor.session != sessionCount_ || !sessionOpen()) {
        // The record numbers belong to the session that gave them; that one
        // is gone, so the scan has to start again.
        cursors_.erase(found);
        return kInvalidConnection;
    }
    cursor.age = ++cursorAge_;
    const Answer a = send(conn, connectionsUsingFileRequest(cursor.entry, cursor.lastRecord));
    if (a.code) {
        cursors_.erase(found);
        return a.code;
    }
    const auto batch = decodeConnectionsUsingFile(a.data);
    if (!batch) {
        cursors_.erase(found);
        return malformed();
    }
    fileUse = batch->summary;
    fileUsed = batch->connections;
    if (batch->nextRecord == 0)
        cursors_.erase(found); // the following call on this cursor answers 0x88FF
    else
        cursor.lastRecord = batch->nextRecord;
    return kSuccess;
}

NWCCODE NcpClient::NWGetConnectionInformation(NWCONN_HANDLE conn, std::uint16_t connNumber,
                                              std::span<char> objName, std::uint16_t& objType,
                                              std::uint32_t& objID,
                                              std::span<std::uint8_t> loginTime)
{
    const Answer a = send(conn, connectionInfoRequest(connNumber));
    if (a.code)
        return a.code;
    const auto info = decodeConnectionInfo(a.data);
    if (!info)
        return malformed();
    copyToBuffer(objName, info->name);
    objType = info->objectType;
    objID = info->objectId;
    std::copy_n(info->loginTime.begin(), std::min<std::size_t>(7, loginTime.size()),
                loginTime.begin());
    return kSuccess;
}

NWCCODE NcpClient::NWGetInetAddr(NWCONN_HANDLE conn, std::uint16_t connNumber,
                                 NWINET_ADDR& inetAddr)
{
    inetAddr = NWINET_ADDR{};
    const Answer a = send(conn, inetAddrRequest(connNumber));
    if (a.code)
        return a.code;
    const auto address = decodeInetAddr(a.data);
    if (!address)
        return malformed();
    inetAddr = *address;
    return kSuccess;
}

std::optional<PathEntry> NcpClient::fileEntry(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                              const QByteArray& path, NWCCODE& code)
{
    const RequestBody byPath = pathEntryRequest(dirHandle, path);
    if (!olderForm(byPath)) {
        const Answer a = send(conn, byPath);
        // 0xFF as well: the server emulators keep no path-to-entry map and
        // refuse 23/244 so.
        if (a.code != kNotSupported && a.code != kLockError) {
            code = a.code;
            if (code)
                return std::nullopt;
            const auto entry = decodePathEntry(a.data);
            if (!entry)
                code = malformed();
            return entry;
        }
    }
    auto query = nameQuery(dirHandle, path, code);
    if (!query)
        return std::nullopt;
    query->sourceNameSpace = NW_NS_DOS;
    query->destNameSpace = NW_NS_DOS;
    query->returnMask = kRimName | kRimDirectory;
    const Answer a = send(conn, longNameRequest(*query));
    code = a.code;
    if (code)
        return std::nullopt;
    const auto entry = decodeDirectoryEntry(a.data);
    if (!entry) {
        code = malformed();
        return std::nullopt;
    }
    useOlderForm(byPath); // the next scan goes here at once
    return entry;
}

NWCCODE NcpClient::NWSendBroadcastMessage(NWCONN_HANDLE conn, const char* message,
                                          std::uint16_t connCount, const std::uint32_t* connList,
                                          std::uint8_t* resultList)
{
    if (connCount > 0 && !connList)
        return kBadStationNumber;
    const std::vector<std::uint32_t> list(connList, connList + connCount);
    const QByteArray text(message ? message : "");
    const RequestBody request = broadcastRequest(list, text);
    if (olderForm(request))
        return oldBroadcast(conn, text, list, resultList);
    const Answer a = send(conn, request);
    if (a.code == kNotSupported) {
        useOlderForm(request);
        return oldBroadcast(conn, text, list, resultList);
    }
    if (a.code)
        return a.code;
    const auto statuses = decodeBroadcast(a.data, list.size());
    if (!statuses)
        return malformed();
    NWCCODE first = kSuccess;
    for (std::size_t i = 0; i < statuses->size(); ++i) {
        const std::uint8_t result = broadcastResult((*statuses)[i]);
        if (resultList)
            resultList[i] = result;
        if (first == kSuccess && result != 0)
            first = NWCCODE(0x8900 | result);
    }
    return first;
}

NWCCODE NcpClient::oldBroadcast(NWCONN_HANDLE conn, const QByteArray& message,
                                const std::vector<std::uint32_t>& list, std::uint8_t* resultList)
{
    // The older form numbers stations in one byte: the others cannot be
    // reached with it and count as bad station numbers, unsent.
    std::vector<std::uint8_t> results(list.size(), 0xFD);
    std::vector<std::uint8_t> reachable;
    std::vector<std::size_t> where;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] != 0 && list[i] <= 0xFF) {
            reachable.push_back(std::uint8_t(list[i]));
            where.push_back(i);
        }
    }
    if (!reachable.empty()) {
        const Answer a = send(conn, oldBroadcastRequest(reachable, message));
        if (a.code)
            return a.code;
        const auto statuses = decodeOldBroadcast(a.data, reachable.size());
        if (!statuses)
            return malformed();
        for (std::size_t k = 0; k < where.size(); ++k)
            results[where[k]] = oldBroadcastResult((*statuses)[k]);
    }
    NWCCODE first = kSuccess;
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (resultList)
            resultList[i] = results[i];
        if (first == kSuccess && results[i] != 0)
            first = NWCCODE(0x8900 | results[i]);
    }
    return first;
}

NWCCODE NcpClient::NWClearConnectionNumber(NWCONN_HANDLE conn, std::uint16_t connNumber)
{
    const RequestBody request = clearConnectionRequest(connNumber);
    if (!olderForm(request)) {
        const Answer a = send(conn, request);
        if (a.code != kNotSupported) {
            if (a.code)
                return a.code;
            return a.data.isEmpty() ? kSuccess : malformed();
        }
        useOlderForm(request);
    }
    // The older form numbers connections in one byte.
    if (connNumber == 0 || connNumber > 0xFF)
        return kBadStationNumber;
    const Answer a = send(conn, clearConnectionOldRequest(std::uint8_t(connNumber)));
    if (a.code)
        return a.code;
    return a.data.isEmpty() ? kSuccess : malformed();
}

NWCCODE NcpClient::NWClearFileLockSet(NWCONN_HANDLE conn)
{
    const Answer a = send(conn, clearFileLockSetRequest());
    if (a.code)
        return a.code;
    return a.data.isEmpty() ? kSuccess : malformed();
}

NWCCODE NcpClient::NWClearFileLock2(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle, const char* path)
{
    const Answer a = send(conn, clearFileLockRequest(dirHandle, QByteArray(path ? path : "")));
    if (a.code)
        return a.code;
    return a.data.isEmpty() ? kSuccess : malformed();
}

} // namespace ncp
