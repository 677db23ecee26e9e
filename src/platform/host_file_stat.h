// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace quorvex {

// What this machine's file system keeps of a file, read in one call: a server
// reads it for each of the thousands of entries of a directory at every
// search, where building a date for each reading would cost more than the
// reading. Links are followed; times are seconds since the epoch.
struct HostFileStat
{
    bool directory = false;
    bool regular = false;  // a regular file (not a socket, pipe or device)
    bool writable = false; // its mode lets someone write it
    qint64 size = 0;
    qint64 modified = 0;
    qint64 accessed = 0;
};
std::optional<HostFileStat> hostFileStat(const QString& path);

// One entry of a directory: its name, whether it is a link, and what its file
// system keeps of it (links followed; nullopt for a link that leads nowhere).
struct HostDirEntry
{
    QString name;
    bool link = false;
    std::optional<HostFileStat> stat;
};
// Every entry of a directory but "." and "..", each read relative to the
// directory rather than by its whole path; nullopt when the directory cannot
// be read.
std::optional<std::vector<HostDirEntry>> readHostDirectory(const QString& dir);

// A moment (seconds since the epoch) as this machine's local wall-clock time,
// held as its fields (read its date() and time()). The offset from UTC is
// looked up once per quarter hour, not at every call.
QDateTime localWallTime(qint64 secsSinceEpoch);

} // namespace quorvex
