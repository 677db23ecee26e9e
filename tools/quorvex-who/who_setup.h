// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What quorvex-who works with: Quorvex's settings file (read, never written),
// its drive map and its servers behind one client router.

#include "platform/drive_map.h"
#include "terminal_password_source.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace nw {
class ClientRouter;
}

namespace quorvex {
class SettingsStore;
}

namespace quorvex::who {

class WhoSetup
{
public:
    WhoSetup();
    ~WhoSetup();
    WhoSetup(const WhoSetup&) = delete;
    WhoSetup& operator=(const WhoSetup&) = delete;

    // Reads the settings file. False with *error when it cannot be used: it
    // is missing, cannot be read, or names no server.
    bool load(const QString& settingsFile, QString* error);

    nw::ClientRouter& client() { return *client_; }
    const DriveMap& drives() const { return drives_; }
    // The servers of the settings, in their order.
    const QStringList& servers() const { return servers_; }
    // The name a server has in the settings (its case), or "" when it has none.
    QString serverNamed(const QString& name) const;
    // Why a server cannot be reached, as well as can be told.
    QString unreachableReason(const QString& server);

private:
    std::unique_ptr<SettingsStore> store_;
    DriveMap drives_;
    QStringList servers_;
    TerminalPasswordSource passwords_;
    std::unique_ptr<nw::ClientRouter> client_;
};

} // namespace quorvex::who
