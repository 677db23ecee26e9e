// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvex {

// The directories the program uses on this machine.
//  - program directory: files shipped with the program (faq.fil, the demo);
//    the executable's directory in a build tree, <prefix>/share/quorvex once
//    installed in <prefix>/bin;
//  - data directory: files the program writes (activity logs, the demo server),
//    $XDG_DATA_HOME/Quorvex or ~/.local/share/Quorvex;
//  - settings file: $XDG_CONFIG_HOME/Quorvex/Quorvex.ini or ~/.config/Quorvex/Quorvex.ini;
//  - temporary directory: scratch files, never the root of a drive.
class AppDirs
{
public:
    AppDirs(QString programDir, QString dataDir, QString settingsFile, QString tempDir);

    // From the running executable and the environment (needs a QCoreApplication).
    static AppDirs detect();

    // The program directory for an executable living in executableDir.
    static QString programDirFor(const QString& executableDir);

    const QString& programDir() const { return m_programDir; }
    const QString& dataDir() const { return m_dataDir; }
    const QString& settingsFile() const { return m_settingsFile; }
    const QString& tempDir() const { return m_tempDir; }

    // Creates the data directory if needed; false when it can't be created.
    bool ensureDataDir() const;

private:
    QString m_programDir;
    QString m_dataDir;
    QString m_settingsFile;
    QString m_tempDir;
};

} // namespace quorvex
