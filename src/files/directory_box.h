// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/volume_files.h"

#include <QTreeWidget>

namespace quorvex {

class DirectoryReader;
class DriveMap;

// The directory box: a tree of the current drive's directories, from the root
// down to the current directory, with the current directory's subdirectories
// beneath it. Its value is a DOS path ("F:\REPORTS", "F:\" for a root) using the
// names the host or the server lists; opening an entry (double-click or Enter)
// makes it the current directory. Every change of directory reads it afresh.
class DirectoryBox : public QTreeWidget
{
    Q_OBJECT
public:
    explicit DirectoryBox(QWidget* parent = nullptr);

    void setDriveMap(const DriveMap* drives);
    // Listings go through reader (which keeps the last one for the file list);
    // without one the box reads the drive map's files itself.
    void setReader(DirectoryReader* reader) { reader_ = reader; }
    QString path() const { return path_; }

    // Accepts a full DOS path ("F:\REPORTS\"), a drive ("F:"), a path from the
    // current drive's root ("\REPORTS") or one relative to the current directory.
    // False when the directory can't be read (no medium, gone, not a directory);
    // the value then stays as it was. Emits pathChanged when the value changes.
    bool setPath(const QString& dosPath);
    // Reads the current directory again and shows its subdirectories as they
    // are now; false when it can't be read any more.
    bool refresh();

    // The DOS path setPath would take, without reading the host; empty when it
    // names no drive.
    QString resolve(const QString& dosPath) const;

signals:
    void pathChanged();

private:
    std::optional<QList<FileEntry>> read(const QString& dosDir);
    void rebuild(const QList<FileEntry>& directory);

    const DriveMap* drives_ = nullptr;
    DirectoryReader* reader_ = nullptr;
    QString path_;
};

} // namespace quorvex
