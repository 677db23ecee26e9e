// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/volume_files.h"

#include <QString>

#include <functional>
#include <optional>

namespace quorvex {

class DriveMap;

// Reads a directory of a drive ("F:\REPORTS") wherever its files are, and
// keeps the last listing it read: the pattern box filters that listing again
// while it is fresh rather than asking a server for it at every keystroke.
class DirectoryReader
{
public:
    // How long a listing serves a new pattern.
    static constexpr qint64 kFreshMs = 2000;

    // now: a monotonic clock in milliseconds.
    DirectoryReader(const DriveMap& drives, std::function<qint64()> now);

    // Every entry of the directory, read now; nullopt when it cannot be read.
    std::optional<QList<FileEntry>> read(const QString& dosDir);
    // The listing of the directory read less than kFreshMs ago, else read now.
    std::optional<QList<FileEntry>> recent(const QString& dosDir);

private:
    const DriveMap& drives_;
    std::function<qint64()> now_;
    QString dir_; // of the listing kept; empty: none
    qint64 readAt_ = 0;
    std::optional<QList<FileEntry>> listing_;
};

// Reads a drive's directory now, with nothing kept.
std::optional<QList<FileEntry>> readDirectory(const DriveMap& drives, const QString& dosDir);

} // namespace quorvex
