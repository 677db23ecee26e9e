#include "file_helpers.h"

#include "drive_map.h"

#include <QFileInfo>

namespace quorvex {

QString hostPathOf(const DriveMap& drives, const QString& path)
{
    if (path.startsWith(QLatin1Char('/')))
        return path;
    return drives.hostPath(path);
}

bool FileExists(const DriveMap& drives, const QString& path)
{
    const QString host = hostPathOf(drives, path);
    if (host.isEmpty())
        return false;
    const QFileInfo info(host);
    return info.isFile() && info.size() >= 0;
}

QString shortPathName(const DriveMap& drives, const QString& path)
{
    const QString host = hostPathOf(drives, path);
    if (host.isEmpty() || !QFileInfo::exists(host))
        return {};
    return path;
}

} // namespace quorvex
