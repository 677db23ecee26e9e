// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_dirs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorvex {

AppDirs::AppDirs(QString programDir, QString dataDir, QString settingsFile, QString tempDir)
    : m_programDir(std::move(programDir)), m_dataDir(std::move(dataDir)),
      m_settingsFile(std::move(settingsFile)), m_tempDir(std::move(tempDir))
{
}

QString AppDirs::programDirFor(const QString& executableDir)
{
    const QDir exe(QDir::cleanPath(executableDir));
    if (exe.dirName() == QLatin1String("bin")) {
        const QString shared =
            QDir::cleanPath(exe.absoluteFilePath(QStringLiteral("../share/quorvex")));
        if (QFileInfo(shared).isDir())
            return shared;
    }
    return exe.absolutePath();
}

AppDirs AppDirs::detect()
{
    // The generic locations honour XDG_DATA_HOME and XDG_CONFIG_HOME; the
    // application's own folder is named here rather than taken from the
    // organisation and application names, which the caller may not have set.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                         QStringLiteral("/Quorvex");
    const QString settings =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QStringLiteral("/Quorvex/Quorvex.ini");
    return AppDirs(programDirFor(QCoreApplication::applicationDirPath()), data, settings,
                   QDir::tempPath());
}

bool AppDirs::ensureDataDir() const
{
    return QDir().mkpath(m_dataDir);
}

} // namespace quorvex
