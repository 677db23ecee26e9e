// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The client of the servers a settings file names, wired to its drive map: a
// drive letter finds its server and volume through the map, and the map finds
// a volume's folder and a drive's files through the client.

#include <QString>

#include <memory>

namespace ncp {
class PasswordSource;
}

namespace quorvex {
class DriveMap;
class SettingsStore;
} // namespace quorvex

namespace nw {

class ClientRouter;

// Where each server lives: name = "sim:PATH" or "ncp:HOST...".
inline const QString kServersSection = QStringLiteral("Servers");

// passwords may be null (every login then uses the empty password); drives
// must outlive the client, and the client the drive map's use of it.
std::unique_ptr<ClientRouter> routerForSettings(const quorvex::SettingsStore& store,
                                                quorvex::DriveMap& drives,
                                                ncp::PasswordSource* passwords);

} // namespace nw
