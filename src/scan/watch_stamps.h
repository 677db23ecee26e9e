// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace quorvex {

// Stamps written into the activity log and the notification boxes. Times are
// 12-hour with a lower-case "am"/"pm"; between the numbers stand the locale's
// date and time separators (the system's unless a test names another).

// "hh:mm:ss am" for the log header.
QString logHeaderTime(const QDateTime& now, const QLocale& locale = QLocale::system());
// The system's long date for the log header.
QString logHeaderDate(const QDateTime& now, const QLocale& locale = QLocale::system());
// "   mm/dd/yy   hh:mm:ss am" closing each IN/OUT line.
QString logLineStamp(const QDateTime& now, const QLocale& locale = QLocale::system());
// "hh:mm am, mm/dd/yy" inside the notification boxes.
QString messageStamp(const QDateTime& now, const QLocale& locale = QLocale::system());

} // namespace quorvex
