// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Requests about volumes, directory handles, trustees and directory entries.
// Decoders take the reply data (from offset 8). The trustee scan (22/38), the
// extended scan (22/40) and the long name (87/6) are the layouts least
// confirmed by the references, so each stays behind its one pair of functions.

#include "ncp/file_requests.h"
#include "ncp/request_body.h"
#include "netware/netware_client.h"

#include <QByteArray>
#include <QByteArrayList>

#include <cstdint>
#include <optional>
#include <vector>

namespace ncp {

RequestBody volumeNumberRequest(const QByteArray& volume); // 22/5
std::optional<std::uint8_t> decodeVolumeNumber(const QByteArray& data);

RequestBody allocDirHandleRequest(std::uint8_t source, const QByteArray& path); // 22/19
struct DirHandle
{
    std::uint8_t handle = 0;
    std::uint8_t rights = 0;
};
std::optional<DirHandle> decodeAllocDirHandle(const QByteArray& data);

RequestBody deallocDirHandleRequest(std::uint8_t handle); // 22/20

RequestBody trusteePathRequest(std::uint8_t volume, std::uint16_t sequence,
                               std::uint32_t objectId); // 23/71
// The list ends with a non-zero completion (0x9C), or with an entry that has
// no path (the server emulators send eight zero bytes, object ID 0 among
// them). A path whose next sequence is 0 is the last one: none follow.
// (ncpfs's tool reads next sequence 0 as the end and passes over that
// reply's path; no server we know of sends a path with it but to say so.)
struct TrusteePath
{
    std::uint16_t nextSequence = 0;
    std::uint8_t rights = 0;
    QByteArray path;
    bool end() const { return path.isEmpty(); }
};
std::optional<TrusteePath> decodeTrusteePath(const QByteArray& data, std::uint32_t objectId);

// The sequence numbers blocks of twenty trustees, 0 first (the server's
// offset is sequence times 20).
RequestBody dirTrusteesRequest(std::uint8_t dirHandle, std::uint8_t sequence,
                               const QByteArray& path); // 22/38
std::optional<std::vector<nw::TRUSTEE_INFO>> decodeDirTrustees(const QByteArray& data);

// The entry is 140 bytes as Wireshark lays it out, 132 from the server
// emulators (the same fields, without the last eight bytes). The creator,
// archiver and modifier IDs travel big-endian and are handed out as numbers.
// The sequence's byte order differs between the references (Wireshark
// little-endian, the emulators big-endian); its bytes go back to the server
// as they came, so either reading continues a scan.
RequestBody extendedInfoRequest(std::uint8_t dirHandle, std::uint8_t attributes,
                                std::uint32_t sequence, const QByteArray& pattern); // 22/40
std::optional<nw::NW_EXT_FILE_INFO> decodeExtendedInfo(const QByteArray& data);
inline constexpr int kEmulatorExtendedEntry = 132;

// 87/6 by directory handle and path components, or with no handle by the
// path from a volume's root, the volume's name its first component. The
// return mask takes the kRim bits of file_requests.h (kRimDirectory: the
// entry numbers and the volume).
struct LongNameQuery
{
    std::uint8_t sourceNameSpace = 0;
    std::uint8_t destNameSpace = 0;
    std::uint32_t returnMask = kRimName;
    bool byHandle = true;
    std::uint8_t handleOrVolume = 0;
    QByteArrayList components;
};
RequestBody longNameRequest(const LongNameQuery& query);
std::optional<QByteArray> decodeLongName(const QByteArray& data);

} // namespace ncp
