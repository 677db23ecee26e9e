// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace quorvex {

// Attribute bits of a directory entry, as DOS and NetWare number them.
namespace attr {
inline constexpr std::uint32_t ReadOnly = 0x01;
inline constexpr std::uint32_t Hidden = 0x02;
inline constexpr std::uint32_t System = 0x04;
inline constexpr std::uint32_t Directory = 0x10;
inline constexpr std::uint32_t Archive = 0x20;
} // namespace attr

// One entry of a directory: its name as the host or the server spells it, its
// attributes, the size of its data and when it was last changed: the local
// wall-clock time, to be read by its date() and time() (a server's answer
// holds no zone, and comes to two seconds).
struct FileEntry
{
    QString name;
    std::uint32_t attributes = 0;
    qint64 size = 0;
    QDateTime modified;

    bool isDirectory() const { return (attributes & attr::Directory) != 0; }
};

// What the program does with one drive's files, wherever they are: in a host
// folder (a local drive, a simulated server's volume, a mount of a real
// server's volume) or on a file server reached over the network. Paths are the
// names below the drive's root, one a component, in any case: names are
// matched ignoring case, as DOS and NetWare match them. "." and ".." never
// reach here (the caller has folded them).
class VolumeFiles
{
public:
    virtual ~VolumeFiles() = default;

    // Every entry of a directory, subdirectories and files alike (never the
    // host's sockets, pipes or devices); nullopt when the directory cannot be
    // read.
    virtual std::optional<QList<FileEntry>> list(const QStringList& dir) = 0;
    // The entry a path names; nullopt when there is none.
    virtual std::optional<FileEntry> info(const QStringList& path) = 0;
    // The names of a path as they are spelt where the files are; nullopt when
    // one of them does not exist.
    virtual std::optional<QStringList> resolve(const QStringList& path) = 0;
    // A file's bytes; nullopt (and *error, "<path>: <reason>") when it cannot
    // be read.
    virtual std::optional<QByteArray> read(const QStringList& path, QString* error) = 0;
    // Replaces a file's contents whole or not at all: the new bytes go to a
    // new entry beside it, which then takes the file's place. On failure the
    // file is as it was and *error says why.
    virtual bool replace(const QStringList& path, const QByteArray& bytes, QString* error) = 0;
    // Where a path is on this machine; empty when the files are not here.
    virtual QString hostPath(const QStringList& path) const
    {
        Q_UNUSED(path);
        return {};
    }

    // A regular file (or a link to one) exists at path.
    bool fileExists(const QStringList& path)
    {
        const auto entry = info(path);
        return entry && !entry->isDirectory();
    }
};

} // namespace quorvex
