// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "netware/netware_client.h"

#include <QLocale>
#include <QString>

#include <cstdint>
#include <span>

namespace quorvex {

// How the values gathered for one connection are written as text. The scan stores
// the login, address and directory-rights texts; the user details and the reports
// render the byte fields with these same functions.

// "Shareable" for lock-type byte 8, "Exclusive" for every other value.
QString openedText(std::uint8_t lockType);

// The access-control bits 0x01, 0x02, 0x04, 0x08 as "Read", "Write", "Deny Read",
// "Deny Write", joined by commas without blanks; other bits are ignored.
QString fileRightsText(std::uint8_t accessControl);

// "Yes" for a non-zero lock flag, "No" for 0.
QString lockedText(std::uint8_t lockFlag);

// The trustee rights word as names joined by commas without blanks; bit 0x0004
// and the bits above 0x0100 have no name.
QString RightsToText(std::uint16_t rights);

// "Sunday" for 0 to "Saturday" for 6, the empty text for any other value.
QString weekdayName(int weekday);

// The login text of the 7 login-time bytes (year - 1900, month, day, hour, minute,
// second, weekday): "Thursday, 3/4/04, 09:15 am". timeSeparator stands between the
// hour and the minute.
QString loginText(std::span<const std::uint8_t, 7> loginTime, const QString& timeSeparator);

// The separators of a locale's short date and time formats: the text between
// its first two numeric date fields (day, month, year) and between the hour and
// the minute; "/" and ":" when the format has none (the C locale spells the
// month out, "8 Dec 2026").
QString dateSeparator(const QLocale& locale);
QString timeSeparator(const QLocale& locale);
// The system's time separator.
QString systemTimeSeparator();

// "IP:10.0.0.1" for type 11; otherwise the prefix ("IPX:" type 2, "AFP:" type 3,
// none else) and network:node:socket in upper-case hex, two digits a byte.
QString addressText(const nw::NWINET_ADDR& address);

} // namespace quorvex
