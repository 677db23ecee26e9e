// SPDX-License-Identifier: GPL-3.0-or-later
#include "drive_map.h"

#include "host_folder_files.h"
#include "settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace quorvex {

namespace {

bool isAsciiLetter(QChar c)
{
    const QChar upper = c.toUpper();
    return upper >= QLatin1Char('A') && upper <= QLatin1Char('Z');
}

std::optional<DriveType> typeFromName(const QString& name)
{
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("removable"))
        return DriveType::Removable;
    if (n == QLatin1String("fixed"))
        return DriveType::Fixed;
    if (n == QLatin1String("network"))
        return DriveType::Remote;
    if (n == QLatin1String("cdrom"))
        return DriveType::CdRom;
    if (n == QLatin1String("ramdisk"))
        return DriveType::RamDisk;
    return std::nullopt;
}

bool parseNetworkTarget(const QString& target, DriveEntry& entry)
{
    QString volumeTarget = target;
    const qsizetype at = target.indexOf(QLatin1Char('@'));
    if (at >= 0) {
        const QString mount = target.mid(at + 1);
        if (!mount.startsWith(QLatin1Char('/')))
            return false;
        entry.hostDir = QDir::cleanPath(mount);
        volumeTarget = target.left(at);
    }
    static const QRegularExpression form(
        QStringLiteral("^([^/\\\\:@\\s]+)[/\\\\]([^/\\\\:@\\s]+):(.*)$"));
    const QRegularExpressionMatch match = form.match(volumeTarget.trimmed());
    if (!match.hasMatch())
        return false;
    entry.server = match.captured(1);
    entry.volume = match.captured(2);
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    const QStringList names = match.captured(3).split(separators, Qt::SkipEmptyParts);
    if (names.contains(QLatin1String("..")) || names.contains(QLatin1String(".")))
        return false;
    entry.volumePath = names.join(QLatin1Char('\\'));
    return true;
}

} // namespace

QStringList dosComponents(const QString& rest)
{
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    QStringList names;
    for (const QString& part : rest.split(separators, Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!names.isEmpty())
                names.removeLast();
            continue;
        }
        names.append(part);
    }
    return names;
}

std::optional<QChar> driveLetterOf(const QString& dosPath)
{
    if (dosPath.size() < 2 || dosPath[1] != QLatin1Char(':') || !isAsciiLetter(dosPath[0]))
        return std::nullopt;
    return dosPath[0].toUpper();
}

DriveMap::DriveMap(const SettingsStore& store)
{
    reload(store);
}

void DriveMap::reload(const SettingsStore& store)
{
    m_entries.clear();
    for (const QString& key : store.keys(kSection)) {
        if (key.size() != 1 || !isAsciiLetter(key[0]))
            continue;
        if (auto parsed = parseEntry(key[0], store.value(kSection, key)))
            m_entries.append(*parsed);
    }
    std::sort(m_entries.begin(), m_entries.end(),
              [](const DriveEntry& a, const DriveEntry& b) { return a.letter < b.letter; });
}

std::optional<DriveEntry> DriveMap::parseEntry(QChar letter, const QString& value)
{
    if (!isAsciiLetter(letter))
        return std::nullopt;
    const qsizetype colon = value.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return std::nullopt;
    const auto type = typeFromName(value.left(colon));
    if (!type)
        return std::nullopt;

    DriveEntry entry;
    entry.letter = letter.toUpper();
    entry.type = *type;
    entry.target = value.mid(colon + 1);
    if (entry.type == DriveType::Remote)
        return parseNetworkTarget(entry.target, entry) ? std::optional(entry) : std::nullopt;

    const QString dir = entry.target.trimmed();
    const bool mediumOptional =
        entry.type == DriveType::Removable || entry.type == DriveType::CdRom;
    if (dir.isEmpty())
        return mediumOptional ? std::optional(entry) : std::nullopt;
    if (!dir.startsWith(QLatin1Char('/')))
        return std::nullopt;
    entry.hostDir = QDir::cleanPath(dir);
    return entry;
}

QList<DriveEntry> DriveMap::entries() const
{
    return m_entries;
}

std::optional<DriveEntry> DriveMap::entry(QChar letter) const
{
    const QChar upper = letter.toUpper();
    for (const DriveEntry& e : m_entries) {
        if (e.letter == upper)
            return e;
    }
    return std::nullopt;
}

