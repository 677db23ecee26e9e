// SPDX-License-Identifier: GPL-3.0-or-later
#include "who_setup.h"

#include "ncp/client_router.h"
#include "platform/drive_map.h"
#include "platform/settings_store.h"
#include "platform/volume_files.h"

namespace quorvex::who {

namespace {
const QString kServersSection = QStringLiteral("Servers");
}

WhoSetup::WhoSetup() = default;
WhoSetup::~WhoSetup() = default;

bool WhoSetup::load(const QString& settingsFile, QString* error)
{
    store_ = std::make_unique<SettingsStore>(settingsFile);
    switch (store_->loadStatus()) {
    case SettingsStore::LoadStatus::Missing:
        *error = QStringLiteral("no settings file %1 (start quorvex once to set one up)")
                     .arg(settingsFile);
        return false;
    case SettingsStore::LoadStatus::Unreadable:
        *error = QStringLiteral("cannot read the settings file %1").arg(settingsFile);
        return false;
    case SettingsStore::LoadStatus::Loaded:
        break;
    }
    std::vector<nw::ServerBackend> backends;
    for (const QString& name : store_->keys(kServersSection)) {
        servers_.append(name);
        backends.push_back({name, store_->value(kServersSection, name)});
    }
    if (servers_.isEmpty()) {
        *error = QStringLiteral("the settings file %1 names no server (its [Servers] section)")
                     .arg(settingsFile);
        return false;
    }
    drives_.reload(*store_);
    const DriveMap* drives = &drives_;
    client_ = std::make_unique<nw::ClientRouter>(
        std::move(backends),
        [drives](QChar letter) -> std::optional<nw::NetworkDriveTarget> {
            const auto entry = drives->entry(letter);
            if (!entry || entry->type != DriveType::Remote)
                return std::nullopt;
            return nw::NetworkDriveTarget{entry->server, entry->volume, entry->volumePath};
        },
        &passwords_);
    nw::ClientRouter* client = client_.get();
    drives_.setVolumeLocator([client](const QString& server, const QString& volume) {
        return client->volumeHostDirectory(server, volume);
    });
    // A drive without a mount reaches its files through its server.
    drives_.setFilesProvider(
        [client](const DriveEntry& drive) { return client->volumeFiles(drive); });
    return true;
}

QString WhoSetup::serverNamed(const QString& name) const
{
    for (const QString& s : servers_)
        if (s.compare(name, Qt::CaseInsensitive) == 0)
            return s;
    return QString();
}

QString WhoSetup::unreachableReason(const QString& server)
{
    if (const QString refusal = passwords_.refusal(server); !refusal.isEmpty())
        return refusal;
    for (const nw::SimServerInfo& info : client_->serverList())
        if (info.name.compare(server, Qt::CaseInsensitive) == 0 && !info.error.isEmpty())
            return info.error;
    if (ncp::NcpClient* ncp = client_->ncpClient(server); ncp && !ncp->lastError().isEmpty())
        return ncp->lastError();
    return QStringLiteral("invalid connection");
}

} // namespace quorvex::who
