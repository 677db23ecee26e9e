// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An entry's information as 87/6, 87/20 and 87/1 answer it: the fixed block
// of 76 bytes (see ncp/file_requests.h for its fields), each part filled when
// the return mask asks for it and zero otherwise, then the name in the name
// space asked for when the mask's name bit is set.

#include "ncpd/volume_paths.h"
#include "netware/sim_directory.h"
#include "netware/sim_state.h"
#include "platform/host_file_stat.h"

#include <QByteArray>

#include <cstdint>

namespace ncpd {

inline constexpr std::uint32_t kRimName = 0x0001;
inline constexpr std::uint32_t kRimCreation = 0x0100;
inline constexpr std::uint32_t kRimDirectory = 0x0400;

// What the block tells of an entry, read once.
struct EntryFields
{
    int volume = -1;
    QString key; // normalised VOL:PATH
    QString longName;
    QString dosName;
    bool directory = false;
    std::uint32_t attributes = 0;
    std::uint32_t size = 0;
    std::uint32_t created = 0, modified = 0, archived = 0; // packed date << 16 | time
    std::uint16_t accessed = 0;                            // packed date
    std::uint32_t owner = 0, modifier = 0, archiver = 0;
    QString host;              // the entry on this machine
    bool creationKnown = true; // false: created is yet to be read
};
EntryFields entryFields(const nw::SimState& state, int volume, const QString& key,
                        const nw::SimDirEntry& entry, const QFileInfo& info);
EntryFields entryFields(const nw::SimState& state, const VolumeEntry& entry);
// The same for an entry of a listing, quicker: the dates from the host's
// clock readings, the creation date only once asked for (completeCreation).
EntryFields listedFields(const nw::SimState& state, int volume, const QString& key,
                         const nw::SimDirEntry& entry, const quorvex::HostFileStat& host);
void completeCreation(EntryFields& entry, const nw::SimState& state);

struct BlockNumbers
{
    std::uint32_t entry = 0;
    std::uint32_t dosEntry = 0;
    std::uint16_t rights = 0; // the asker's effective rights
};

void appendEntryBlock(QByteArray& out, const EntryFields& entry, std::uint32_t returnMask,
                      std::uint8_t nameSpace, const BlockNumbers& numbers);
QByteArray encodeEntryBlock(const nw::SimState& state, const VolumeEntry& entry,
                            std::uint32_t returnMask, std::uint8_t nameSpace,
                            const BlockNumbers& numbers);

} // namespace ncpd
