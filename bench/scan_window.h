// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window of the scan benchmarks: real desktop services (headless
// prompts whose boxes land in a buffer), every detail option on, drive F: on
// the generated server's volume DATA, and BIG.DB chosen in F:\SHARED, ready
// for Command1_Click.

#include "app/form1.h"
#include "files/directory_box.h"
#include "files/drive_box.h"
#include "platform/app_dirs.h"
#include "platform/desktop_shell.h"
#include "platform/drive_map.h"
#include "platform/headless_prompts.h"
#include "platform/pdf_printer.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "platform/system_clipboard.h"
#include "platform/system_clock.h"

#include <QBuffer>
#include <QListWidget>

#include <functional>

class ScanWindow
{
public:
    using VolumeLocator = std::function<QString(const QString&, const QString&)>;

    // driveTarget: the value of F: in the drive map ("network:GEN1/DATA:" and
    // its "@/host" mount, if any); locator: where volumes are on this machine.
    ScanWindow(const QString& where, nw::NetWareClient& client, const QString& driveTarget,
               VolumeLocator locator = {})
        : settings(where + QStringLiteral("/Quorvex.ini")), drives(settings), prompts(&boxes),
          printer(where + QStringLiteral("/report.pdf")),
          dirs(where, where, settings.filePath(), where), services{settings,  drives, prompts,
                                                                   clock,     shell,  printer,
                                                                   clipboard, dirs,   true},
          form(services, client)
    {
        settings.setValue(quorvex::DriveMap::kSection, QStringLiteral("F"), driveTarget);
        drives.reload(settings);
        if (locator)
            drives.setVolumeLocator(std::move(locator));
        boxes.open(QIODevice::WriteOnly);
        quorvex::Settings& o = form.settings;
        o.ConnNo = o.TaskNo = o.Opened = o.FileRights = o.DirRights = o.Locked = o.Login =
            o.Address = 1;
        form.Drive1->setDriveMap(&drives);
        form.Dir1->setDriveMap(&drives);
        form.Drive1->addItem(drives.displayName(QLatin1Char('F')));
        form.Drive1->setDrive(QStringLiteral("f:"));
        form.Dir1->setPath(QStringLiteral("F:\\SHARED"));
        form.List3->clear();
        form.List3->addItem(QStringLiteral("BIG.DB"));
        form.List3->setCurrentRow(0);
        form.show();
    }

    int listed() const { return form.List1->count(); }
    // What the boxes said: a box means the scan failed.
    QByteArray boxText() const { return boxes.data(); }

    quorvex::SettingsStore settings;
    quorvex::DriveMap drives;
    QBuffer boxes;
    quorvex::HeadlessPrompts prompts;
    quorvex::SystemClock clock;
    quorvex::PdfPrinter printer;
    quorvex::DesktopShell shell;
    quorvex::SystemClipboard clipboard;
    quorvex::AppDirs dirs;
    quorvex::Services services;
    quorvex::Form1 form;
};
