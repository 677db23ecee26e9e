// SPDX-License-Identifier: GPL-3.0-or-later
#include "who_setup.h"

#include "ncp/client_router.h"
#include "ncp/settings_router.h"
#include "platform/drive_map.h"
#include "platform/settings_store.h"
#include "platform/volume_files.h"

namespace quorvex::who {

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
    for (const QString& name : store_->keys(nw::kServersSection))
        servers_.append(name);
    if (servers_.isEmpty()) {
        *error = QStringLiteral("the settings file %1 names no server (its [Servers] section)")
                     .arg(settingsFile);
        return false;
    }
    drives_.reload(*store_);
    client_ = nw::routerForSettings(*store_, drives_, &passwords_);
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
