// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

namespace quorvex {

// The program-wide option values, zeroed before the store is read. The keys,
// defaults and conversions live in settings_keys (one table).
struct Settings
{
    std::uint8_t HidFiles = 0;
    std::uint8_t ConnNo = 0;
    std::uint8_t TaskNo = 0;
    std::uint8_t Opened = 0;
    std::uint8_t FileRights = 0;
    std::uint8_t DirRights = 0;
    std::uint8_t Locked = 0;
    std::uint8_t Login = 0;
    std::uint8_t Address = 0;
    std::uint8_t Seconds = 0;
    bool FileYes = false;
    bool FileNo = false;
    std::uint8_t ViaBeep = 0;
    std::uint8_t ViaMsg = 0;
    std::uint8_t LogFile = 0;
    std::uint8_t Overwrite = 0;
    QString FDrive;
    QString FDir;
    QString FFile;
    // Never stored: every run starts with auto-clear off.
    std::uint8_t AutoClear = 0;
    QString AutoClearDate;
    QString AutoClearTime;
};

} // namespace quorvex
