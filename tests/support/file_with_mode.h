// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Writes a file with the given content and permission bits; the path, or ""
// when it cannot be written.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sys/stat.h>

namespace quorvex {

inline QString writeFileWithMode(const QString& path, const QByteArray& content, mode_t mode)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    file.write(content);
    file.close();
    ::chmod(QFile::encodeName(path).constData(), mode);
    return path;
}

} // namespace quorvex
