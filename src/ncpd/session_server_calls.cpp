// SPDX-License-Identifier: GPL-3.0-or-later
// What a client asks about the server itself: its clock, its description
// strings and its volumes' space, answered from the state and the volume
// folders on the host.

#include "ncpd/request_text.h"
#include "ncpd/server_info_requests.h"
#include "ncpd/session_dispatcher.h"
#include "ncpd/volume_requests.h"
#include "netware/sim_path.h"

#include <QDirIterator>
#include <QStorageInfo>

namespace ncpd {
namespace {

constexpr std::uint32_t kSectorsPerBlock = 8; // 4 KiB blocks of 512-byte sectors
constexpr std::uint64_t kBlockBytes = 512 * kSectorsPerBlock;
// Entries counted in a volume before the count stops: a look at a huge
// folder must not stall the session.
constexpr std::uint64_t kMaxCountedEntries = 100000;

// The host file system's space and the volume folder's entries. Directory
// entries are taken from free space, one per free block, as volumes that
// grow their directory do.
VolumeUsage usageOf(const nw::SimVolume& volume)
{
    VolumeUsage u;
    u.name = nw::toWire(volume.name);
    u.sectorsPerBlock = kSectorsPerBlock;
    const QStorageInfo storage(volume.hostDir);
    if (storage.isValid()) {
        u.totalBlocks = std::uint64_t(storage.bytesTotal()) / kBlockBytes;
        u.freeBlocks = std::uint64_t(storage.bytesAvailable()) / kBlockBytes;
    }
    std::uint64_t used = 1; // the root
    QDirIterator it(volume.hostDir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (used < kMaxCountedEntries && it.hasNext()) {
        it.next();
        ++used;
    }
    u.freeEntries = u.freeBlocks;
    u.totalEntries = used + u.freeEntries;
    return u;
}

} // namespace

SessionDispatcher::Answer SessionDispatcher::dateTime()
{
    Answer a;
    a.data = encodeDateTimeReply(QDateTime::currentDateTime());
    return a;
}

SessionDispatcher::Answer SessionDispatcher::description()
{
    const auto s = state();
    if (!s)
        return fromCode(nw::kInvalidConnection);
    const QString version = QStringLiteral("%1.%2").arg(s->versionMajor).arg(s->versionMinor);
    Answer a;
    a.data = encodeDescriptionReply({QStringLiteral("Quorvex"),
                                     QStringLiteral("Simulated NetWare %1").arg(version),
                                     QStringLiteral("Server %1").arg(s->server.toUpper())});
    return a;
}

SessionDispatcher::Answer SessionDispatcher::volumePurgeInfo(const QByteArray& data)
{
    const auto number = decodeOneByte(data);
    if (!number)
        return malformed();
    const auto s = state();
    if (!s)
        return fromCode(nw::kInvalidConnection);
    if (*number >= s->volumes.size())
        return completion(std::uint8_t(nw::kVolumeDoesNotExist & 0xFF));
    Answer a;
    a.data = encodeVolumePurgeReply(usageOf(s->volumes[*number]));
    return a;
}

SessionDispatcher::Answer SessionDispatcher::oldVolumeInfo(const QByteArray& data, bool byHandle)
{
    const auto number = decodeOneByte(data);
    if (!number)
        return malformed();
    const auto s = state();
    if (!s)
        return fromCode(nw::kInvalidConnection);
    int volume = *number;
    if (byHandle) {
        const auto& key = dirKeys_[*number];
        if (!key)
            return completion(std::uint8_t(nw::kBadDirectoryHandle & 0xFF));
        volume = s->volumeIndex(nw::splitNwPath(*key)->volume);
    }
    if (volume < 0 || std::size_t(volume) >= s->volumes.size())
        return completion(std::uint8_t(nw::kVolumeDoesNotExist & 0xFF));
    Answer a;
    a.data = encodeOldVolumeInfoReply(usageOf(s->volumes[std::size_t(volume)]));
    return a;
}

SessionDispatcher::Answer SessionDispatcher::volumeName(const QByteArray& data)
{
    const auto number = decodeOneByte(data);
    if (!number)
        return malformed();
    const auto s = state();
    if (!s)
        return fromCode(nw::kInvalidConnection);
    if (*number >= s->volumes.size())
        return completion(std::uint8_t(nw::kVolumeDoesNotExist & 0xFF));
    Answer a;
    a.data = encodeVolumeNameReply(nw::toWire(s->volumes[*number].name));
    return a;
}

} // namespace ncpd
