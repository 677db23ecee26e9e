// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/settings_router.h"

#include "ncp/client_router.h"
#include "platform/drive_map.h"
#include "platform/settings_store.h"
#include "platform/volume_files.h"

namespace nw {

std::unique_ptr<ClientRouter> routerForSettings(const quorvex::SettingsStore& store,
                                                quorvex::DriveMap& drives,
                                                ncp::PasswordSource* passwords)
{
    std::vector<ServerBackend> servers;
    for (const QString& name : store.keys(kServersSection))
        servers.push_back({name, store.value(kServersSection, name)});
    const quorvex::DriveMap* map = &drives;
    auto client = std::make_unique<ClientRouter>(
        std::move(servers),
        [map](QChar letter) -> std::optional<NetworkDriveTarget> {
            const auto entry = map->entry(letter);
            if (!entry || entry->type != quorvex::DriveType::Remote)
                return std::nullopt;
            return NetworkDriveTarget{entry->server, entry->volume, entry->volumePath};
        },
        passwords);
    ClientRouter* router = client.get();
    drives.setVolumeLocator([router](const QString& server, const QString& volume) {
        return router->volumeHostDirectory(server, volume);
    });
    // A drive without a mount reaches its files through its server.
    drives.setFilesProvider(
        [router](const quorvex::DriveEntry& drive) { return router->volumeFiles(drive); });
    return client;
}

} // namespace nw
