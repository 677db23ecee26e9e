#include "options/file_name_listing.h"

#include "platform/file_helpers.h"

#include <QDir>

#include <algorithm>

namespace quorvex {

QStringList fileNamesMatching(const DriveMap& drives, const QString& folder, const QString& pattern,
                              bool includeHidden)
{
    const QString host = hostPathOf(drives, folder);
    if (host.isEmpty())
        return {};
    QStringList filters;
    for (const QString& part : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString one = part.trimmed();
        // A DOS "*.*" means every file, with or without an extension.
        filters.append(one == QLatin1String("*.*") ? QStringLiteral("*") : one);
    }
    if (filters.isEmpty())
        return {};
    QDir dir(host);
    QDir::Filters which = QDir::Files | QDir::NoDotAndDotDot;
    if (includeHidden)
        which |= QDir::Hidden;
    QStringList names = dir.entryList(filters, which, QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

} // namespace quorvex
