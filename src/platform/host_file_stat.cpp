// SPDX-License-Identifier: GPL-3.0-or-later
#include "host_file_stat.h"

#include <QFile>
#include <QHash>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace quorvex {

namespace {

HostFileStat fromStat(const struct stat& st)
{
    HostFileStat s;
    s.directory = S_ISDIR(st.st_mode);
    s.regular = S_ISREG(st.st_mode);
    s.writable = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    s.size = qint64(st.st_size);
    s.modified = qint64(st.st_mtime);
    s.accessed = qint64(st.st_atime);
    return s;
}

} // namespace

std::optional<HostFileStat> hostFileStat(const QString& path)
{
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return fromStat(st);
}

std::optional<std::vector<HostDirEntry>> readHostDirectory(const QString& dir)
{
    DIR* d = ::opendir(QFile::encodeName(dir).constData());
    if (!d)
        return std::nullopt;
    const int fd = ::dirfd(d);
    std::vector<HostDirEntry> entries;
    while (const dirent* e = ::readdir(d)) {
        const char* name = e->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        HostDirEntry entry;
        entry.name = QFile::decodeName(name);
        struct stat st
        {
        };
        entry.link = e->d_type == DT_LNK;
        if (e->d_type == DT_UNKNOWN && ::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0)
            entry.link = S_ISLNK(st.st_mode);
        if (::fstatat(fd, name, &st, 0) == 0)
            entry.stat = fromStat(st);
        entries.push_back(std::move(entry));
    }
    ::closedir(d);
    return entries;
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
