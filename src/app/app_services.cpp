// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_services.h"

#include "app/prompted_password_source.h"
#include "app/settings_keys.h"
#include "ncp/client_router.h"
#include "ncp/settings_router.h"
#include "netware/demo_install.h"
#include "netware/sim_server.h"
#include "platform/app_dirs.h"
#include "platform/attempt_origin.h"
#include "platform/default_printer.h"
#include "platform/desktop_prompts.h"
#include "platform/desktop_shell.h"
#include "platform/drive_map.h"
#include "platform/headless_prompts.h"
#include "platform/settings_store.h"
#include "platform/system_clipboard.h"
#include "platform/system_clock.h"
#include "platform/volume_files.h"

#include <QTextStream>

namespace quorvex {

AppServices::AppServices(bool headless) : headless_(headless)
{
    dirs_ = std::make_unique<AppDirs>(AppDirs::detect());
    store_ = std::make_unique<SettingsStore>(dirs_->settingsFile());
    drives_ = std::make_unique<DriveMap>();
    if (headless)
        prompts_ = std::make_unique<HeadlessPrompts>();
    else
        prompts_ = std::make_unique<DesktopPrompts>();
    clock_ = std::make_unique<SystemClock>();
    shell_ = std::make_unique<DesktopShell>();
    printer_ = std::make_unique<DefaultPrinter>();
    clipboard_ = std::make_unique<SystemClipboard>();
    origin_ = std::make_unique<AttemptOrigin>();
    setUpDrivesAndServers();
    services_ = std::unique_ptr<Services>(new Services{*store_, *drives_, *prompts_, *clock_,
                                                       *shell_, *printer_, *clipboard_, *dirs_,
                                                       headless, origin_.get()});
}

AppServices::~AppServices() = default;

nw::NetWareClient& AppServices::client()
{
    return *client_;
}

void AppServices::setPromptParent(QWidget* window)
{
    if (auto* desktop = dynamic_cast<DesktopPrompts*>(prompts_.get()))
        desktop->setParent(window);
}

void AppServices::setLoginNoticeSink(std::function<void(const QString&)> sink)
{
    passwords_->setNoticeSink(std::move(sink));
}

void AppServices::setUpDrivesAndServers()
{
    if (!store_->hasSection(DriveMap::kSection)) {
        // A first start: the default map and the demo servers behind F:, G: and H:.
        writeDefaultDriveMap(*store_);
        QString error;
        const QMap<QString, QString> demo =
            nw::installDemo(dirs_->programDir(), dirs_->dataDir(), &error);
        if (demo.isEmpty())
            QTextStream(stderr) << "Quorvex: the demo servers could not be set up: " << error
                                << Qt::endl;
        for (auto it = demo.cbegin(); it != demo.cend(); ++it)
            store_->setValue(kServersSection, it.key(), QStringLiteral("sim:") + it.value());
        // The demo's second server, a bindery one, is meant to be seen too:
        // its volume VOL1 goes on H:, a letter the default map leaves free.
        if (demo.contains(QStringLiteral("FS2")) &&
            !store_->contains(DriveMap::kSection, QStringLiteral("H")))
            store_->setValue(DriveMap::kSection, QStringLiteral("H"),
                             QStringLiteral("network:FS2/VOL1:"));
        // A newcomer's first window shows the demo's server (F: is FS1's DATA
        // in the default map) rather than this machine's root.
        if (demo.contains(QStringLiteral("FS1")) &&
            !store_->contains(kOptionsSection, keys::Path.key()))
            store_->setValue(kOptionsSection, keys::Path.key(), QStringLiteral("F:\\"));
        // The map and the servers are the machine's set-up, not the user's
        // options: kept at once, so quorvex-sim and a second copy see them.
        store_->sync();
    }
    drives_->reload(*store_);

    passwords_ = makePasswordSource(*prompts_, origin_.get());
    client_ = nw::routerForSettings(*store_, *drives_, passwords_.get());
    nw::ClientRouter* client = client_.get();
    // A simulated server whose state file cannot be read says what is wrong
    // with it (file, position, fault), as quorvex-sim show does; one over the
    // network why its session could not be set up.
    drives_->setServerProblem([client](const QString& server) {
        nw::SimServer* sim = client->simServer(server);
        if (sim)
            return !sim->state() ? sim->errorText() : QString();
        // A server reached over the network: why its last session failed,
        // since its drive's files are read through it.
        const ncp::NcpClient* ncp = client->ncpClient(server);
        return ncp && !ncp->sessionOpen() ? ncp->lastError() : QString();
    });
}

} // namespace quorvex
