// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The files one connection has open (23/235) and the path of a directory
// entry (87/28). Decoders take the reply data (from offset 8).
//
// 23/235 request: connection u16 LE at 10, last record seen u16 LE at 12 (0
// first, then the previous answer's next request record). Reply: next request
// record u16 LE at 8 (0: no more), number of records u16 LE at 10, records
// from 12 (open_file_records.h). The dissector reads the connection
// big-endian; the Linux client library sends it little-endian, as here.
//
// 87/28 (no length word) request: source and destination name space at 8 and
// 9, cookie flags u16 LE at 10, cookies u32 LE at 12 and 16 (0xFFFFFFFF both
// to start), then volume u8, directory base u32 LE, handle flag (1: directory
// base), component count and components. Reply: cookie flags u16 LE at 8 (0
// directory, 1 file), cookies at 10 and 14 (cookie 2 0xFFFFFFFF: the path is
// complete), components' size u16 LE at 18, their count u16 LE at 20, then the
// components (length byte + bytes) from the entry up, the volume's name last.

#include "ncp/request_body.h"
#include "netware/netware_client.h"

#include <QByteArray>
#include <QByteArrayList>

#include <cstdint>
#include <optional>

namespace ncp {

RequestBody openFilesRequest(std::uint16_t connection, std::uint16_t lastRecord); // 23/235
struct OpenFilesAnswer
{
    std::uint16_t nextRecord = 0;
    std::uint16_t count = 0;
    QByteArray records;
};
std::optional<OpenFilesAnswer> decodeOpenFiles(const QByteArray& data);

inline constexpr std::uint32_t kNoCookie = 0xFFFFFFFF;
struct PathCookies
{
    std::uint16_t flags = 0;
    std::uint32_t cookie1 = kNoCookie;
    std::uint32_t cookie2 = kNoCookie;
};
RequestBody fullPathRequest(std::uint8_t nameSpace, std::uint8_t volume,
                            std::uint32_t directoryBase, const PathCookies& cookies); // 87/28
struct FullPathAnswer
{
    PathCookies cookies;
    QByteArrayList components; // from the entry up to the volume
};
std::optional<FullPathAnswer> decodeFullPath(const QByteArray& data);

} // namespace ncp
