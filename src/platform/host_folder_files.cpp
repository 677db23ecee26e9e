// SPDX-License-Identifier: GPL-3.0-or-later
#include "host_folder_files.h"

#include "file_writes.h"
#include "host_file_stat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace quorvex {

namespace {

QString joinHost(const QString& dir, const QString& name)
{
    return dir.endsWith(QLatin1Char('/')) ? dir + name : dir + QLatin1Char('/') + name;
}

// The name of dir's entry that matches name ignoring case; empty when none does.
QString listedName(const QString& dir, const QString& name)
{
    const QStringList listed = QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    const auto match = std::find_if(listed.begin(), listed.end(), [&](const QString& n) {
        return n.compare(name, Qt::CaseInsensitive) == 0;
    });
    return match == listed.end() ? QString() : *match;
}

} // namespace

HostFolderFiles::HostFolderFiles(QString root) : root_(std::move(root)) {}

QString HostFolderFiles::followIgnoringCase(const QString& base, const QStringList& names)
{
    QString current = base;
    bool listing = true;
    for (const QString& name : names) {
        QString next = joinHost(current, name);
        if (listing && !QFileInfo::exists(next)) {
            const QString listed = listedName(current, name);
            if (!listed.isEmpty())
                next = joinHost(current, listed);
            else
                listing = false;
        }
        current = next;
    }
    return current;
}

QString HostFolderFiles::hostPath(const QStringList& path) const
{
    return followIgnoringCase(root_, path);
}

std::optional<QStringList> HostFolderFiles::resolve(const QStringList& path)
{
    QString current = root_;
    QStringList spelt;
    for (const QString& name : path) {
        QString found = name;
        if (!QFileInfo::exists(joinHost(current, name))) {
            found = listedName(current, name);
            if (found.isEmpty())
                return std::nullopt;
        }
        spelt.append(found);
        current = joinHost(current, found);
    }
    return spelt;
}

std::uint32_t HostFolderFiles::attributesOf(const QStringList& names,
                                            const HostFileStat& file) const
{
    const bool hidden = !names.isEmpty() && names.last().startsWith(QLatin1Char('.'));
    if (file.directory)
        return attr::Directory | (hidden ? attr::Hidden : 0);
    std::uint32_t attributes = attr::Archive;
    // Read-only when no one may write it, as its mode says.
    if (!file.writable)
        attributes |= attr::ReadOnly;
    if (hidden)
        attributes |= attr::Hidden;
    return attributes;
}

std::optional<QList<FileEntry>> HostFolderFiles::list(const QStringList& dir)
{
    const QString host = hostPath(dir);
    const QFileInfo info(host);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable())
        return std::nullopt;
    // One reading of each entry, and no date built from it for the zone.
    const auto found = readHostDirectory(host);
    if (!found)
        return std::nullopt;
    QList<FileEntry> entries;
    entries.reserve(qsizetype(found->size()));
    QStringList names = dir;
    names.append(QString());
    for (const HostDirEntry& e : *found) {
        const auto& stat = e.stat;
        if (!stat || !(stat->directory || stat->regular))
            continue; // sockets, pipes, devices and dangling links
        FileEntry entry;
        entry.name = e.name;
        names.last() = entry.name;
        entry.attributes = attributesOf(names, *stat);
        entry.size = stat->directory ? 0 : stat->size;
        entry.modified = localWallTime(stat->modified);
        entries.append(std::move(entry));
    }
    return entries;
}

std::optional<FileEntry> HostFolderFiles::info(const QStringList& path)
{
    const auto spelt = resolve(path);
    if (!spelt)
        return std::nullopt;
    // The names as resolve() found them each exist: no second walk.
    QString host = root_;
    for (const QString& name : *spelt)
        host = joinHost(host, name);
    const auto stat = hostFileStat(host);
    // Sockets, pipes, devices and dangling links are nothing a volume holds.
    if (!stat || !(stat->directory || stat->regular))
        return std::nullopt;
    FileEntry entry;
    // A drive's root has no name of its own.
    entry.name = spelt->isEmpty() ? QString() : spelt->last();
    entry.attributes = attributesOf(*spelt, *stat);
    entry.size = stat->directory ? 0 : stat->size;
    entry.modified = localWallTime(stat->modified);
    return entry;
}

std::optional<QByteArray> HostFolderFiles::read(const QStringList& path, QString* error)
{
    const QString host = hostPath(path);
    QFile file(host);
    if (!QFileInfo(host).isFile() || !file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = host + QStringLiteral(": ") +
                     (QFileInfo::exists(host) ? file.errorString()
                                              : QStringLiteral("No such file or directory"));
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = host + QStringLiteral(": ") + file.errorString();
        return std::nullopt;
    }
    return bytes;
}

bool HostFolderFiles::replace(const QStringList& path, const QByteArray& bytes, QString* error)
{
    return replaceFile(hostPath(path), bytes, error);
}

} // namespace quorvex
