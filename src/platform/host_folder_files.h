// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "volume_files.h"

namespace quorvex {

struct HostFileStat;

// A drive's files in a folder of this machine: a local drive, the "@" mount
// of a network volume, or (through SimVolumeFiles) a simulated server's
// volume. A name that does not exist as given is matched ignoring case; links
// are followed; a file is replaced as replaceFile() replaces it.
class HostFolderFiles : public VolumeFiles
{
public:
    explicit HostFolderFiles(QString root);

    const QString& root() const { return root_; }

    std::optional<QList<FileEntry>> list(const QStringList& dir) override;
    std::optional<FileEntry> info(const QStringList& path) override;
    std::optional<QStringList> resolve(const QStringList& path) override;
    std::optional<QByteArray> read(const QStringList& path, QString* error) override;
    bool replace(const QStringList& path, const QByteArray& bytes, QString* error) override;
    // The names followed from the root as resolve() matches them; once a name
    // matches nothing, the rest is appended as given (a file yet to be made).
    QString hostPath(const QStringList& path) const override;

    // Follows names from a host directory, taking the exact name where it
    // exists and otherwise the first listed name that matches ignoring case.
    static QString followIgnoringCase(const QString& base, const QStringList& names);

protected:
    // The attributes an entry reports; names is its path below the root.
    virtual std::uint32_t attributesOf(const QStringList& names, const HostFileStat& file) const;

private:
    QString root_;
};

} // namespace quorvex
