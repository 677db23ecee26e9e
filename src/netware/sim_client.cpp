// SPDX-License-Identifier: GPL-3.0-or-later
#include "netware/sim_client.h"

#include "netware/sim_path.h"

#include <algorithm>
#include <cstring>

namespace nw {

SimClient::SimClient(std::vector<ServerBackend> servers, DriveLookup drives)
    : drives_(std::move(drives))
{
    for (ServerBackend& b : servers) {
        Server s;
        s.name = b.name;
        s.spec = b.spec;
        if (b.spec.startsWith(QLatin1String("sim:")) && b.spec.size() > 4)
            s.sim = std::make_unique<SimServer>(b.spec.mid(4));
        servers_.push_back(std::move(s));
    }
}

SimClient::~SimClient() = default;

SimClient::Server* SimClient::findServer(const QString& name)
{
    for (Server& s : servers_)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

SimServer* SimClient::simServer(const QString& server)
{
    Server* s = findServer(server);
    return s ? s->sim.get() : nullptr;
}

void SimClient::setEntryNumbers(SimEntryNumbers* numbering)
{
    entries_ = numbering ? numbering : &ownEntries_;
}

QString SimClient::volumeHostDirectory(const QString& server, const QString& volume)
{
    SimServer* sim = simServer(server);
    const auto state = sim ? sim->state() : nullptr;
    if (!state)
        return QString();
    const int v = state->volumeIndex(volume);
    return v < 0 ? QString() : state->volumes[std::size_t(v)].hostDir;
}

std::vector<SimServerInfo> SimClient::serverList()
{
    std::vector<SimServerInfo> list;
    for (Server& s : servers_) {
        SimServerInfo info{s.name, s.spec, false, QString(), {}};
        if (!s.sim) {
            info.error = QStringLiteral("%1: no backend for \"%2\"").arg(s.name, s.spec);
        } else if (const auto state = s.sim->state()) {
            info.reachable = true;
            for (const SimVolume& v : state->volumes)
                info.volumes.push_back(SimVolumeInfo{v.name, v.hostDir});
        } else {
            info.error = s.sim->errorText();
        }
        list.push_back(std::move(info));
    }
    return list;
}

NWCONN_HANDLE SimClient::openHandle(int server)
{
    NWCONN_HANDLE h = nextHandle_++;
    if (nextHandle_ == 0)
        nextHandle_ = 1; // 0 is never a handle
    conns_[h].server = server;
    return h;
}

void SimClient::dropHandlesOf(int server)
{
    for (auto it = conns_.begin(); it != conns_.end();)
        it = it->second.server == server ? conns_.erase(it) : std::next(it);
    servers_[std::size_t(server)].workstationHandle = 0;
}

SimClient::Call SimClient::enter(NWCONN_HANDLE handle, const char* callName)
{
    Call call;
    auto it = conns_.find(handle);
    if (it == conns_.end()) {
        call.code = kInvalidConnection;
        return call;
    }
    call.conn = &it->second;
    call.server = &servers_[std::size_t(it->second.server)];
    if (!call.server->sim) {
        call.code = kInvalidConnection;
        return call;
    }
    if (const auto code = call.server->sim->beginCall(callName, &call.state)) {
        call.code = *code;
        return call;
    }
    if (!call.state)
        call.code = kInvalidConnection;
    return call;
}

std::optional<NWCCODE> SimClient::enterUnbound(const char* callName)
{
    for (Server& s : servers_) {
        if (!s.sim || !s.sim->state())
            continue; // an unreachable server has no say in calls it is not asked
        if (const auto code = s.sim->beginCall(callName))
            return code;
    }
    return std::nullopt;
}

SimClient::Resolved SimClient::resolve(const Call& call, NWDIR_HANDLE dirHandle,
                                       const QString& path) const
{
    Resolved r;
    const SimState& s = *call.state;
    if (const auto split = splitNwPath(path)) {
        r.volume = s.volumeIndex(split->volume);
        if (r.volume < 0) {
            r.code = kVolumeDoesNotExist;
            return r;
        }
        r.relative = split->relative;
    } else if (dirHandle != 0) {
        const auto& slot = call.conn->dirs[dirHandle];
        if (!slot) {
            r.code = kBadDirectoryHandle;
            return r;
        }
        r.volume = slot->volume;
        r.relative = joinNwPath(slot->relative, path);
    } else {
        // No volume and no handle: a bare volume name stands for its root, as
        // the extended-information window passes it for a file in the root.
        QString rest = path;
        rest.replace(QLatin1Char('/'), QLatin1Char('\\'));
        const qsizetype sep = rest.indexOf(QLatin1Char('\\'));
        r.volume = s.volumeIndex(sep < 0 ? rest : rest.left(sep));
        if (r.volume < 0) {
            r.code = kInvalidPath;
            return r;
        }
        r.relative = joinNwPath(QString(), sep < 0 ? QString() : rest.mid(sep + 1));
    }
    r.key = normalizeNwPath(s.volumes[std::size_t(r.volume)].name + QLatin1Char(':') + r.relative);
    return r;
}

std::optional<QString> SimClient::hostPath(const Call& call, const Resolved& r) const
{
    return findHostPath(call.state->volumes[std::size_t(r.volume)].hostDir, r.relative);
}

NWCCODE SimClient::NWCallsInit(void*, void*)
{
    const bool anyBackend =
        std::any_of(servers_.begin(), servers_.end(), [](const Server& s) { return bool(s.sim); });
    if (!anyBackend)
        return kInvalidConnection; // no server has a backend at all
    if (const auto code = enterUnbound("NWCallsInit"))
        return *code;
    return kSuccess;
}

NWCCODE SimClient::parseOn(Server& server, const QString& volume, const QString& relative,
                           std::span<char> serverName, NWCONN_HANDLE& conn, std::span<char> volName,
                           std::span<char> dirPath)
{
    QString volumeName = volume;
    if (server.sim) {
        // An unreachable server still parses a drive path (the drive map knows
        // everything needed); its later calls answer 0x8801.
        std::shared_ptr<const SimState> state;
        const auto code = server.sim->beginCall("NWParsePath", &state);
        if (code && state)
            return *code;
        const int v = state ? state->volumeIndex(volume) : -1;
        if (v >= 0)
            volumeName = state->volumes[std::size_t(v)].name;
    }
    const int index = int(&server - servers_.data());
    if (server.workstationHandle == 0 || !conns_.contains(server.workstationHandle))
        server.workstationHandle = openHandle(index);
    conn = server.workstationHandle;
    copyToBuffer(serverName, toWire(server.name));
    copyToBuffer(volName, toWire(volumeName));
    copyToBuffer(dirPath, toWire(relative));
    return kSuccess;
}

NWCCODE SimClient::NWParsePath(const char* path, std::span<char> serverName, NWCONN_HANDLE& conn,
                               std::span<char> volName, std::span<char> dirPath)
{
    QString text = fromWire(path);
    text.replace(QLatin1Char('/'), QLatin1Char('\\'));
    // Drive path: "F:\DIR\FILE", "F:DIR", "F:".
    if (text.size() >= 2 && text[1] == QLatin1Char(':') && text[0].isLetter()) {
        const auto target = drives_ ? drives_(text[0].toUpper()) : std::nullopt;
        if (!target)
            return kBadPathSyntax;
        Server* server = findServer(target->server);
        if (!server || !server->sim)
            return kInvalidConnection;
        return parseOn(*server, target->volume, joinNwPath(target->pathInsideVolume, text.mid(2)),
                       serverName, conn, volName, dirPath);
    }
    const auto unc = fromUncPath(text);
    if (!unc)
        return kBadPathSyntax;
    const auto split = splitNwPath(*unc);
    if (!split)
        return kBadPathSyntax;
    // "SERVER\VOL:PATH" names the server; "VOL:PATH" takes the first server
    // that has the volume.
    const qsizetype sep = split->volume.indexOf(QLatin1Char('\\'));
    const QString serverPart = sep < 0 ? QString() : split->volume.left(sep);
    const QString volume = sep < 0 ? split->volume : split->volume.mid(sep + 1);
    for (Server& server : servers_) {
        if (!server.sim ||
            (!serverPart.isEmpty() && server.name.compare(serverPart, Qt::CaseInsensitive) != 0))
            continue;
        const auto state = server.sim->state();
        if (state && state->volumeIndex(volume) >= 0)
            return parseOn(server, volume, split->relative, serverName, conn, volName, dirPath);
    }
    return kBadPathSyntax;
}

NWCCODE SimClient::NWCCOpenConnByName(NWCONN_HANDLE, const char* name, std::uint32_t, std::uint32_t,
                                      std::uint32_t, NWCONN_HANDLE& conn)
{
    Server* server = findServer(fromWire(name));
    if (!server || !server->sim)
        return kServerUnknown;
    if (server->sim->state())
        if (const auto code = server->sim->beginCall("NWCCOpenConnByName"))
            return *code;
    conn = openHandle(int(server - servers_.data()));
    return kSuccess;
}

NWCCODE SimClient::NWCCCloseConn(NWCONN_HANDLE conn)
{
    auto it = conns_.find(conn);
    if (it == conns_.end())
        return kInvalidConnection;
    Server& server = servers_[std::size_t(it->second.server)];
    if (server.workstationHandle == conn)
        server.workstationHandle = 0;
    conns_.erase(it);
    return kSuccess;
}

NWCCODE SimClient::NWGetFileServerVersionInfo(NWCONN_HANDLE conn, VERSION_INFO& versBuffer)
{
    const Call call = enter(conn, "NWGetFileServerVersionInfo");
    if (call.code)
        return call.code;
    const SimState& s = *call.state;
    auto& b = versBuffer.bytes;
    b.fill(0);
    const QByteArray name = toWire(s.server).left(47);
    std::memcpy(b.data(), name.constData(), std::size_t(name.size()));
    b[48] = std::uint8_t(s.versionMajor);
    b[49] = std::uint8_t(s.versionMinor);
    // The record keeps its 16-bit counts in host (little-endian) order.
    const auto put16 = [&](std::size_t offset, int value) {
        b[offset] = std::uint8_t(value);
        b[offset + 1] = std::uint8_t(value >> 8);
    };
    put16(50, s.connectionsSupported());
    put16(52, int(s.connections.size()));
    put16(54, int(s.volumes.size()));
    b[56] = 0; // revision
    b[57] = 2; // SFT level II, as every server since 3.x
    b[58] = 1; // TTS available
    put16(59, s.connectionsPeak());
    // Accounting, VAP, queueing, printing, virtual console, restriction level,
    // internet bridge: the services a 3.x or later server offers.
    const std::uint8_t services[] = {1, 1, 1, 0, 1, 1, 1};
    std::memcpy(b.data() + 61, services, sizeof services);
    if (s.versionMajor >= 4) {
        // Product version fields came with the servers that have directory services.
        put16(70, s.versionMajor);
        put16(72, s.versionMinor);
        put16(74, 0);
    }
    b[76] = 4;                           // language: English
    b[77] = s.versionMajor >= 6 ? 1 : 0; // 64-bit file offsets
    return kSuccess;
}

} // namespace nw
