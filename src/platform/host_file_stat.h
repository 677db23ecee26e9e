#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

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

// A moment (seconds since the epoch) as this machine's local wall-clock time,
// held as its fields (read its date() and time()). The offset from UTC is
// looked up once per quarter hour, not at every call.
QDateTime localWallTime(qint64 secsSinceEpoch);

} // namespace quorvex
