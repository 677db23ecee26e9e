// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "volume_files.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace quorvex {

class DriveMap;

// The host path of a path the program holds: a DOS path ("F:\DIR\NAME") goes
// through the drive map, a host path ("/tmp/x") is taken as it is. Empty when
// neither applies, the drive can't be mapped or its files are not on this
// machine (a network volume reached over the network).
QString hostPathOf(const DriveMap& drives, const QString& path);

// Where a path's file lives: the files of its drive (or, for a host path
// "/x/y", of this machine's root) and its names below their root.
struct PathFiles
{
    std::unique_ptr<VolumeFiles> files;
    QStringList names;
};
std::optional<PathFiles> filesOf(const DriveMap& drives, const QString& path);

// True when the path names a regular file (or a link to one) that exists.
// False for directories, unmapped drives and every error.
bool FileExists(const DriveMap& drives, const QString& path);

// The short (8.3) form. Host names have no short form, so it is the path itself
// while the file or directory exists, and the empty text once it has vanished.
QString shortPathName(const DriveMap& drives, const QString& path);

// A file's bytes and its replacement, whole or not at all, wherever the path's
// drive keeps its files. On failure *error says why.
std::optional<QByteArray> readDriveFile(const DriveMap& drives, const QString& path,
                                        QString* error = nullptr);
bool replaceDriveFile(const DriveMap& drives, const QString& path, const QByteArray& bytes,
                      QString* error = nullptr);

} // namespace quorvex
