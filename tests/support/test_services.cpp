// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quorvex {

TestServices::TestServices() : dirs(QString(), QString(), QString(), QString())
{
    const QDir root(m_root.path());
    dirs = AppDirs(root.filePath(QStringLiteral("program")), root.filePath(QStringLiteral("data")),
                   root.filePath(QStringLiteral("config/Quorvex.ini")),
                   root.filePath(QStringLiteral("tmp")));
    for (const QString& dir : {dirs.programDir(), dirs.dataDir(), dirs.tempDir()})
        root.mkpath(dir);
    root.mkpath(QStringLiteral("config"));
    settings = std::make_unique<SettingsStore>(dirs.settingsFile());
}

QString TestServices::createFile(const QString& relative, const QByteArray& contents)
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (file.open(QIODevice::WriteOnly))
        file.write(contents);
    return full;
}

void TestServices::mapDrive(QChar letter, const QString& value)
{
    settings->setValue(DriveMap::kSection, QString(letter.toUpper()), value);
    reloadDrives();
}

void TestServices::reopenSettings()
{
    settings = std::make_unique<SettingsStore>(dirs.settingsFile());
    reloadDrives();
}

Services TestServices::services()
{
    return Services{*settings, drives, prompts, clock, shell, printer, clipboard, dirs, headless};
}

} // namespace quorvex
