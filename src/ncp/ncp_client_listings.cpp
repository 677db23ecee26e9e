// SPDX-License-Identifier: GPL-3.0-or-later
// The server-wide calls: the files one connection has open, the connections of
// one object, the connections in use, and the path of a directory entry.

#include "ncp/completion_code.h"
#include "ncp/connection_list_requests.h"
#include "ncp/ncp_client.h"
#include "ncp/open_file_requests.h"
#include "netware/open_file_records.h"
#include "netware/sim_path.h"

#include <algorithm>

namespace ncp {

using namespace nw;

namespace {

// Answers of one path look-up: a path of 255 bytes needs one, so more is a
// server that does not move its cookies on.
constexpr int kMaxPathAnswers = 16;

} // namespace

NWCCODE NcpClient::NWScanOpenFilesByConn2(NWCONN_HANDLE conn, std::uint16_t connNum,
                                          std::int16_t& iterHandle, OPEN_FILE_CONN_CTRL& openCtrl,
                                          OPEN_FILE_CONN& openFile)
{
    if (!handles_.contains(conn))
        return kInvalidConnection;
    if (const auto code = openFilesFromControl(iterHandle, openCtrl, openFile))
        return *code;
    const Answer a = send(conn, openFilesRequest(connNum, openCtrl.nextRequest));
    if (a.code)
        return a.code;
    const auto answer = decodeOpenFiles(a.data);
    if (!answer)
        return malformed();
    const auto records =
        std::span(reinterpret_cast<const std::uint8_t*>(answer->records.constData()),
                  std::size_t(answer->records.size()));
    const auto code = takeOpenFilesAnswer(answer->nextRecord, answer->count, records, iterHandle,
                                          openCtrl, openFile);
    return code ? *code : malformed();
}

NWCCODE NcpClient::NWGetObjectConnectionNumbers(NWCONN_HANDLE conn, const char* objName,
                                                std::uint16_t objType, std::uint16_t& numConns,
                                                std::span<std::uint16_t> connList)
{
    numConns = 0;
    const QByteArray name = QByteArray(objName ? objName : "").toUpper();
    std::vector<std::uint32_t> all;
    // 255 a page; a full page may have more after its last connection.
    std::uint32_t after = 0;
    // A server that refused the paged form is asked in the byte form for
    // the rest of the session.
    bool older = olderForm(objectConnectionsRequest(after, objType, name));
    while (!older) {
        const RequestBody request = objectConnectionsRequest(after, objType, name);
        const Answer a = send(conn, request);
        if (a.code == kNotSupported && all.empty()) {
            useOlderForm(request);
            older = true;
            break;
        }
        if (a.code)
            return a.code;
        const auto page = decodeObjectConnections(a.data);
        if (!page)
            return malformed();
        // Each page goes on from where the last ended; one that does not
        // would be asked for again and again.
        if (!page->empty() && page->front() <= after && after != 0)
            return malformed();
        all.insert(all.end(), page->begin(), page->end());
        if (page->size() < kMaxObjectConnections || all.size() >= connList.size())
            break;
        after = page->back();
    }
    if (older) {
        // An older server: the byte form, connections up to 255 only.
        const Answer old = send(conn, objectConnectionsOldRequest(objType, name));
        if (old.code)
            return old.code;
        const auto list = decodeObjectConnectionsOld(old.data);
        if (!list)
            return malformed();
        all = *list;
    }
    std::sort(all.begin(), all.end());
    for (const std::uint32_t c : all) {
        if (numConns == connList.size())
            break;
        if (c != 0 && c <= 0xFFFF)
            connList[numConns++] = std::uint16_t(c);
    }
    return kSuccess;
}

NWCCODE NcpClient::NWGetActiveConnListByType(NWCONN_HANDLE conn, std::uint32_t startConnNum,
                                             std::uint32_t connType,
                                             NWFSE_ACTIVE_CONN_LIST& connList)
{
    connList = NWFSE_ACTIVE_CONN_LIST{};
    if (connType > 0xFF)
        return kSuccess; // no type past a byte exists, so none is in use
    const Answer a = send(conn, activeConnectionsRequest(startConnNum, std::uint8_t(connType)));
    if (a.code)
        return a.code;
    const auto list = decodeActiveConnections(a.data);
    if (!list)
        return malformed();
    connList = *list;
    return kSuccess;
}

NWCCODE NcpClient::NWGetPathFromDirectoryBase(NWCONN_HANDLE conn, std::uint8_t volNum,
                                              std::uint32_t dirBase, std::uint8_t namSpc,
                                              std::uint8_t& len, std::span<char> pathName)
{
    len = 0;
    copyToBuffer(pathName, QByteArray());
    QByteArrayList components; // from the entry up to the volume
    PathCookies cookies;
    for (int answers = 0;; ++answers) {
        if (answers == kMaxPathAnswers)
            return malformed();
        const Answer a = send(conn, fullPathRequest(namSpc, volNum, dirBase, cookies));
        if (a.code)
            return a.code;
        const auto answer = decodeFullPath(a.data);
        if (!answer)
            return malformed();
        components += answer->components;
        cookies = answer->cookies;
        if (cookies.cookie2 == kNoCookie)
            break;
    }
    if (components.isEmpty())
        return malformed();
    QByteArray path = components.takeLast() + ':';
    for (auto it = components.crbegin(); it != components.crend(); ++it) {
        if (it != components.crbegin())
            path += '\\';
        path += *it;
    }
    if (path.size() > 255)
        return kInvalidPath;
    copyToBuffer(pathName, path);
    len = std::uint8_t(path.size());
    return kSuccess;
}

} // namespace ncp
