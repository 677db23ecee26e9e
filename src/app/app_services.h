// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/services.h"

#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace nw {
class NetWareClient;
class ClientRouter;
} // namespace nw

namespace quorvex {

class AppDirs;
class AttemptOrigin;
class LoginPasswords;
class Clipboard;
class Clock;
class DriveMap;
class Printer;
class Prompts;
class SettingsStore;
class Shell;

// Everything the running program needs from the machine, set up in order: the
// settings store on the settings file; the drive map from "Drives" (on a first
// start the default map is written and the demo servers installed, with
// "Servers" pointing at them); the NetWare client over the servers of
// "Servers" (simulated ones in-process, "ncp:" ones over the network), which
// also tells the drive map where each simulated volume's files live.
class AppServices
{
public:
    // headless: message boxes go to standard error instead of the screen.
    explicit AppServices(bool headless);
    ~AppServices();

    Services& services() { return *services_; }
    nw::NetWareClient& client();
    // Message boxes are centred on the main window once there is one.
    void setPromptParent(QWidget* window);
    // Where what servers say of logins goes (until set: message boxes).
    void setLoginNoticeSink(std::function<void(const QString&)> sink);

private:
    void setUpDrivesAndServers();

    std::unique_ptr<AppDirs> dirs_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<DriveMap> drives_;
    std::unique_ptr<Prompts> prompts_;
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<Shell> shell_;
    std::unique_ptr<Printer> printer_;
    std::unique_ptr<Clipboard> clipboard_;
    std::unique_ptr<AttemptOrigin> origin_;
    std::unique_ptr<LoginPasswords> passwords_; // outlives the client that asks it
    std::unique_ptr<nw::ClientRouter> client_;
    std::unique_ptr<Services> services_;
    bool headless_ = false;
};

} // namespace quorvex
