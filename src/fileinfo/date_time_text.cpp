// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/date_time_text.h"

namespace quorvex {

QString DateTimeText(std::uint32_t packed)
{
    if (packed == 0)
        return QStringLiteral("?");
    const std::uint32_t date = packed >> 16;
    const std::uint32_t time = packed & 0xFFFF;
    // A value with no date half still shows its time, with the date counted from
    // the start of the server's calendar.
    const std::uint32_t year = (date >> 9) + 1980;
    const std::uint32_t month = (date >> 5) & 0xF;
    const std::uint32_t day = date & 0x1F;
    const std::uint32_t hours = time >> 11;
    const std::uint32_t minutes = (time >> 5) & 0x3F;
    const std::uint32_t seconds = (time & 0x1F) * 2;
    return QStringLiteral("%1/%2/%3,%4:%5:%6")
        .arg(month)
        .arg(day)
        .arg(year)
        .arg(hours)
        .arg(minutes)
        .arg(seconds);
}

} // namespace quorvex
