// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Requests about who uses a file and its locks: 23/244 (path to volume and
// directory base), 23/236 (connections using a file), NCP 7 (clear a file
// lock) and NCP 8 (clear the lock set). Decoders take the bytes after the
// subfunction (Request::data) and return nullopt for a request that does not
// hold together; encoders give the reply's bytes from offset 8.

#include "netware/netware_client.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace ncpd {

struct PathToEntryRequest // 23/244
{
    std::uint8_t dirHandle = 0;
    QByteArray path;
};
std::optional<PathToEntryRequest> decodePathToEntry(const QByteArray& data);
QByteArray encodePathToEntryReply(std::uint8_t volume, std::uint32_t entry);

struct ConnsUsingFileRequest // 23/236
{
    std::uint8_t dataStream = 0;
    std::uint8_t volume = 0;
    std::uint32_t directoryBase = 0;
    std::uint16_t lastRecord = 0;
};
std::optional<ConnsUsingFileRequest> decodeConnsUsingFile(const QByteArray& data);
QByteArray encodeConnsUsingFileReply(std::uint16_t nextRecord,
                                     const nw::CONN_USING_FILE_SUMMARY& summary,
                                     const nw::CONNS_USING_FILE& entries);

struct ClearFileLockRequest // NCP 7
{
    std::uint8_t dirHandle = 0;
    QByteArray path;
};
std::optional<ClearFileLockRequest> decodeClearFileLock(const QByteArray& data);

struct ClearLockSetRequest // NCP 8
{
    std::uint8_t lockFlag = 0;
};
std::optional<ClearLockSetRequest> decodeClearLockSet(const QByteArray& data);

} // namespace ncpd
