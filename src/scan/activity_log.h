// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/prefix_index.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace quorvex {

class LogLines;

// The activity log of a watched file: who came to the file ("IN: ") and who left
// it ("OUT: ") between logged scans, one CR LF line each.
class ActivityLog
{
public:
    // The log's file name for a scanned file: the name up to its first "." and
    // ".txt" (REPORT.DOC -> REPORT.txt); a name without "." keeps all of it
    // (README -> README.txt), so its activity is not lost.
    static QString fileNameFor(const QString& scannedFileName);

    // Appends the lines of one completed scan to the log at logPath.
    //  - overwrite: the file is started afresh with its header and one IN line per
    //    user; previousUsers is left alone.
    //  - append: the header is written only into a new file. With no previous
    //    users every user is IN and becomes a previous user; otherwise a user no
    //    previous line begins with (case ignored) is IN, a previous user no current
    //    line begins with is OUT, and the current users replace the previous ones.
    // The lines go to the file in one write. A file that cannot be written is
    // left as it was and false returned, with *error saying why; previousUsers
    // is updated all the same.
    bool write(const QString& logPath, const QString& scannedLongPath, const QStringList& users,
               QStringList& previousUsers, bool overwrite, const QDateTime& now,
               QString* error = nullptr);

private:
    // The IN and OUT lines of a scan against the previous users, which it
    // then replaces.
    void compare(LogLines& log, const QStringList& users, QStringList& previousUsers,
                 const QString& stamp);

    // The index of the users a scan handed on as previous users, kept for the
    // next scan as long as that list has not been changed since (a change
    // detaches it from the copy kept here).
    QStringList indexedPrevious_;
    PrefixIndex previousIndex_;
    bool haveIndex_ = false;
};

} // namespace quorvex
