// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "manual_clock.h"
#include "memory_clipboard.h"
#include "recording_printer.h"
#include "recording_shell.h"
#include "scripted_prompts.h"

#include "platform/app_dirs.h"
#include "platform/drive_map.h"
#include "platform/services.h"
#include "platform/settings_store.h"

#include <QTemporaryDir>

#include <memory>

namespace quorvex {

// A complete set of fake services on a private temporary directory:
//   <root>/program   program directory      <root>/data   data directory
//   <root>/config/Quorvex.ini settings file  <root>/tmp    temporary directory
// The drive map starts empty; give it drives with mapDrive() (which writes the
// settings and reloads the map) or writeDefaultDriveMap(settings) + reloadDrives().
//
//   TestServices t;
//   t.mapDrive('F', "network:FS1/DATA:@" + t.path("volumes/DATA"));
//   Form1 window(t.services());
class TestServices
{
public:
    TestServices();

    bool isValid() const { return m_root.isValid(); }
    QString root() const { return m_root.path(); }
    QString path(const QString& relative) const { return m_root.filePath(relative); }
    // Creates a file (and its directories) under the root; returns its full path.
    QString createFile(const QString& relative, const QByteArray& contents = {});

    void mapDrive(QChar letter, const QString& value);
    void reloadDrives() { drives.reload(*settings); }

    // Re-reads the settings file, as the next run of the program would. A bundle
    // from services() taken before refers to the old store: take a new one.
    void reopenSettings();

    Services services();

    std::unique_ptr<SettingsStore> settings;
    DriveMap drives;
    ScriptedPrompts prompts;
    ManualClock clock;
    RecordingShell shell;
    RecordingPrinter printer;
    MemoryClipboard clipboard;
    AppDirs dirs;
    bool headless = false;

private:
    QTemporaryDir m_root;
};

} // namespace quorvex
