#include "host_file_stat.h"

#include <QFile>
#include <QHash>

#include <sys/stat.h>

namespace quorvex {

std::optional<HostFileStat> hostFileStat(const QString& path)
{
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    HostFileStat s;
    s.directory = S_ISDIR(st.st_mode);
    s.regular = S_ISREG(st.st_mode);
    s.writable = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    s.size = qint64(st.st_size);
    s.modified = qint64(st.st_mtime);
    s.accessed = qint64(st.st_atime);
    return s;
}

QDateTime localWallTime(qint64 secsSinceEpoch)
{
    // Zones change their offset on quarter hours of UTC, never between them.
    constexpr qint64 kQuarter = 900;
    thread_local QHash<qint64, int> offsets;
    const qint64 quarter = secsSinceEpoch >= 0 ? secsSinceEpoch / kQuarter
                                               : (secsSinceEpoch - kQuarter + 1) / kQuarter;
    auto it = offsets.find(quarter);
    if (it == offsets.end()) {
        if (offsets.size() > 4096)
            offsets.clear();
        it = offsets.insert(quarter,
                            QDateTime::fromSecsSinceEpoch(quarter * kQuarter).offsetFromUtc());
    }
    return QDateTime::fromSecsSinceEpoch(secsSinceEpoch + *it, Qt::UTC);
}

} // namespace quorvex
