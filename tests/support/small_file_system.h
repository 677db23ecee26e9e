// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A file system of a test's own (a tmpfs of a few hundred kilobytes), which the
// test fills to the last page to see what a full disk does. Mounting needs root,
// as CI runs the suite; otherwise isMounted() is false and whyNot() says so:
//
//   SmallFileSystem disk;
//   if (!disk.isMounted())
//       QSKIP(qPrintable(disk.whyNot()));

#include <QString>
#include <QTemporaryDir>

class SmallFileSystem
{
public:
    explicit SmallFileSystem(int kilobytes = 512);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool isMounted() const { return mounted_; }
    const QString& whyNot() const { return whyNot_; }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

    // Takes every free page with a filler file; true once nothing more fits.
    bool fill();
    // Gives back what fill() took.
    void unfill();

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    QString whyNot_;
};
