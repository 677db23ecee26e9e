// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/volume_files.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quorvex {

// The files of one directory that match a DOS pattern, as the file list shows
// them: files only (never directories), system files never, hidden ones only
// when asked for, sorted ignoring case.
struct FileListing
{
    bool ok = false; // false when the directory can't be read or the pattern is unusable
    QStringList names;
};

FileListing listFiles(const std::optional<QList<FileEntry>>& directory, const QString& pattern,
                      bool includeHidden);

// The subdirectories the directory box shows: neither hidden nor system ones,
// sorted ignoring case.
QStringList subdirectories(const QList<FileEntry>& directory);

// Sorts names ignoring case (ties in their exact order, so the result is stable).
void sortIgnoringCase(QStringList& names);

} // namespace quorvex
