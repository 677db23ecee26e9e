// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

namespace quorvex {

// One connection that has the scanned file open; record i belongs to line i of
// the user list. A field whose detail option was off during the scan holds 0 or
// the empty text.
struct ConnectionInfo
{
    QString fileName;
    std::int16_t connNo = 0;
    std::int16_t taskNo = 0;
    std::uint8_t opened = 0;
    std::uint8_t fileRights = 0;
    QString dirRights;
    std::uint8_t locked = 0;
    QString login;
    QString address;
};

} // namespace quorvex
