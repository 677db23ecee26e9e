// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

namespace quorvex {

// The date and time texts the auto-clear rule understands. The Options window's
// date check uses the same reader, so every date it lets through is one the rule
// can read.
//
// Dates: M/D/YY, MM/DD/YY, M/D/YYYY, MM/DD/YYYY with "/" or "-" (one kind per
// text); two-digit years 00-49 are 2000-2049, 50-99 are 1950-1999. Blanks around
// the text are ignored; the day must exist in that month.
std::optional<QDate> parseAutoClearDate(const QString& text);

// Times: "h:mm am", "h:mm:ss pm" (12-hour, hour 1-12), "H:mm", "H:mm:ss" (24-hour,
// hour 0-23); "am"/"pm" in any case, with or without a blank before it.
std::optional<QTime> parseAutoClearTime(const QString& text);

// Whether the rule clears now. The limit is the date and time when both texts are
// given, else the date alone (compared with today) or the time alone (compared with
// the time of day). Connections are cleared once the current value is past the
// limit, never before it; a text that does not read, or no text at all, clears
// nothing.
bool autoClearDue(const QString& dateText, const QString& timeText, const QDateTime& now);

} // namespace quorvex
