#pragma once

#include <QString>

namespace quorvex {

class DriveMap;

// The host path of a path the program holds: a DOS path ("F:\DIR\NAME") goes
// through the drive map, a host path ("/tmp/x") is taken as it is. Empty when
// neither applies or the drive can't be mapped.
QString hostPathOf(const DriveMap& drives, const QString& path);

// True when the length of the file can be read: a regular file (or a link to
// one) that exists. False for directories, unmapped drives and every error.
bool FileExists(const DriveMap& drives, const QString& path);

// The short (8.3) form. Host names have no short form, so it is the path itself
// while the file or directory exists, and the empty text once it has vanished.
QString shortPathName(const DriveMap& drives, const QString& path);

} // namespace quorvex
