// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/volume_paths.h"

#include "netware/dos_name.h"
#include "netware/sim_directory.h"
#include "netware/sim_path.h"

#include <QDir>
#include <QFileInfo>

namespace ncpd {

namespace {

constexpr std::uint8_t kCompletionBadHandle = 0x9B;

bool refusedChar(QChar c, std::uint8_t nameSpace)
{
    static const QString longRefuses = QStringLiteral("\\/:*?\"<>|");
    static const QString dosRefuses = QStringLiteral("\\/:*?\"<>|+,;=[] ");
    if (c.unicode() < 0x20 || c.unicode() == 0x7F)
        return true;
    return (nameSpace == kNameSpaceDos ? dosRefuses : longRefuses).contains(c);
}

// A name a request may name at all.
bool acceptable(const QString& name, std::uint8_t nameSpace)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (QChar c : name)
        if (refusedChar(c, nameSpace))
            return false;
    return true;
}

bool present(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QStringList listed(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                               QDir::NoDotAndDotDot);
}

// The host name of the entry a long name names.
std::optional<QString> matchLong(const QString& dir, const QString& name)
{
    if (present(dir + QLatin1Char('/') + name))
        return name;
    for (const QString& n : listed(dir))
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return n;
    return std::nullopt;
}

// The host name of the entry a DOS name names: a name that fits 8.3 is its
// own DOS name; any other has the one the server generated for it. When the
// name matched a generated one, that is put in *generated, so the caller
// need not list the folder again to learn it.
std::optional<QString> matchDos(const QString& dir, const QString& name,
                                std::optional<QString>* generated)
{
    if (!nw::fitsDos83(name))
        return std::nullopt;
    for (const QString& n : listed(dir))
        if (n.compare(name, Qt::CaseInsensitive) == 0 && nw::fitsDos83(n))
            return n;
    const QString upper = name.toUpper();
    for (const nw::SimDirEntry& e : nw::listSimDirectory(dir))
        if (e.dosName == upper) {
            *generated = e.dosName;
            return e.longName;
        }
    return std::nullopt;
}

QString dosNameOf(const QString& dir, const QString& longName)
{
    if (nw::fitsDos83(longName))
        return longName.toUpper();
    for (const nw::SimDirEntry& e : nw::listSimDirectory(dir))
        if (e.longName == longName)
            return e.dosName;
    return longName.toUpper();
}

} // namespace

bool validName(const QString& name, std::uint8_t nameSpace)
{
    return acceptable(name, nameSpace) && name.size() <= 255 &&
           (nameSpace != kNameSpaceDos || nw::fitsDos83(name));
}

bool insideVolume(const nw::SimVolume& volume, const QString& host)
{
    const QString root = QFileInfo(volume.hostDir).canonicalFilePath();
    QString real = QFileInfo(host).canonicalFilePath();
    if (real.isEmpty()) {
        // Not there yet: its folder must be inside, and a link by its name
        // (one that leads nowhere) is no new entry.
        if (QFileInfo(host).isSymLink())
            return false;
        const QFileInfo file(host);
        const QString folder = file.dir().canonicalPath();
        if (folder.isEmpty())
            return false;
        real = folder + QLatin1Char('/') + file.fileName();
    }
    return !root.isEmpty() && (real == root || real.startsWith(root + QLatin1Char('/')));
}

bool hasNameSpace(const nw::SimVolume& volume, std::uint8_t nameSpace)
{
    return nameSpace == kNameSpaceDos || (nameSpace == kNameSpaceLong && volume.longNames);
}

