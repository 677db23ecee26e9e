// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_icon.h"
#include "app/app_services.h"
#include "app/command_line.h"
#include "app/command_line_info.h"
#include "app/form1.h"
#include "app/lifecycle.h"
#include "app/pane_notices.h"
#include "app/window_geometry.h"
#include "platform/headless_mode.h"
#include "platform/runtime_dir.h"
#include "platform/termination_signals.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Before anything can block: a signal from now on is kept until the event
    // loop takes it, and a blocked open or write returns to look at it.
    quorvex::TerminationSignals::install();
    // "--help" and "--version" answer before anything else starts.
    if (const auto status = quorvex::handleInfoOptions(argc, argv))
        return *status;
    // Decided before the application exists: without a display the program runs
    // on the offscreen platform.
    const bool headless = quorvex::applyHeadlessPlatform(argc, argv);
    // Outlives the application: it is removed after everything that used it.
    const quorvex::PrivateRuntimeDir runtimeDir;
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvex"));
    QApplication::setApplicationName(QStringLiteral("Quorvex"));
    quorvex::applyDesktopIdentity();
    // The window hides in the tray and other windows come and go; the program
    // ends when the main window unloads, not when a last window closes.
    app.setQuitOnLastWindowClosed(false);
    quorvex::TerminationSignals termination;

    // QApplication has taken its own options out of the arguments; the rest,
    // joined by blanks, is the one command line the program knows.
    const QString commandLine = quorvex::joinCommandLine(app.arguments().mid(1));

    quorvex::AppServices services(headless || quorvex::isHeadlessRun());
    quorvex::Form1 form(services.services(), services.client());
    services.setPromptParent(&form);
    // What servers say of logins goes to the message pane; without a display,
    // to standard error (the headless message boxes write there).
    if (!services.services().headless) {
        auto* notices = new quorvex::PaneNotices(form);
        services.setLoginNoticeSink([notices](const QString& text) { notices->add(text); });
    }
    quorvex::Lifecycle& lifecycle = form.lifecycle();
    QObject::connect(&lifecycle, &quorvex::Lifecycle::programEnded, &app,
                     [&app](int status) { app.exit(status); });
    QObject::connect(&termination, &quorvex::TerminationSignals::terminationRequested, &lifecycle,
                     [&lifecycle] { lifecycle.terminate(); });

    if (!lifecycle.Form_Load(commandLine))
        return lifecycle.exitStatus();
    quorvex::placeCentred(form);
    form.show();
    return app.exec();
}
