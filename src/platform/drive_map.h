// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace quorvex {

class SettingsStore;
class VolumeFiles;

// Drive types with the numbers GetDriveTypeA answers.
enum class DriveType
{
    Unknown = 0,
    NoRootDir = 1, // the letter is not mapped (or its value does not parse)
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

// One letter of the drive map, as parsed from "TYPE:TARGET".
struct DriveEntry
{
    QChar letter; // upper case
    DriveType type = DriveType::NoRootDir;
    QString target;     // the text after "TYPE:", as written
    QString hostDir;    // local drives: their directory (empty = no medium);
                        // network drives: the "@/host/dir" mount, if one is named
    QString server;     // network drives only
    QString volume;     // network drives only
    QString volumePath; // network drives: path inside the volume ("PUBLIC\UTIL"), may be empty
};

// Where each drive letter's files live on this machine: the "Drives" section of
// the settings store, one key per letter, value "TYPE:TARGET":
//   C=fixed:/    A=removable:    F=network:FS1/DATA:    G=network:FS1/SYS:PUBLIC
//   H=network:FS2/VOL1:@/mnt/fs2/vol1
// A letter that is missing or whose value does not parse is not mapped.
class DriveMap
{
public:
    // Host directory of a network volume (the simulated server's volume folder);
    // empty when the volume is not reachable.
    using VolumeLocator = std::function<QString(const QString& server, const QString& volume)>;
    // Why a server cannot be used ("<state file>: <what is wrong>"); empty when
    // it can, or when nothing more is known than the call's own result.
    using ServerProblem = std::function<QString(const QString& server)>;
    // How a network drive's files are reached when the drive names no "@"
    // mount (over the network, or a simulated volume's folder); null when the
    // drive's server offers no way.
    using FilesProvider = std::function<std::unique_ptr<VolumeFiles>(const DriveEntry& drive)>;

    static inline const QString kSection = QStringLiteral("Drives");

    DriveMap() = default;
    explicit DriveMap(const SettingsStore& store);

    void reload(const SettingsStore& store);
    void setVolumeLocator(VolumeLocator locator) { m_locator = std::move(locator); }
    void setServerProblem(ServerProblem problem) { m_problem = std::move(problem); }
    void setFilesProvider(FilesProvider provider) { m_files = std::move(provider); }

    // The way to a drive's files: a local drive's folder, a network drive's
    // "@" mount, else what the files provider gives, else the folder the
    // volume locator names. Null when the drive is not mapped, holds no
    // medium or cannot be reached.
    std::unique_ptr<VolumeFiles> files(QChar letter) const;

    // Why the server of a network drive cannot be used; empty for other drives
    // and servers that can.
    QString serverProblem(QChar letter) const;
    // The problems of the servers of every network drive, each once.
    QStringList serverProblems() const;

    // Parses one value; nullopt when it does not parse.
    static std::optional<DriveEntry> parseEntry(QChar letter, const QString& value);

    // Mapped letters, A to Z.
    QList<DriveEntry> entries() const;
    std::optional<DriveEntry> entry(QChar letter) const;

    // GetDriveTypeA: takes "f:\", "F:", or any text that starts with a drive
    // letter and a colon (also the drive box's "f: [FS1/DATA:]").
    DriveType driveType(const QString& rootOrPath) const;

    // The host directory holding the drive's root ("\" of the drive), or empty
    // when the drive is not mapped, holds no medium, or its volume is not
    // reachable.
    QString hostRoot(QChar letter) const;

    // "F:\REPORTS\Q1.XLS" -> "<volume dir>/REPORTS/Q1.XLS". Each name is matched
    // ignoring case when the exact name does not exist, and the result uses the
    // name the host lists. ".." never climbs above the drive's root. Empty when
    // the path has no drive letter or the drive can't be mapped.
    QString hostPath(const QString& dosPath) const;

    // The drive box's line: "f: [FS1/DATA:]", "c: [/]", "a:" for an empty drive.
    QString displayName(QChar letter) const;

    // "/home/ann/x.txt" -> "H:\x.txt" for the drive whose root holds it with the
    // longest match; empty when no drive holds it.
    QString dosPathForHostPath(const QString& hostPath) const;

private:
    QList<DriveEntry> m_entries; // sorted by letter
    VolumeLocator m_locator;
    ServerProblem m_problem;
    FilesProvider m_files;
};

// Writes the map a new user starts with (C: the host's root, F: and G: the demo
// server's volumes). The caller syncs the store.
void writeDefaultDriveMap(SettingsStore& store);

// Splits "F:\DIR\NAME" into the upper-case letter and the rest ("\DIR\NAME");
// nullopt when the text does not start with a letter and a colon.
std::optional<QChar> driveLetterOf(const QString& dosPath);

// The names of a DOS path below its drive's root ("\" or "/" between them).
// "." is dropped and ".." removes the name before it but never climbs above
// the root, as on a DOS drive.
QStringList dosComponents(const QString& rest);

} // namespace quorvex