PathStart startOf(const nw::SimState& state, const HandlePath& path,
                  const std::function<std::optional<QString>(std::uint8_t)>& keyOfHandle,
                  const std::function<std::optional<QString>(std::uint32_t)>& keyOfBase)
{
    PathStart start;
    std::optional<QString> key;
    switch (path.flag) {
    case 0xFF:
        // No handle: the first name is the volume's.
        if (path.names.empty()) {
            start.error = kPathRefused;
            return start;
        }
        start.volume = state.volumeIndex(QString::fromLatin1(path.names.front()));
        if (start.volume < 0)
            start.error = kPathNoVolume;
        start.rest.assign(path.names.begin() + 1, path.names.end());
        return start;
    case 1:
        if (path.base == 0) { // a volume's root
            start.volume = path.volume < state.volumes.size() ? path.volume : -1;
            start.error = start.volume < 0 ? kPathNoVolume : 0;
            start.rest = path.names;
            return start;
        }
        key = keyOfBase(path.base);
        break;
    case 0:
        key = keyOfHandle(path.volume);
        if (!key) {
            start.error = kCompletionBadHandle;
            return start;
        }
        break;
    default:
        break;
    }
    const auto split = key ? nw::splitNwPath(*key) : std::nullopt;
    start.volume = split ? state.volumeIndex(split->volume) : -1;
    if (start.volume < 0) {
        start.error = kPathRefused;
        return start;
    }
    start.names = split->relative.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    start.rest = path.names;
    return start;
}

Lookup lookUp(const nw::SimState& state, std::uint8_t nameSpace, const PathStart& start,
              bool lastMayBeNew)
{
    Lookup r;
    r.error = start.error;
    if (r.error)
        return r;
    const nw::SimVolume& volume = state.volumes[std::size_t(start.volume)];
    if (!hasNameSpace(volume, nameSpace)) {
        r.error = kPathNoNameSpace;
        return r;
    }
    VolumeEntry& e = r.entry;
    e.volume = start.volume;
    e.host = volume.hostDir;
    // The start is a directory the server named itself: long names.
    for (const QString& name : start.names) {
        const auto found = matchLong(e.host, name);
        if (!found || !QFileInfo(e.host + QLatin1Char('/') + *found).isDir()) {
            r.error = kPathRefused;
            return r;
        }
        e.host += QLatin1Char('/') + *found;
        e.names.append(*found);
    }
    // The generated DOS name the last name was matched by, if it was.
    std::optional<QString> lastGenerated;
    for (std::size_t i = 0; i < start.rest.size(); ++i) {
        const QString name = QString::fromLatin1(start.rest[i]);
        const bool last = i + 1 == start.rest.size();
        if (!acceptable(name, nameSpace)) {
            r.error = kPathRefused;
            return r;
        }
        std::optional<QString> generated;
        const auto found = nameSpace == kNameSpaceDos ? matchDos(e.host, name, &generated)
                                                      : matchLong(e.host, name);
        if (!found) {
            if (!last || !lastMayBeNew || !validName(name, nameSpace)) {
                r.error = last && !lastMayBeNew ? kPathNoEntry : kPathRefused;
                return r;
            }
            e.host += QLatin1Char('/') + name;
            e.names.append(name);
            break; // a new entry
        }
        e.host += QLatin1Char('/') + *found;
        e.names.append(*found);
        if (last)
            lastGenerated = generated;
        if (!last && !QFileInfo(e.host).isDir()) {
            r.error = kPathRefused;
            return r;
        }
    }
    const QFileInfo file(e.host);
    e.exists = file.exists();
    e.directory = file.isDir();
    if (!insideVolume(volume, e.host)) {
        r.error = kPathRefused;
        return r;
    }
    // Sockets, pipes and devices are nothing a volume holds.
    if (e.exists && !file.isDir() && !file.isFile()) {
        r.error = kPathNoEntry;
        return r;
    }
    e.key = nw::normalizeNwPath(volume.name + QLatin1Char(':') + e.names.join(QLatin1Char('\\')));
    e.longName = e.names.isEmpty() ? volume.name : e.names.last();
    // A long name that does not fit 8.3 has the DOS name its folder's listing
    // generated; when the last name was matched by it, it is already known.
    if (e.names.isEmpty())
        e.dosName = volume.name.toUpper();
    else if (lastGenerated && !nw::fitsDos83(e.longName))
        e.dosName = *lastGenerated;
    else
        e.dosName = dosNameOf(file.dir().path(), e.longName);
    return r;
}

} // namespace ncpd
