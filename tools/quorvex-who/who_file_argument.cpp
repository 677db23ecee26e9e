// SPDX-License-Identifier: GPL-3.0-or-later
#include "who_file_argument.h"

#include "who_setup.h"

#include "platform/drive_map.h"
#include "platform/file_helpers.h"

#include <QFileInfo>

namespace quorvex::who {

FileArgument resolveFileArgument(const QString& argument, const WhoSetup& setup)
{
    const DriveMap& drives = setup.drives();
    FileArgument result;
    QString* server = &result.server;
    const auto failWith = [&](const QString& why) {
        result.error = why;
        return result;
    };
    QString text = argument;
    const bool drivePath = text.size() >= 2 && text[1] == QLatin1Char(':') && text[0].isLetter();
    if (!drivePath && !text.contains(QLatin1Char(':')) && !text.startsWith(QLatin1String("\\\\"))) {
        // A path on this machine, under a drive's folder.
        const QFileInfo host(text);
        if (!host.exists())
            return failWith(QStringLiteral("no such file"));
        const QString dos = drives.dosPathForHostPath(host.absoluteFilePath());
        if (dos.isEmpty())
            return failWith(QStringLiteral("not under the folder of any drive"));
        text = dos;
    }
    if (text.size() >= 2 && text[1] == QLatin1Char(':') && text[0].isLetter()) {
        const auto entry = drives.entry(text[0].toUpper());
        if (!entry)
            return failWith(
                QStringLiteral("drive %1: is not in the drive map").arg(text[0].toUpper()));
        if (entry->type != DriveType::Remote)
            return failWith(QStringLiteral("not on a network drive"));
        *server = entry->server;
        // Checked where the drive's files are; a server that cannot be asked
        // is reported by the query that follows.
        if (const auto place = filesOf(drives, text)) {
            const auto file = place->files->info(place->names);
            if (file && file->isDirectory())
                return failWith(QStringLiteral("is a directory"));
            if (!file && !place->files->hostPath(place->names).isEmpty())
                return failWith(QStringLiteral("no such file"));
        }
        result.clientPath = text;
        return result;
    }
    if (text.startsWith(QLatin1String("\\\\"))) {
        *server = text.mid(2).section(QLatin1Char('\\'), 0, 0);
    } else {
        // SERVER/VOLUME:PATH (or SERVER\VOLUME:PATH), or VOLUME:PATH on the
        // first server that has the volume.
        const qsizetype colon = text.indexOf(QLatin1Char(':'));
        QString head = text.left(colon);
        head.replace(QLatin1Char('/'), QLatin1Char('\\'));
        const qsizetype sep = head.indexOf(QLatin1Char('\\'));
        if (sep >= 0) {
            *server = head.left(sep);
            text = *server + QLatin1Char('\\') + head.mid(sep + 1) + text.mid(colon);
        }
    }
    if (!server->isEmpty() && setup.serverNamed(*server).isEmpty())
        return failWith(QStringLiteral("server %1 is not in the settings").arg(*server));
    result.clientPath = text;
    return result;
}

} // namespace quorvex::who
