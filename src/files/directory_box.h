#pragma once

#include <QTreeWidget>

namespace quorvex {

class DriveMap;

// The directory box: a tree of the current drive's directories, from the root
// down to the current directory, with the current directory's subdirectories
// beneath it. Its value is a DOS path ("F:\REPORTS", "F:\" for a root) using the
// names the host lists; opening an entry (double-click or Enter) makes it the
// current directory.
class DirectoryBox : public QTreeWidget
{
    Q_OBJECT
public:
    explicit DirectoryBox(QWidget* parent = nullptr);

    void setDriveMap(const DriveMap* drives);
    QString path() const { return path_; }

    // Accepts a full DOS path ("F:\REPORTS\"), a drive ("F:"), a path from the
    // current drive's root ("\REPORTS") or one relative to the current directory.
    // False when the directory can't be read (no medium, gone, not a directory);
    // the value then stays as it was. Emits pathChanged when the value changes.
    bool setPath(const QString& dosPath);

    // The DOS path setPath would take, without reading the host; empty when it
    // names no drive.
    QString resolve(const QString& dosPath) const;

signals:
    void pathChanged();

private:
    void rebuild(const QString& hostDir);

    const DriveMap* drives_ = nullptr;
    QString path_;
};

} // namespace quorvex
