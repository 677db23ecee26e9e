// SPDX-License-Identifier: GPL-3.0-or-later
#include "netware/sim_directory.h"

#include "netware/dos_name.h"
#include "netware/sim_path.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace nw {

namespace {

// Read-only when no one may write it, as its mode says (asking the system
// whether this user may write costs a call of its own per file).
bool writable(const QFileInfo& info)
{
    return info.permission(QFileDevice::WriteOwner) || info.permission(QFileDevice::WriteGroup) ||
           info.permission(QFileDevice::WriteOther);
}

} // namespace

std::vector<SimDirEntry> listSimDirectory(const QString& hostDir)
{
    QStringList names = QDir(hostDir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    // Names with characters no host can show in DOS form still get a name;
    // lock files of the state never live in volume folders.
    const QStringList dos = assignDosNames(names);
    std::vector<SimDirEntry> entries;
    entries.reserve(std::size_t(names.size()));
    for (int i = 0; i < names.size(); ++i) {
        const QString host = hostDir + QLatin1Char('/') + names[i];
        entries.push_back(SimDirEntry{names[i], dos[i], host, QFileInfo(host).isDir()});
    }
    return entries;
}

std::uint32_t entryAttributes(const SimState& state, const QString& normPath,
                              const SimDirEntry& entry)
{
    return entryAttributes(state, normPath, entry, QFileInfo(entry.hostPath));
}

std::uint32_t entryAttributes(const SimState& state, const QString& normPath,
                              const SimDirEntry& entry, const QFileInfo& info)
{
    return entryAttributes(state, normPath, entry, writable(info));
}

std::uint32_t entryAttributes(const SimState& state, const QString& normPath,
                              const SimDirEntry& entry, bool writable)
{
    const SimFileData* data = state.files.empty() ? nullptr : state.fileData(normPath);
    std::uint32_t attributes = 0;
    if (data && data->attributes) {
        attributes = *data->attributes;
    } else {
        attributes = kAttrArchive;
        if (!writable)
            attributes |= kAttrReadOnly;
        if (entry.longName.startsWith(QLatin1Char('.')))
            attributes |= kAttrHidden;
    }
    if (entry.isDirectory)
        attributes = (attributes & ~kAttrArchive) | kAttrDirectory;
    return attributes;
}

NW_EXT_FILE_INFO buildExtendedInfo(const SimState& state, const QString& normPath,
                                   const SimDirEntry& entry, std::uint32_t sequence)
{
    return buildExtendedInfo(state, normPath, entry, sequence, QFileInfo(entry.hostPath));
}

NW_EXT_FILE_INFO buildExtendedInfo(const SimState& state, const QString& normPath,
                                   const SimDirEntry& entry, std::uint32_t sequence,
                                   const QFileInfo& info)
{
    const SimFileData* data = state.files.empty() ? nullptr : state.fileData(normPath);
    const QDateTime modified = data && data->modified ? *data->modified : info.lastModified();
    QDateTime created = info.birthTime().isValid() ? info.birthTime() : info.lastModified();
    if (data && data->created)
        created = *data->created;
    const QDate accessed = data && data->accessed ? data->accessed->date() : info.lastRead().date();
    NW_EXT_FILE_INFO out;
    out.setU32(0, sequence);
    out.setU32(8, entryAttributes(state, normPath, entry, info));
    const QByteArray dosName = toWire(entry.dosName).left(12);
    out.bytes[15] = std::uint8_t(dosName.size());
    std::copy(dosName.begin(), dosName.end(), out.bytes.begin() + 16);
    out.setU32(28, packDateTime(created));
    out.setU32(32, data ? data->owner : 0);
    out.setU32(36, data && data->archived ? packDateTime(*data->archived) : 0);
    out.setU32(40, data ? data->archiver : 0);
    out.setU32(44, packDateTime(modified));
    out.setU32(48, data ? data->modifier : 0);
    out.setU32(52, std::uint32_t(std::min<qint64>(info.size(), 0xFFFFFFFFLL)));
    out.setU16(102, packDate(accessed));
    return out;
}

} // namespace nw
