// SPDX-License-Identifier: GPL-3.0-or-later
// The server-wide calls: the files one connection has open, the connections of
// one object, the connections in use, and the path of a directory entry.

#include "netware/sim_client.h"

#include "netware/dos_name.h"
#include "netware/open_file_records.h"
#include "netware/sim_path.h"

#include <algorithm>

namespace nw {
namespace {

// Object types the simulation keeps: every object is a user; 0xFFFF matches any.
constexpr std::uint16_t kObjectTypeUser = 1;
constexpr std::uint16_t kObjectTypeWild = 0xFFFF;

// The largest path a one-byte length can give.
constexpr qsizetype kMaxPathLength = 255;

} // namespace

NWCCODE SimClient::NWScanOpenFilesByConn2(NWCONN_HANDLE conn, std::uint16_t connNum,
                                          std::int16_t& iterHandle, OPEN_FILE_CONN_CTRL& openCtrl,
                                          OPEN_FILE_CONN& openFile)
{
    if (const auto code = openFilesFromControl(iterHandle, openCtrl, openFile))
        return *code;
    const Call call = enter(conn, "NWScanOpenFilesByConn2");
    if (call.code)
        return call.code;
    const SimState& s = *call.state;
    if (!consoleOperator(s))
        return kNoConsoleRights;
    const SimConnection* c = s.connection(connNum);
    if (!c)
        return kLockError;
    // One answer, as the server gives it: the entries from the one asked for,
    // in the state's order, as many as the first and 512 bytes more hold. The
    // next request names the first entry left out.
    QByteArray records;
    std::size_t first = 0;
    std::uint16_t count = 0;
    std::size_t i = openCtrl.nextRequest;
    for (; i < c->open.size(); ++i) {
        const SimOpenEntry& e = c->open[i];
        const auto split = splitNwPath(e.path);
        const int volume = s.volumeIndex(split->volume);
        const QString volumeName = s.volumes[std::size_t(volume)].name;
        auto [dir, name] = splitLast(split->relative);
        const QString parent = volumeName + QLatin1Char(':') + dir;
        if (name.isEmpty())
            name = volumeName;
        OPEN_FILE_CONN f;
        f.taskNumber = e.task;
        f.lockType = e.lockType;
        f.accessControl = e.access;
        f.lockFlag = e.locked;
        f.volNumber = std::uint8_t(volume);
        f.parent = entries_->entryFor(normalizeNwPath(parent));
        f.dirEntry = entries_->entryFor(normalizeNwPath(e.path));
        f.forkCount = 1;
        f.nameSpace = fitsDos83(name) ? NW_NS_DOS : NW_NS_LONG;
        const QByteArray wire = toWire(name).left(255);
        f.nameLen = std::uint8_t(wire.size());
        std::copy(wire.begin(), wire.end(), f.fileName.begin());
        if (count > 0 &&
            std::size_t(records.size()) - first + openFileRecordSize(f) > kOpenFileBufferSize)
            break;
        appendOpenFileRecord(records, f);
        if (++count == 1)
            first = std::size_t(records.size());
    }
    const std::uint16_t next = i < c->open.size() ? std::uint16_t(i) : 0;
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(records.constData()),
                                 std::size_t(records.size()));
    return takeOpenFilesAnswer(next, count, bytes, iterHandle, openCtrl, openFile)
        .value_or(kLockError);
}

NWCCODE SimClient::NWGetObjectConnectionNumbers(NWCONN_HANDLE conn, const char* objName,
                                                std::uint16_t objType, std::uint16_t& numConns,
                                                std::span<std::uint16_t> connList)
{
    numConns = 0;
    const Call call = enter(conn, "NWGetObjectConnectionNumbers");
    if (call.code)
        return call.code;
    const SimState& s = *call.state;
    const SimObject* o = s.objectByName(fromWire(objName));
    if (!o || (objType != kObjectTypeUser && objType != kObjectTypeWild))
        return kNoSuchObject;
    std::vector<std::uint16_t> numbers;
    for (const SimConnection& c : s.connections)
        if (c.user.compare(o->name, Qt::CaseInsensitive) == 0)
            numbers.push_back(c.number);
    std::sort(numbers.begin(), numbers.end());
    numConns = std::uint16_t(std::min(numbers.size(), connList.size()));
    std::copy_n(numbers.begin(), numConns, connList.begin());
    return kSuccess;
}

NWCCODE SimClient::NWGetActiveConnListByType(NWCONN_HANDLE conn, std::uint32_t startConnNum,
                                             std::uint32_t connType,
                                             NWFSE_ACTIVE_CONN_LIST& connList)
{
    connList = NWFSE_ACTIVE_CONN_LIST{};
    const Call call = enter(conn, "NWGetActiveConnListByType");
    if (call.code)
        return call.code;
    const SimState& s = *call.state;
    if (!consoleOperator(s))
        return kNoConsoleRights;
    connList.vconsoleVersion = 1;
    // Every simulated connection is an NCP one, over IPX or IP alike.
    if (connType != NCP_CONNECTION_TYPE)
        return kSuccess;
    for (const SimConnection& c : s.connections) {
        if (c.number < startConnNum ||
            c.number - startConnNum >= std::uint32_t(kConnsPerActiveList))
            continue;
        const std::uint32_t bit = c.number - startConnNum;
        connList.activeConnBitList[bit / 8] |= std::uint8_t(1u << (bit % 8));
    }
    return kSuccess;
}

NWCCODE SimClient::NWGetPathFromDirectoryBase(NWCONN_HANDLE conn, std::uint8_t volNum,
                                              std::uint32_t dirBase, std::uint8_t,
                                              std::uint8_t& len, std::span<char> pathName)
{
    len = 0;
    copyToBuffer(pathName, QByteArray());
    const Call call = enter(conn, "NWGetPathFromDirectoryBase");
    if (call.code)
        return call.code;
    const SimState& s = *call.state;
    const auto key = entries_->keyOf(dirBase);
    const auto split = key ? splitNwPath(*key) : std::nullopt;
    if (!split || s.volumeIndex(split->volume) != volNum)
        return kInvalidPath;
    // The server keeps one name per entry: the host's, where the host has the
    // entry, otherwise the name the entry was first given.
    const SimVolume& volume = s.volumes[volNum];
    QString relative = split->relative;
    if (const auto host = findHostPath(volume.hostDir, relative);
        host && host->size() > volume.hostDir.size())
        relative =
            host->mid(volume.hostDir.size() + 1).replace(QLatin1Char('/'), QLatin1Char('\\'));
    const QByteArray path = toWire(volume.name + QLatin1Char(':') + relative);
    if (path.size() > kMaxPathLength)
        return kInvalidPath;
    copyToBuffer(pathName, path);
    len = std::uint8_t(path.size());
    return kSuccess;
}

} // namespace nw
