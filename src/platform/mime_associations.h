// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quorvex {

// The desktop's default application for a MIME type, read the way the XDG
// desktop specifications describe, so that no helper program is needed.
class MimeAssociations
{
public:
    // configDirs: $XDG_CONFIG_HOME then $XDG_CONFIG_DIRS; dataDirs: $XDG_DATA_HOME
    // then $XDG_DATA_DIRS; desktops: $XDG_CURRENT_DESKTOP split at ':'.
    MimeAssociations(QStringList configDirs, QStringList dataDirs, QStringList desktops);

    // From the environment through QStandardPaths.
    static MimeAssociations fromEnvironment();

    // Desktop entry id ("firefox-esr.desktop") of the default application for
    // the type: the first installed entry named in the mimeapps.list files (Default
    // Applications, then Added Associations), then the mimeinfo.cache; empty when none.
    QString defaultEntryFor(const QString& mimeType) const;

    // The file of an installed desktop entry; empty when it isn't installed.
    QString entryFile(const QString& desktopId) const;

    // The program an entry's Exec line starts, as found on PATH; empty when none.
    static QString programOfEntryFile(const QString& desktopFile);

    // The program of an Exec line ("env A=1 "/opt/My App/app" %u" -> "/opt/My App/app").
    static QString programOfExecLine(const QString& execLine);

private:
    QStringList listFiles() const;

    QStringList m_configDirs;
    QStringList m_dataDirs;
    QStringList m_desktops;
};

} // namespace quorvex
