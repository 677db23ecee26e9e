// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/directory_reader.h"

#include "platform/file_helpers.h"

namespace quorvex {

DirectoryReader::DirectoryReader(const DriveMap& drives, std::function<qint64()> now)
    : drives_(drives), now_(std::move(now))
{
}

std::optional<QList<FileEntry>> readDirectory(const DriveMap& drives, const QString& dosDir)
{
    if (dosDir.startsWith(QLatin1Char('/')))
        return std::nullopt; // only a drive's directories are listed
    const auto place = filesOf(drives, dosDir);
    if (!place)
        return std::nullopt;
    return place->files->list(place->names);
}

std::optional<QList<FileEntry>> DirectoryReader::read(const QString& dosDir)
{
    listing_ = readDirectory(drives_, dosDir);
    dir_ = dosDir;
    readAt_ = now_();
    return listing_;
}

std::optional<QList<FileEntry>> DirectoryReader::recent(const QString& dosDir)
{
    if (!dir_.isEmpty() && dir_.compare(dosDir, Qt::CaseInsensitive) == 0 &&
        now_() - readAt_ < kFreshMs)
        return listing_;
    return read(dosDir);
}

} // namespace quorvex
