// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_helpers.h"

#include "drive_map.h"
#include "host_folder_files.h"

namespace quorvex {

QString hostPathOf(const DriveMap& drives, const QString& path)
{
    if (path.startsWith(QLatin1Char('/')))
        return path;
    const auto place = filesOf(drives, path);
    return place ? place->files->hostPath(place->names) : QString();
}

std::optional<PathFiles> filesOf(const DriveMap& drives, const QString& path)
{
    if (path.startsWith(QLatin1Char('/'))) {
        return PathFiles{std::make_unique<HostFolderFiles>(QStringLiteral("/")),
                         path.split(QLatin1Char('/'), Qt::SkipEmptyParts)};
    }
    const auto letter = driveLetterOf(path);
    if (!letter)
        return std::nullopt;
    auto files = drives.files(*letter);
    if (!files)
        return std::nullopt;
    return PathFiles{std::move(files), dosComponents(path.mid(2))};
}

bool FileExists(const DriveMap& drives, const QString& path)
{
    const auto place = filesOf(drives, path);
    return place && place->files->fileExists(place->names);
}

QString shortPathName(const DriveMap& drives, const QString& path)
{
    const auto place = filesOf(drives, path);
    if (!place || !place->files->info(place->names))
        return {};
    return path;
}

std::optional<QByteArray> readDriveFile(const DriveMap& drives, const QString& path, QString* error)
{
    const auto place = filesOf(drives, path);
    if (!place) {
        if (error)
            *error = path + QStringLiteral(": the drive cannot be reached");
        return std::nullopt;
    }
    return place->files->read(place->names, error);
}

bool replaceDriveFile(const DriveMap& drives, const QString& path, const QByteArray& bytes,
                      QString* error)
{
    const auto place = filesOf(drives, path);
    if (!place) {
        if (error)
            *error = path + QStringLiteral(": the drive cannot be reached");
        return false;
    }
    return place->files->replace(place->names, bytes, error);
}

} // namespace quorvex
