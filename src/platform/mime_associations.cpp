// SPDX-License-Identifier: GPL-3.0-or-later
#include "mime_associations.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorvex {

namespace {

// The values of one key in one [group] of a desktop-style key file.
QString keyFileValue(const QString& filePath, const QString& group, const QString& key)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QString current;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            current = line.mid(1, line.size() - 2);
            continue;
        }
        if (current != group)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).trimmed() == key)
            return line.mid(eq + 1).trimmed();
    }
    return {};
}

// Splits an Exec line into its arguments: blanks separate, double quotes group,
// a backslash inside quotes escapes the next character.
QStringList execArguments(const QString& line)
{
    QStringList args;
    QString current;
    bool quoted = false;
    bool inArg = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < line.size())
                current += line[++i];
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                current += c;
        } else if (c == QLatin1Char('"')) {
            quoted = inArg = true;
        } else if (c.isSpace()) {
            if (inArg)
                args.append(current);
            current.clear();
            inArg = false;
        } else {
            current += c;
            inArg = true;
        }
    }
    if (inArg)
        args.append(current);
    return args;
}

} // namespace

MimeAssociations::MimeAssociations(QStringList configDirs, QStringList dataDirs,
                                   QStringList desktops)
    : m_configDirs(std::move(configDirs)), m_dataDirs(std::move(dataDirs)),
      m_desktops(std::move(desktops))
{
}

MimeAssociations MimeAssociations::fromEnvironment()
{
    const QString desktops = QString::fromLocal8Bit(qgetenv("XDG_CURRENT_DESKTOP"));
    return MimeAssociations(
        QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation),
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation),
        desktops.split(QLatin1Char(':'), Qt::SkipEmptyParts));
}

QStringList MimeAssociations::listFiles() const
{
    QStringList files;
    auto addDir = [&](const QString& dir) {
        for (const QString& desktop : m_desktops)
            files.append(dir + QLatin1Char('/') + desktop.toLower() +
                         QStringLiteral("-mimeapps.list"));
        files.append(dir + QStringLiteral("/mimeapps.list"));
    };
    for (const QString& dir : m_configDirs)
        addDir(dir);
    for (const QString& dir : m_dataDirs)
        addDir(dir + QStringLiteral("/applications"));
    return files;
}

QString MimeAssociations::defaultEntryFor(const QString& mimeType) const
{
    const QStringList lists = listFiles();
    for (const QString& group :
         {QStringLiteral("Default Applications"), QStringLiteral("Added Associations")}) {
        for (const QString& list : lists) {
            const QString ids = keyFileValue(list, group, mimeType);
            for (const QString& id : ids.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                if (!entryFile(id.trimmed()).isEmpty())
                    return id.trimmed();
            }
        }
    }
    for (const QString& dir : m_dataDirs) {
        const QString cache = dir + QStringLiteral("/applications/mimeinfo.cache");
        const QString ids = keyFileValue(cache, QStringLiteral("MIME Cache"), mimeType);
        for (const QString& id : ids.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            if (!entryFile(id.trimmed()).isEmpty())
                return id.trimmed();
        }
    }
    return {};
}

QString MimeAssociations::entryFile(const QString& desktopId) const
{
    if (desktopId.isEmpty() || desktopId.contains(QLatin1Char('/')))
        return {};
    // An id "vendor-app.desktop" may also live in applications/vendor/app.desktop.
    QStringList relative{desktopId};
    for (qsizetype dash = desktopId.indexOf(QLatin1Char('-')); dash > 0;
         dash = desktopId.indexOf(QLatin1Char('-'), dash + 1)) {
        QString nested = desktopId;
        nested[dash] = QLatin1Char('/');
        relative.append(nested);
    }
    for (const QString& dir : m_dataDirs) {
        for (const QString& name : relative) {
            const QString path = dir + QStringLiteral("/applications/") + name;
            if (QFileInfo(path).isFile())
                return path;
        }
    }
    return {};
}

QString MimeAssociations::programOfEntryFile(const QString& desktopFile)
{
    return programOfExecLine(
        keyFileValue(desktopFile, QStringLiteral("Desktop Entry"), QStringLiteral("Exec")));
}

QString MimeAssociations::programOfExecLine(const QString& execLine)
{
    QStringList args = execArguments(execLine);
    // "env NAME=value program ..." starts program.
    if (!args.isEmpty() && QFileInfo(args.front()).fileName() == QLatin1String("env")) {
        args.removeFirst();
        while (!args.isEmpty() && args.front().contains(QLatin1Char('=')))
            args.removeFirst();
    }
    if (args.isEmpty())
        return {};
    const QString program = args.front();
    if (program.startsWith(QLatin1Char('/'))) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable() ? program : QString();
    }
    return QStandardPaths::findExecutable(program);
}

} // namespace quorvex
