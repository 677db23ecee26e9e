// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/entry_block.h"

#include "ncp/wire_writer.h"
#include "netware/sim_path.h"

#include <algorithm>

namespace ncpd {

namespace {

constexpr std::uint32_t kRimSpace = 0x0002;
constexpr std::uint32_t kRimAttributes = 0x0004;
constexpr std::uint32_t kRimDataSize = 0x0008;
constexpr std::uint32_t kRimTotalSize = 0x0010;
constexpr std::uint32_t kRimArchive = 0x0040;
constexpr std::uint32_t kRimModify = 0x0080;
constexpr std::uint32_t kRimOwningNameSpace = 0x0200;
constexpr std::uint32_t kRimRights = 0x0800;

// A packed date and time (date << 16 | time) as the block keeps it: time first.
void dateTime(ncp::WireWriter& w, std::uint32_t packed)
{
    w.u16le(std::uint16_t(packed & 0xFFFF)).u16le(std::uint16_t(packed >> 16));
}

} // namespace

EntryFields entryFields(const nw::SimState& state, int volume, const QString& key,
                        const nw::SimDirEntry& entry, const QFileInfo& info)
{
    // The extended entry holds every date and object the block carries.
    const nw::NW_EXT_FILE_INFO ext = nw::buildExtendedInfo(state, key, entry, 0, info);
    EntryFields f;
    f.volume = volume;
    f.key = key;
    f.longName = entry.longName;
    f.dosName = entry.dosName;
    f.directory = entry.isDirectory;
    f.attributes = ext.u32(8);
    f.size = entry.isDirectory ? 0 : ext.u32(52);
    f.created = ext.u32(28);
    f.owner = ext.u32(32);
    f.archived = ext.u32(36);
    f.archiver = ext.u32(40);
    f.modified = ext.u32(44);
    f.modifier = ext.u32(48);
    f.accessed = ext.u16(102);
    f.host = entry.hostPath;
    return f;
}

EntryFields listedFields(const nw::SimState& state, int volume, const QString& key,
                         const nw::SimDirEntry& entry, const quorvex::HostFileStat& host)
{
    const nw::SimFileData* data = state.files.empty() ? nullptr : state.fileData(key);
    EntryFields f;
    f.volume = volume;
    f.key = key;
    f.longName = entry.longName;
    f.dosName = entry.dosName;
    f.directory = entry.isDirectory;
    f.host = entry.hostPath;
    f.attributes = nw::entryAttributes(state, key, entry, host.writable);
    f.size = entry.isDirectory ? 0 : std::uint32_t(std::min<qint64>(host.size, 0xFFFFFFFFLL));
    f.modified = data && data->modified ? nw::packDateTime(*data->modified)
                                        : nw::packLocalSeconds(host.modified);
    f.accessed = data && data->accessed ? nw::packDate(data->accessed->date())
                                        : std::uint16_t(nw::packLocalSeconds(host.accessed) >> 16);
    if (data) {
        f.archived = data->archived ? nw::packDateTime(*data->archived) : 0;
        f.owner = data->owner;
        f.modifier = data->modifier;
        f.archiver = data->archiver;
    }
    f.creationKnown = false;
    return f;
}

void completeCreation(EntryFields& f, const nw::SimState& state)
{
    if (f.creationKnown)
        return;
    const nw::SimDirEntry entry{f.longName, f.dosName, f.host, f.directory};
    f.created = nw::buildExtendedInfo(state, f.key, entry, 0).u32(28);
    f.creationKnown = true;
}

EntryFields entryFields(const nw::SimState& state, const VolumeEntry& entry)
{
    const nw::SimDirEntry dir{entry.longName, entry.dosName, entry.host, entry.directory};
    return entryFields(state, entry.volume, entry.key, dir, QFileInfo(entry.host));
}

void appendEntryBlock(QByteArray& out, const EntryFields& f, std::uint32_t mask,
                      std::uint8_t nameSpace, const BlockNumbers& numbers)
{
    ncp::WireWriter w(std::move(out));
    w.u32le(mask & kRimSpace ? f.size : 0);
    if (mask & kRimAttributes)
        w.u32le(f.attributes).u16le(std::uint16_t(f.attributes));
    else
        w.zeros(6);
    w.u32le(mask & kRimDataSize ? f.size : 0);
    if (mask & kRimTotalSize)
        w.u32le(f.size).u16le(f.directory ? 0 : 1);
    else
        w.zeros(6);
    if (mask & kRimCreation) {
        dateTime(w, f.created);
        w.u32be(f.owner);
    } else {
        w.zeros(8);
    }
    if (mask & kRimModify) {
        dateTime(w, f.modified);
        w.u32be(f.modifier).u16le(f.accessed);
    } else {
        w.zeros(10);
    }
    if (mask & kRimArchive) {
        dateTime(w, f.archived);
        w.u32be(f.archiver);
    } else {
        w.zeros(8);
    }
    w.u16le(mask & kRimRights ? numbers.rights : 0);
    if (mask & kRimDirectory)
        w.u32le(numbers.entry).u32le(numbers.dosEntry).u32le(std::uint32_t(f.volume));
    else
        w.zeros(12);
    w.zeros(12); // extended attributes: none
    w.u32le(mask & kRimOwningNameSpace ? nameSpace : 0);
    if (mask & kRimName)
        w.lengthPrefixed((nameSpace == kNameSpaceDos ? f.dosName : f.longName).toLatin1());
    out = w.take();
}

QByteArray encodeEntryBlock(const nw::SimState& state, const VolumeEntry& entry, std::uint32_t mask,
                            std::uint8_t nameSpace, const BlockNumbers& numbers)
{
    QByteArray out;
    appendEntryBlock(out, entryFields(state, entry), mask, nameSpace, numbers);
    return out;
}

} // namespace ncpd
