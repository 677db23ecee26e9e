// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A host directory as the server lists it: entries in a stable order with their
// DOS names, and the directory entry (attributes, dates, objects) of one file.

#include "netware/netware_client.h"
#include "netware/sim_state.h"

#include <QFileInfo>
#include <QString>

#include <vector>

namespace nw {

struct SimDirEntry
{
    QString longName;
    QString dosName;
    QString hostPath;
    bool isDirectory = false;
};

// Sorted by name ignoring case, then by exact name, so that DOS names stay
// the same from call to call.
std::vector<SimDirEntry> listSimDirectory(const QString& hostDir);

// Attribute bits the program shows.
inline constexpr std::uint32_t kAttrReadOnly = 0x01;
inline constexpr std::uint32_t kAttrHidden = 0x02;
inline constexpr std::uint32_t kAttrSystem = 0x04;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;

// The 140-byte extended entry of a file: state data where the state file has
// it, the host file's data otherwise. normPath is the entry's normalised
// NetWare path (for the files table).
NW_EXT_FILE_INFO buildExtendedInfo(const SimState& state, const QString& normPath,
                                   const SimDirEntry& entry, std::uint32_t sequence);
// The same from the host file's information read already.
NW_EXT_FILE_INFO buildExtendedInfo(const SimState& state, const QString& normPath,
                                   const SimDirEntry& entry, std::uint32_t sequence,
                                   const QFileInfo& info);

// The attributes the entry reports (state value, or derived from the host).
std::uint32_t entryAttributes(const SimState& state, const QString& normPath,
                              const SimDirEntry& entry);
std::uint32_t entryAttributes(const SimState& state, const QString& normPath,
                              const SimDirEntry& entry, const QFileInfo& info);
// The same when all that is known of the host file is whether its mode lets
// anyone write it.
std::uint32_t entryAttributes(const SimState& state, const QString& normPath,
                              const SimDirEntry& entry, bool writable);

} // namespace nw
