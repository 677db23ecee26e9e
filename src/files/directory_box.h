#pragma once

#include <QTreeWidget>

namespace quorvex {

class DriveMap;

// The directory box: a tree of the current drive's directories. Its value is a
// DOS path ("F:\REPORTS"); a double-click opens a directory.
class DirectoryBox : public QTreeWidget
{
    Q_OBJECT
public:
    explicit DirectoryBox(QWidget* parent = nullptr);

    void setDriveMap(const DriveMap* drives);
    QString path() const { return path_; }
    // False when the directory cannot be read (no medium, gone); the value then
    // stays as it was. Emits pathChanged when the value changes.
    bool setPath(const QString& dosPath);

signals:
    void pathChanged();

private:
    const DriveMap* drives_ = nullptr;
    QString path_;
};

} // namespace quorvex
