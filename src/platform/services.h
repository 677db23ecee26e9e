// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvex {

class AppDirs;
class AttemptOrigin;
class Clipboard;
class Clock;
class DriveMap;
class Printer;
class Prompts;
class SettingsStore;
class Shell;

// Everything the program asks of the machine, handed to the main window and on
// to the subsystems. The owner (main(), or a test) keeps the objects alive for
// as long as the bundle is used.
struct Services
{
    SettingsStore& settings;
    DriveMap& drives;
    Prompts& prompts;
    const Clock& clock;
    Shell& shell;
    Printer& printer;
    Clipboard& clipboard;
    const AppDirs& dirs;
    bool headless = false; // nobody can see the windows or answer a box
    // Marks the work of the rescan timer, for the logins it causes; may be null.
    AttemptOrigin* origin = nullptr;
};

} // namespace quorvex
