// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Who has a file open: the path is first turned into its volume and directory
// entry (23/244, or 87/6 where the server does not answer 23/244), then the
// connections using it are asked batch by batch (23/236). Decoders take the
// reply data (from offset 8).

#include "ncp/request_body.h"
#include "netware/netware_client.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace ncp {

RequestBody pathEntryRequest(std::uint8_t dirHandle, const QByteArray& path); // 23/244
struct PathEntry
{
    std::uint8_t volume = 0;
    std::uint32_t directoryBase = 0;
};
std::optional<PathEntry> decodePathEntry(const QByteArray& data);
// The same from 87/6 asked for the directory block (kRimDirectory): the
// entry's DOS directory number, which 23/236 takes (ncpfs feeds it that), at
// 52 of the fixed 76-byte block, and the volume at 56.
std::optional<PathEntry> decodeDirectoryEntry(const QByteArray& data);

RequestBody connectionsUsingFileRequest(const PathEntry& entry,
                                        std::uint16_t lastRecord); // 23/236
struct ConnectionsUsingFile
{
    std::uint16_t nextRecord = 0; // 0: no more
    nw::CONN_USING_FILE_SUMMARY summary;
    nw::CONNS_USING_FILE connections;
};
std::optional<ConnectionsUsingFile> decodeConnectionsUsingFile(const QByteArray& data);

} // namespace ncp
