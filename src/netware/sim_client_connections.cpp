// SPDX-License-Identifier: GPL-3.0-or-later
// The calls about connections: who uses a file, connection details, messages,
// clearing connections and locks.

#include "netware/sim_client.h"

#include "netware/sim_path.h"

#include <QJsonObject>

#include <algorithm>

namespace nw {
namespace {

CONN_USING_FILE_SUMMARY summarize(const SimState& s, const std::vector<SimOpenRef>& refs)
{
    CONN_USING_FILE_SUMMARY sum;
    std::uint16_t lastConn = 0;
    for (const SimOpenRef& ref : refs) {
        const SimOpenEntry& e =
            s.connections[std::size_t(ref.connIndex)].open[std::size_t(ref.openIndex)];
        if (ref.connNumber != lastConn)
            ++sum.useCount;
        lastConn = ref.connNumber;
        ++sum.openCount;
        sum.openForReadCount += (e.access & 0x01) ? 1 : 0;
        sum.openForWriteCount += (e.access & 0x02) ? 1 : 0;
        sum.denyReadCount += (e.access & 0x04) ? 1 : 0;
        sum.denyWriteCount += (e.access & 0x08) ? 1 : 0;
        if (e.locked)
            sum.locked = 1;
    }
    sum.forkCount = 1;
    return sum;
}

} // namespace

NWCCODE SimClient::NWScanConnectionsUsingFile(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                              const char* filePath, std::int16_t& iterHandle,
                                              CONN_USING_FILE_SUMMARY& fileUse,
                                              CONNS_USING_FILE& fileUsed)
{
    fileUsed.connCount = 0;
    const Call call = enter(conn, "NWScanConnectionsUsingFile");
    if (call.code)
        return call.code;
    const SimState& s = *call.state;
    if (!consoleOperator(s))
        return kNoConsoleRights;
    const Resolved r = resolve(call, dirHandle, fromWire(filePath));
    if (r.code)
        return r.code;
    const std::vector<SimOpenRef>& refs = s.openEntries(r.key);

    auto found = cursors_.find(iterHandle);
    if (iterHandle == 0) {
        if (refs.empty() && !hostPath(call, r))
            return kInvalidPath;
        // A new scan: the 16-bit handle names its position kept here, so that
        // entries added or removed between answers neither repeat nor vanish.
        if (cursors_.size() >= 64) {
            auto oldest = std::min_element(cursors_.begin(), cursors_.end(), [](auto& a, auto& b) {
                return a.second.age < b.second.age;
            });
            cursors_.erase(oldest);
        }
        while (nextCursor_ <= 0 || cursors_.contains(nextCursor_))
            nextCursor_ = std::int16_t(nextCursor_ <= 0 ? 1 : nextCursor_ + 1);
        ScanCursor cursor;
        cursor.conn = conn;
        cursor.key = r.key;
        cursor.emptyLeft = s.emptyBatches;
        cursor.summary = summarize(s, refs);
        cursor.age = ++cursorAge_;
        found = cursors_.emplace(nextCursor_, std::move(cursor)).first;
        iterHandle = nextCursor_;
        nextCursor_ = std::int16_t(nextCursor_ == 32767 ? 1 : nextCursor_ + 1);
    }
    if (found == cursors_.end() || found->second.key != r.key || found->second.conn != conn)
        return kNoMoreEntries;
    ScanCursor& cursor = found->second;
    fileUse = cursor.summary;
    if (cursor.emptyLeft > 0) {
        --cursor.emptyLeft;
        return kSuccess;
    }
    auto it = refs.begin();
    if (cursor.started)
        it = std::upper_bound(
            refs.begin(), refs.end(), std::pair(cursor.lastConn, cursor.lastTask),
            [](const std::pair<std::uint16_t, std::uint16_t>& pos, const SimOpenRef& ref) {
                return pos < std::pair(ref.connNumber, ref.task);
            });
    if (it == refs.end()) {
        cursors_.erase(found);
        return kNoMoreEntries;
    }
    const int limit = std::min(s.batchSize, kMaxConnsPerBatch);
    for (; it != refs.end() && fileUsed.connCount < limit; ++it) {
        const SimOpenEntry& e =
            s.connections[std::size_t(it->connIndex)].open[std::size_t(it->openIndex)];
        fileUsed.connInfo[fileUsed.connCount++] =
            CONN_USING_FILE{it->connNumber, it->task, e.lockType, e.access, e.locked};
        cursor.lastConn = it->connNumber;
        cursor.lastTask = it->task;
    }
    cursor.started = true;
    return kSuccess;
}

NWCCODE SimClient::NWGetConnectionInformation(NWCONN_HANDLE conn, std::uint16_t connNumber,
                                              std::span<char> objName, std::uint16_t& objType,
                                              std::uint32_t& objID,
                                              std::span<std::uint8_t> loginTime)
{
    const Call call = enter(conn, "NWGetConnectionInformation");
    if (call.code)
        return call.code;
    const SimConnection* c = call.state->connection(connNumber);
    if (!c)
        return kBadStationNumber;
    const SimObject* o = call.state->objectByName(c->user);
    copyToBuffer(objName, toWire(o ? o->name : c->user));
    objType = 1; // user
    objID = o ? o->id : 0;
    const QDate d = c->login.date();
    const QTime t = c->login.time();
    const std::uint8_t bytes[7] = {std::uint8_t(d.year() - 1900),  std::uint8_t(d.month()),
                                   std::uint8_t(d.day()),          std::uint8_t(t.hour()),
                                   std::uint8_t(t.minute()),       std::uint8_t(t.second()),
                                   std::uint8_t(d.dayOfWeek() % 7)}; // Qt: Monday 1 .. Sunday 7
    std::copy_n(bytes, std::min<std::size_t>(7, loginTime.size()), loginTime.begin());
    return kSuccess;
}

NWCCODE SimClient::NWGetInetAddr(NWCONN_HANDLE conn, std::uint16_t connNumber,
                                 NWINET_ADDR& inetAddr)
{
    inetAddr = NWINET_ADDR{};
    const Call call = enter(conn, "NWGetInetAddr");
    if (call.code)
        return call.code;
    const SimConnection* c = call.state->connection(connNumber);
    if (!c)
        return kBadStationNumber;
    inetAddr.network = c->address.network;
    inetAddr.node = c->address.node;
    inetAddr.socket = c->address.socket;
    inetAddr.connType = c->address.type;
    return kSuccess;
}

NWCCODE SimClient::NWSendBroadcastMessage(NWCONN_HANDLE conn, const char* message,
                                          std::uint16_t connCount, const std::uint32_t* connList,
                                          std::uint8_t* resultList)
{
    const Call call = enter(conn, "NWSendBroadcastMessage");
    if (call.code)
        return call.code;
    if (connCount > 0 && !connList)
        return kBadStationNumber;
    const QString text = fromWire(message);
    std::vector<NWCCODE> results(connCount, kBadStationNumber);
    const bool ok = call.server->sim->mutate([&](SimState& s) {
        bool changed = false;
        const QString at = formatStateTime(QDateTime::currentDateTime());
        const QString from = ownUser(s);
        for (std::uint16_t i = 0; i < connCount; ++i) {
            const int index =
                connList[i] <= 0xFFFF ? s.connectionIndex(std::uint16_t(connList[i])) : -1;
            if (index < 0)
                continue;
            SimConnection& c = s.connections[std::size_t(index)];
            if (!c.acceptsMessages) {
                results[i] = kNoSuchObject;
                continue;
            }
            c.messages.append(QJsonObject{{QLatin1String("from"), from},
                                          {QLatin1String("at"), at},
                                          {QLatin1String("text"), text}});
            results[i] = kSuccess;
            changed = true;
        }
        return changed;
    });
    if (!ok)
        return kInvalidConnection;
    NWCCODE first = kSuccess;
    for (std::uint16_t i = 0; i < connCount; ++i) {
        if (resultList)
            resultList[i] = std::uint8_t(results[i] & 0xFF);
        if (first == kSuccess)
            first = results[i];
    }
    return first;
}

NWCCODE SimClient::NWClearConnectionNumber(NWCONN_HANDLE conn, std::uint16_t connNumber)
{
    const Call call = enter(conn, "NWClearConnectionNumber");
    if (call.code)
        return call.code;
    if (!consoleOperator(*call.state))
        return kNoConsoleRights;
    NWCCODE code = kBadStationNumber;
    bool ownConnection = false;
    const bool ok = call.server->sim->mutate([&](SimState& s) {
        const int index = s.connectionIndex(connNumber);
        if (index < 0)
            return false;
        s.connections.erase(s.connections.begin() + index);
        ownConnection = connNumber == ownNumber(s);
        code = kSuccess;
        return true;
    });
    if (!ok)
        return kInvalidConnection;
    if (ownConnection)
        dropHandlesOf(call.conn->server); // the server has logged this station out
    return code;
}

NWCCODE SimClient::NWClearFileLockSet(NWCONN_HANDLE conn)
{
    const Call call = enter(conn, "NWClearFileLockSet");
    if (call.code)
        return call.code;
    const bool ok = call.server->sim->mutate([&](SimState& s) {
        const int index = s.connectionIndex(ownNumber(s));
        if (index < 0)
            return false;
        bool changed = false;
        for (SimOpenEntry& e : s.connections[std::size_t(index)].open) {
            changed = changed || e.locked != 0;
            e.locked = 0;
        }
        return changed;
    });
    return ok ? kSuccess : kInvalidConnection;
}

NWCCODE SimClient::NWClearFileLock2(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle, const char* path)
{
    const Call call = enter(conn, "NWClearFileLock2");
    if (call.code)
        return call.code;
    const Resolved r = resolve(call, dirHandle, fromWire(path));
    if (r.code)
        return r.code;
    NWCCODE code = kLockError;
    const bool ok = call.server->sim->mutate([&](SimState& s) {
        // Only the station's own lock: a server never lets one station release
        // another station's lock.
        const int index = s.connectionIndex(ownNumber(s));
        if (index < 0)
            return false;
        for (SimOpenEntry& e : s.connections[std::size_t(index)].open) {
            if (e.locked != 0 && normalizeNwPath(e.path) == r.key) {
                e.locked = 0;
                code = kSuccess;
            }
        }
        return code == kSuccess;
    });
    return ok ? code : kInvalidConnection;
}

} // namespace nw
