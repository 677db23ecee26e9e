// SPDX-License-Identifier: GPL-3.0-or-later
#include "netware/demo_install.h"

#include "platform/file_writes.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace nw {

QMap<QString, QString> installDemo(const QString& programDir, const QString& dataDir,
                                   QString* error)
{
    const auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        return QMap<QString, QString>();
    };
    const QDir source(programDir + QStringLiteral("/demo"));
    const QString target = dataDir + QStringLiteral("/demo");
    if (!source.exists())
        return fail(QStringLiteral("%1: no demo here").arg(source.path()));
    QDirIterator it(source.path(), QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    if (!QDir().mkpath(target))
        return fail(QStringLiteral("%1: cannot create").arg(target));
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = target + QLatin1Char('/') + source.relativeFilePath(from);
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(to))
                return fail(QStringLiteral("%1: cannot create").arg(to));
        } else if (!QFile::exists(to)) {
            QDir().mkpath(QFileInfo(to).absolutePath());
            QString copyError;
            if (!quorvex::copyFileReplacing(from, to, &copyError))
                return fail(QStringLiteral("%1: cannot copy: %2").arg(from, copyError));
            // Shipped files may be read-only; the copy is the user's to change.
            QFile::setPermissions(to, QFile::permissions(to) | QFile::WriteOwner);
        }
    }
    QMap<QString, QString> servers;
    const QStringList states =
        QDir(target).entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    for (const QString& name : states) {
        QFile file(target + QLatin1Char('/') + name);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString server = QJsonDocument::fromJson(file.readAll())
                                   .object()
                                   .value(QLatin1String("server"))
                                   .toString();
        if (!server.isEmpty())
            servers.insert(server, QFileInfo(file).absoluteFilePath());
    }
    if (servers.isEmpty())
        return fail(QStringLiteral("%1: no state file in the demo").arg(target));
    return servers;
}

} // namespace nw
