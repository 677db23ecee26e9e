#pragma once

#include <QString>
#include <QStringList>

namespace quorvex {

// The files of one host directory that match a DOS pattern, as the file list
// shows them: regular files only (never directories; sockets, devices and pipes
// count as system files and are never listed), hidden ones (names beginning
// with ".") only when asked for, sorted ignoring case.
struct FileListing
{
    bool ok = false; // false when the directory can't be read or the pattern is unusable
    QStringList names;
};

FileListing listFiles(const QString& hostDir, const QString& pattern, bool includeHidden);

// Sorts names ignoring case (ties in their exact order, so the result is stable).
void sortIgnoringCase(QStringList& names);

} // namespace quorvex
