// SPDX-License-Identifier: GPL-3.0-or-later
// Requests about files in use and other connections, each answered through
// the simulated-server call of the same meaning.

#include "ncpd/connection_requests.h"
#include "ncpd/entry_table.h"
#include "ncpd/file_use_requests.h"
#include "ncpd/request_text.h"
#include "ncpd/session_dispatcher.h"
#include "netware/sim_path.h"

#include <algorithm>
#include <vector>

namespace ncpd {
namespace {

// Connection numbers beyond 16 bits name no connection; 0 is never one either.
std::uint16_t connectionOrNone(std::uint32_t connection)
{
    return connection <= 0xFFFF ? std::uint16_t(connection) : 0;
}

// What NWSendBroadcastMessage leaves in a result slot it never reached.
constexpr std::uint8_t kUntouched = 0xAA;

} // namespace

SessionDispatcher::Answer SessionDispatcher::pathToEntry(const QByteArray& data)
{
    // Not a client call of its own: it consumes no fault and waits no latency.
    const auto request = decodePathToEntry(data);
    if (!request)
        return malformed();
    const KeyOrError r = resolveKey(request->dirHandle, request->path);
    if (r.error)
        return completion(r.error);
    // Only a path that exists has a directory entry to number.
    const auto s = state();
    if (!s)
        return fromCode(nw::kInvalidConnection);
    const nw::SimVolume& volume = s->volumes[std::size_t(r.volume)];
    if (!nw::findHostPath(volume.hostDir, nw::splitNwPath(r.key)->relative))
        return completion(std::uint8_t(nw::kInvalidPath & 0xFF));
    Answer a;
    a.data = encodePathToEntryReply(std::uint8_t(r.volume), entries_.entryFor(r.key));
    return a;
}

SessionDispatcher::Answer SessionDispatcher::connsUsingFile(const QByteArray& data)
{
    const auto request = decodeConnsUsingFile(data);
    if (!request)
        return malformed();
    const auto key = entries_.keyOf(request->directoryBase);
    if (!key)
        return completion(std::uint8_t(nw::kInvalidPath & 0xFF));
    // The last record seen is the simulated scan's cursor; 0 starts a new scan.
    std::int16_t cursor = std::int16_t(request->lastRecord);
    nw::CONN_USING_FILE_SUMMARY summary;
    nw::CONNS_USING_FILE entries;
    const QByteArray path = nw::toWire(*key);
    const nw::NWCCODE code =
        client_->NWScanConnectionsUsingFile(handle_, 0, path.constData(), cursor, summary, entries);
    if (code == nw::kNoMoreEntries)
        return Answer{0, 0, encodeConnsUsingFileReply(0, summary, nw::CONNS_USING_FILE()), false,
                      false};
    return fromCode(code, encodeConnsUsingFileReply(std::uint16_t(cursor), summary, entries));
}

SessionDispatcher::Answer SessionDispatcher::connectionInfo(const QByteArray& data)
{
    const auto request = decodeConnectionNumber(data);
    if (!request)
        return malformed();
    std::array<char, 48> name{};
    std::uint16_t type = 0;
    std::uint32_t id = 0;
    std::array<std::uint8_t, 7> loginTime{};
    const nw::NWCCODE code = client_->NWGetConnectionInformation(
        handle_, connectionOrNone(request->connection), name, type, id, loginTime);
    return fromCode(code, encodeConnectionInfoReply(id, type, QByteArray(name.data()), loginTime));
}

SessionDispatcher::Answer SessionDispatcher::inetAddr(const QByteArray& data)
{
    const auto request = decodeConnectionNumber(data);
    if (!request)
        return malformed();
    nw::NWINET_ADDR address;
    const nw::NWCCODE code =
        client_->NWGetInetAddr(handle_, connectionOrNone(request->connection), address);
    return fromCode(code, encodeInetAddrReply(address));
}

SessionDispatcher::Answer SessionDispatcher::broadcast(const QByteArray& data,
                                                       std::uint32_t replyLimit)
{
    const auto request = decodeBroadcast(data);
    if (!request)
        return malformed();
    const std::size_t count = request->connections.size();
    // A reply the client cannot take is refused before any message is delivered.
    const std::size_t replySize = ncp::kReplyHeader + 2 + 4 * count;
    if (replyLimit != 0 && replySize > replyLimit)
        return completion(0xFF);
    std::vector<std::uint8_t> results(count, kUntouched);
    const nw::NWCCODE code =
        client_->NWSendBroadcastMessage(handle_, request->message.constData(), std::uint16_t(count),
                                        request->connections.data(), results.data());
    // The call got as far as the connections when it filled in every result;
    // their failures then travel as statuses, with completion 0.
    const bool reached =
        code == nw::kSuccess ||
        (count > 0 && std::find(results.begin(), results.end(), kUntouched) == results.end());
    if (!reached)
        return fromCode(code);
    std::vector<std::uint32_t> statuses;
    statuses.reserve(count);
    for (const std::uint8_t r : results)
        statuses.push_back(broadcastWireStatus(r));
    Answer a;
    a.data = encodeBroadcastReply(statuses);
    return a;
}

SessionDispatcher::Answer SessionDispatcher::oldBroadcast(const QByteArray& data)
{
    const auto request = decodeOldBroadcast(data);
    if (!request)
        return malformed();
    const std::size_t count = request->connections.size();
    const std::vector<std::uint32_t> list(request->connections.begin(), request->connections.end());
    std::vector<std::uint8_t> results(count, kUntouched);
    const QByteArray message = request->message.left(kOldBroadcastLimit);
    const nw::NWCCODE code = client_->NWSendBroadcastMessage(
        handle_, message.constData(), std::uint16_t(count), list.data(), results.data());
    // As the server emulators answer it: a status byte per station, and 0xFF
    // for the whole request when none of them is logged in.
    const bool reached = std::any_of(results.begin(), results.end(), [](std::uint8_t r) {
        return r == 0 || r == std::uint8_t(nw::kNoSuchObject & 0xFF);
    });
    if (!reached)
        return fromCode(code == nw::kSuccess || code == nw::kBadStationNumber ? nw::kLockError
                                                                              : code);
    QByteArray statuses;
    for (const std::uint8_t r : results)
        statuses.append(char(oldBroadcastStatus(r)));
    Answer a;
    a.data = encodeOldBroadcastReply(statuses);
    return a;
}

SessionDispatcher::Answer SessionDispatcher::clearConnection(const QByteArray& data)
{
    const auto request = decodeClearConnection(data);
    if (!request)
        return malformed();
    // Clients differ on the byte order of this field: the little-endian reading
    // wins unless it cannot be a connection and the big-endian one names one.
    std::uint32_t connection = request->littleEndian;
    if (connection > 0xFFFF && request->bigEndian <= 0xFFFF) {
        const auto s = state();
        if (s && s->connection(std::uint16_t(request->bigEndian)))
            connection = request->bigEndian;
    }
    return clearConnectionNumber(connection);
}

SessionDispatcher::Answer SessionDispatcher::clearConnectionOld(const QByteArray& data)
{
    const auto request = decodeOneByte(data);
    if (!request)
        return malformed();
    return clearConnectionNumber(*request);
}

SessionDispatcher::Answer SessionDispatcher::clearConnectionNumber(std::uint32_t connection)
{
    const nw::NWCCODE code =
        client_->NWClearConnectionNumber(handle_, connectionOrNone(connection));
    if (code == nw::kSuccess && std::uint16_t(connection) == connection_)
        dirKeys_.fill(std::nullopt); // the handles went with the connection
    return fromCode(code);
}

SessionDispatcher::Answer SessionDispatcher::clearFileLock(const QByteArray& data)
{
    const auto request = decodeClearFileLock(data);
    if (!request)
        return malformed();
    return fromCode(
        client_->NWClearFileLock2(handle_, request->dirHandle, request->path.constData()));
}

SessionDispatcher::Answer SessionDispatcher::clearLockSet(const QByteArray& data)
{
    if (!decodeClearLockSet(data))
        return malformed();
    return fromCode(client_->NWClearFileLockSet(handle_));
}

} // namespace ncpd