DriveType DriveMap::driveType(const QString& rootOrPath) const
{
    const auto letter = driveLetterOf(rootOrPath);
    const auto e = letter ? entry(*letter) : std::nullopt;
    return e ? e->type : DriveType::NoRootDir;
}

QString DriveMap::hostRoot(QChar letter) const
{
    const auto e = entry(letter);
    if (!e)
        return {};
    if (e->type != DriveType::Remote)
        return e->hostDir;
    QString volumeDir = e->hostDir;
    if (volumeDir.isEmpty() && m_locator)
        volumeDir = m_locator(e->server, e->volume);
    if (volumeDir.isEmpty())
        return {};
    volumeDir = QDir::cleanPath(volumeDir);
    if (e->volumePath.isEmpty())
        return volumeDir;
    return HostFolderFiles::followIgnoringCase(volumeDir, e->volumePath.split(QLatin1Char('\\')));
}

std::unique_ptr<VolumeFiles> DriveMap::files(QChar letter) const
{
    const auto e = entry(letter);
    if (!e)
        return nullptr;
    if (e->type == DriveType::Remote && e->hostDir.isEmpty() && m_files) {
        if (auto provided = m_files(*e))
            return provided;
    }
    const QString root = hostRoot(letter);
    if (root.isEmpty())
        return nullptr;
    return std::make_unique<HostFolderFiles>(root);
}

QString DriveMap::serverProblem(QChar letter) const
{
    const auto e = entry(letter);
    if (!e || e->type != DriveType::Remote || !m_problem)
        return {};
    return m_problem(e->server);
}

QStringList DriveMap::serverProblems() const
{
    QStringList problems;
    for (const DriveEntry& e : m_entries) {
        const QString problem = serverProblem(e.letter);
        if (!problem.isEmpty() && !problems.contains(problem))
            problems.append(problem);
    }
    return problems;
}

QString DriveMap::hostPath(const QString& dosPath) const
{
    const auto letter = driveLetterOf(dosPath);
    if (!letter)
        return {};
    const QString root = hostRoot(*letter);
    if (root.isEmpty())
        return {};
    return HostFolderFiles::followIgnoringCase(root, dosComponents(dosPath.mid(2)));
}

QString DriveMap::displayName(QChar letter) const
{
    QString name = QString(letter.toLower()) + QLatin1Char(':');
    const auto e = entry(letter);
    if (!e)
        return name;
    if (e->type == DriveType::Remote) {
        QString held = e->server + QLatin1Char('/') + e->volume + QLatin1Char(':');
        held += e->volumePath;
        return name + QLatin1String(" [") + held + QLatin1Char(']');
    }
    if (e->hostDir.isEmpty())
        return name;
    return name + QLatin1String(" [") + e->hostDir + QLatin1Char(']');
}

QString DriveMap::dosPathForHostPath(const QString& hostPath) const
{
    if (hostPath.isEmpty())
        return {};
    const QString path = QDir::cleanPath(QDir::current().absoluteFilePath(hostPath));
    QChar bestLetter;
    QString bestRoot;
    for (const DriveEntry& e : m_entries) {
        const QString root = hostRoot(e.letter);
        if (root.isEmpty() || root.size() <= bestRoot.size())
            continue;
        const bool holds =
            path == root || root == QLatin1String("/") || path.startsWith(root + QLatin1Char('/'));
        if (holds) {
            bestLetter = e.letter;
            bestRoot = root;
        }
    }
    if (bestRoot.isEmpty())
        return {};
    QString rest = path.mid(bestRoot == QLatin1String("/") ? 1 : bestRoot.size() + 1);
    rest.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return QString(bestLetter) + QLatin1String(":\\") + rest;
}

void writeDefaultDriveMap(SettingsStore& store)
{
    store.setValue(DriveMap::kSection, QStringLiteral("C"), QStringLiteral("fixed:/"));
    store.setValue(DriveMap::kSection, QStringLiteral("F"), QStringLiteral("network:FS1/DATA:"));
    store.setValue(DriveMap::kSection, QStringLiteral("G"), QStringLiteral("network:FS1/SYS:"));
}

} // namespace quorvex
