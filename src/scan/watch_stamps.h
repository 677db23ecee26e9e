#pragma once

#include <QDateTime>
#include <QString>

namespace quorvex {

// Stamps written into the activity log and the notification boxes. Times are
// 12-hour with a lower-case "am"/"pm".

// "hh:mm:ss am" for the log header.
QString logHeaderTime(const QDateTime& now);
// The system's long date for the log header.
QString logHeaderDate(const QDateTime& now);
// "   mm/dd/yy   hh:mm:ss am" closing each IN/OUT line.
QString logLineStamp(const QDateTime& now);
// "hh:mm am, mm/dd/yy" inside the notification boxes.
QString messageStamp(const QDateTime& now);

} // namespace quorvex
