// SPDX-License-Identifier: GPL-3.0-or-later
// The server-wide requests, each answered through the simulated-server call of
// the same meaning: the files one connection has open, the connections of one
// object, the connections in use, the path of a directory entry.

#include "ncpd/entry_table.h"
#include "ncpd/listing_requests.h"
#include "ncpd/long_name_request.h"
#include "ncpd/session_dispatcher.h"
#include "netware/open_file_records.h"
#include "netware/sim_path.h"

#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace ncpd {
namespace {

constexpr std::size_t kMaxListed = 255; // a count byte
constexpr std::uint8_t kCompletionFailure = 0xFF;
constexpr std::uint8_t kCompletionInvalidPath = 0x9C;

// Every connection an object can have: the whole 16-bit range.
std::vector<std::uint16_t> allConnectionsBuffer()
{
    return std::vector<std::uint16_t>(0xFFFF);
}

} // namespace

SessionDispatcher::Answer SessionDispatcher::openFiles(const QByteArray& data)
{
    const auto request = decodeOpenFiles(data);
    if (!request)
        return malformed();
    // The last record seen is where the simulated scan goes on: its control
    // holds the record to ask for next, and the call answers from there.
    std::int16_t iterHandle = request->lastRecord == 0 ? 0 : 1;
    nw::OPEN_FILE_CONN_CTRL ctrl;
    ctrl.nextRequest = request->lastRecord;
    nw::OPEN_FILE_CONN first;
    const nw::NWCCODE code =
        client_->NWScanOpenFilesByConn2(handle_, request->connection, iterHandle, ctrl, first);
    if (code == nw::kNoMoreEntries)
        return fromCode(nw::kSuccess, encodeOpenFilesReply(0, 0, QByteArray()));
    if (code != nw::kSuccess)
        return fromCode(code);
    QByteArray records;
    nw::appendOpenFileRecord(records, first);
    const auto kept = nw::keptOpenFileRecords(ctrl);
    records.append(reinterpret_cast<const char*>(kept.data()), qsizetype(kept.size()));
    return fromCode(nw::kSuccess, encodeOpenFilesReply(ctrl.nextRequest,
                                                       std::uint16_t(1 + ctrl.openCount), records));
}

SessionDispatcher::Answer SessionDispatcher::objectConnections(const QByteArray& data, bool old)
{
    const auto request = old ? decodeObjectConnectionsOld(data) : decodeObjectConnections(data);
    if (!request)
        return malformed();
    std::vector<std::uint16_t> all = allConnectionsBuffer();
    std::uint16_t count = 0;
    const nw::NWCCODE code = client_->NWGetObjectConnectionNumbers(
        handle_, request->name.constData(), request->objectType, count, all);
    if (code != nw::kSuccess)
        return fromCode(code);
    all.resize(count);
    // The newer form goes on after the connection asked for; the older one can
    // only name connections that fit a byte.
    std::vector<std::uint16_t> listed;
    for (const std::uint16_t c : all) {
        if (listed.size() == kMaxListed)
            break;
        if (old ? c <= 0xFF : c > request->after)
            listed.push_back(c);
    }
    return fromCode(nw::kSuccess, old ? encodeObjectConnectionsOldReply(listed)
                                      : encodeObjectConnectionsReply(listed));
}

SessionDispatcher::Answer SessionDispatcher::activeConnections(const QByteArray& data)
{
    const auto request = decodeActiveConnections(data);
    if (!request)
        return malformed();
    nw::NWFSE_ACTIVE_CONN_LIST list;
    const nw::NWCCODE code =
        client_->NWGetActiveConnListByType(handle_, request->first, request->connectionType, list);
    return fromCode(code, encodeActiveConnectionsReply(list));
}

SessionDispatcher::Answer SessionDispatcher::fullPath(const QByteArray& data)
{
    const auto request = decodeFullPath(data);
    if (!request)
        return malformed();
    const auto s = state();
    if (!s)
        return fromCode(nw::kInvalidConnection);
    // Every path goes in one answer, so only a first request comes.
    if (request->cookie1 != 0xFFFFFFFF || request->cookie2 != 0xFFFFFFFF)
        return completion(kCompletionFailure);
    std::optional<QString> base;
    switch (request->path.flag) {
    case kHandleFlagBase:
        base = entries_.keyOf(request->path.base);
        break;
    case kHandleFlagHandle:
        base = dirKeys_[request->path.volume];
        if (!base)
            return completion(std::uint8_t(nw::kBadDirectoryHandle & 0xFF));
        break;
    default:
        if (request->path.volume >= s->volumes.size())
            return completion(std::uint8_t(nw::kVolumeDoesNotExist & 0xFF));
        base = s->volumes[request->path.volume].name + QLatin1Char(':');
        break;
    }
    const auto split = base ? nw::splitNwPath(*base) : std::nullopt;
    if (!split)
        return completion(kCompletionInvalidPath);
    QStringList parts = split->relative.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    for (const QByteArray& component : request->path.names) {
        if (!component.isEmpty())
            parts.append(nw::fromWire(component.constData()));
        else if (parts.isEmpty())
            return completion(kCompletionInvalidPath); // above the volume's root
        else
            parts.removeLast();
    }
    const int volume = s->volumeIndex(split->volume);
    // A directory base is a number on the volume the request names.
    if (volume < 0 || (request->path.flag == kHandleFlagBase && volume != request->path.volume))
        return completion(kCompletionInvalidPath);
    const QString relative = parts.join(QLatin1Char('\\'));
    const std::uint32_t entry = entries_.entryFor(
        nw::normalizeNwPath(s->volumes[std::size_t(volume)].name + QLatin1Char(':') + relative));
    std::uint8_t length = 0;
    std::array<char, 256> path{};
    const nw::NWCCODE code = client_->NWGetPathFromDirectoryBase(
        handle_, std::uint8_t(volume), entry, request->destinationNameSpace, length, path);
    if (code != nw::kSuccess)
        return fromCode(code);
    const auto answer = nw::splitNwPath(nw::fromWire(path.data()));
    if (!answer)
        return completion(kCompletionFailure);
    QByteArrayList components;
    const QStringList names = answer->relative.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    for (auto it = names.crbegin(); it != names.crend(); ++it)
        components.append(nw::toWire(*it));
    components.append(nw::toWire(answer->volume));
    const auto host = nw::findHostPath(s->volumes[std::size_t(volume)].hostDir, relative);
    return fromCode(nw::kSuccess,
                    encodeFullPathReply(host && QFileInfo(*host).isFile(), components));
}

} // namespace ncpd
