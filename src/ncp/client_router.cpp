// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/client_router.h"

#include "ncp/ncp_server_spec.h"
#include "ncp/ncp_volume_files.h"
#include "netware/sim_path.h"
#include "netware/sim_volume_files.h"
#include "platform/drive_map.h"
#include "platform/host_folder_files.h"

namespace nw {

ClientRouter::ClientRouter(std::vector<ServerBackend> servers, DriveLookup drives,
                           ncp::PasswordSource* passwords, ncp::SessionOptions options)
    : drives_(std::move(drives))
{
    std::vector<ServerBackend> simulated;
    for (ServerBackend& b : servers) {
        ServerEntry entry{b, QString()};
        if (ncp::isNcpServerSpec(b.spec)) {
            if (const auto spec = ncp::parseNcpServerSpec(b.spec, &entry.specError))
                ncp_.push_back(
                    std::make_unique<ncp::NcpClient>(b.name, *spec, drives_, passwords, options));
        } else {
            simulated.push_back(b);
        }
        servers_.push_back(std::move(entry));
    }
    sim_ = std::make_unique<SimClient>(std::move(simulated), drives_);
}

ClientRouter::~ClientRouter() = default;

ncp::NcpClient* ClientRouter::ncpClient(const QString& server)
{
    for (const auto& c : ncp_)
        if (c->name().compare(server, Qt::CaseInsensitive) == 0)
            return c.get();
    return nullptr;
}

NetWareClient* ClientRouter::backendFor(const QString& server)
{
    if (ncp::NcpClient* c = ncpClient(server))
        return c;
    for (const ServerEntry& s : servers_)
        if (s.backend.name.compare(server, Qt::CaseInsensitive) == 0)
            return s.specError.isEmpty() ? sim_.get() : nullptr;
    return nullptr;
}

QString ClientRouter::volumeHostDirectory(const QString& server, const QString& volume)
{
    return ncpClient(server) ? QString() : sim_->volumeHostDirectory(server, volume);
}

SimServer* ClientRouter::simServer(const QString& server)
{
    return ncpClient(server) ? nullptr : sim_->simServer(server);
}

std::unique_ptr<quorvex::VolumeFiles> ClientRouter::volumeFiles(const quorvex::DriveEntry& drive)
{
    if (ncp::NcpClient* c = ncpClient(drive.server))
        return std::make_unique<ncp::NcpVolumeFiles>(*c, drive.volume, drive.volumePath);
    SimServer* sim = sim_->simServer(drive.server);
    const QString volumeDir =
        sim ? sim_->volumeHostDirectory(drive.server, drive.volume) : QString();
    if (volumeDir.isEmpty())
        return nullptr;
    const QString root = quorvex::HostFolderFiles::followIgnoringCase(
        volumeDir, drive.volumePath.split(QLatin1Char('\\'), Qt::SkipEmptyParts));
    return std::make_unique<SimVolumeFiles>(*sim, root,
                                            drive.volume + QLatin1Char(':') + drive.volumePath);
}

std::vector<SimServerInfo> ClientRouter::serverList()
{
    const std::vector<SimServerInfo> simulated = sim_->serverList();
    std::vector<SimServerInfo> list;
    auto nextSim = simulated.begin();
    for (const ServerEntry& s : servers_) {
        if (!ncp::isNcpServerSpec(s.backend.spec)) {
            list.push_back(*nextSim++);
            continue;
        }
        // A network server is not contacted to be listed: it counts as
        // reachable until a session with it has failed.
        SimServerInfo info{s.backend.name, s.backend.spec, false, s.specError, {}};
        if (s.specError.isEmpty()) {
            const ncp::NcpClient* c = ncpClient(s.backend.name);
            info.reachable = c->sessionOpen() || c->lastError().isEmpty();
            info.error = info.reachable ? QString() : c->lastError();
        } else {
            info.error =
                QStringLiteral("%1: %2 in \"%3\"").arg(s.backend.name, s.specError, s.backend.spec);
        }
        list.push_back(std::move(info));
    }
    return list;
}

NWCONN_HANDLE ClientRouter::wrap(NetWareClient* backend, NWCONN_HANDLE inner)
{
    for (const auto& [handle, r] : routes_)
        if (r.backend == backend && r.inner == inner)
            return handle;
    while (nextHandle_ == 0 || routes_.contains(nextHandle_))
        ++nextHandle_;
    routes_[nextHandle_] = Route{backend, inner};
    return nextHandle_++;
}

const ClientRouter::Route* ClientRouter::route(NWCONN_HANDLE conn) const
{
    const auto it = routes_.find(conn);
    return it == routes_.end() ? nullptr : &it->second;
}

NWCCODE ClientRouter::NWCallsInit(void* reserved1, void* reserved2)
{
    if (sim_->NWCallsInit(reserved1, reserved2) == kSuccess || !ncp_.empty())
        return kSuccess;
    return kInvalidConnection;
}

NWCCODE ClientRouter::NWParsePath(const char* path, std::span<char> serverName, NWCONN_HANDLE& conn,
                                  std::span<char> volName, std::span<char> dirPath)
{
    QString text = fromWire(path);
    text.replace(QLatin1Char('/'), QLatin1Char('\\'));
    QString server;
    const bool drivePath = text.size() >= 2 && text[1] == QLatin1Char(':') && text[0].isLetter();
    if (drivePath) {
        const auto target = drives_ ? drives_(text[0].toUpper()) : std::nullopt;
        if (!target)
            return kBadPathSyntax;
        server = target->server;
    } else if (text.startsWith(QLatin1String("\\\\"))) {
        server = text.mid(2).section(QLatin1Char('\\'), 0, 0);
    } else if (const auto split = splitNwPath(text)) {
        const qsizetype sep = split->volume.indexOf(QLatin1Char('\\'));
        server = sep < 0 ? QString() : split->volume.left(sep);
    }
    std::vector<NetWareClient*> candidates;
    if (!server.isEmpty()) {
        NetWareClient* backend = backendFor(server);
        if (!backend)
            return drivePath ? kInvalidConnection : kBadPathSyntax;
        candidates.push_back(backend);
    } else {
        // "VOL:PATH" alone: the first server that has the volume, simulated
        // ones first (they answer without the network).
        candidates.push_back(sim_.get());
        for (const auto& c : ncp_)
            candidates.push_back(c.get());
    }
    NWCCODE code = kBadPathSyntax;
    for (NetWareClient* backend : candidates) {
        NWCONN_HANDLE inner = 0;
        code = backend->NWParsePath(path, serverName, inner, volName, dirPath);
        if (code == kSuccess) {
            conn = wrap(backend, inner);
            return kSuccess;
        }
    }
    return candidates.size() == 1 ? code : kBadPathSyntax;
}

NWCCODE ClientRouter::NWCCOpenConnByName(NWCONN_HANDLE startConnHandle, const char* name,
                                         std::uint32_t nameFormat, std::uint32_t openState,
                                         std::uint32_t tranType, NWCONN_HANDLE& conn)
{
    NetWareClient* backend = backendFor(fromWire(name));
    if (!backend)
        return kServerUnknown;
    NWCONN_HANDLE inner = 0;
    const NWCCODE code =
        backend->NWCCOpenConnByName(startConnHandle, name, nameFormat, openState, tranType, inner);
    if (code == kSuccess)
        conn = wrap(backend, inner);
    return code;
}

NWCCODE ClientRouter::NWCCCloseConn(NWCONN_HANDLE conn)
{
    const auto it = routes_.find(conn);
    if (it == routes_.end())
        return kInvalidConnection;
    const Route r = it->second;
    routes_.erase(it);
    return r.backend->NWCCCloseConn(r.inner);
}

} // namespace nw
