// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Requests about directories, volumes and trustees: 22/19 (allocate a
// temporary directory handle), 22/20 (free it), 22/5 (volume number), 23/71
// (an object's trustee paths), 22/38 (a directory's trustees) and 22/40 (the
// extended entry of a file). Decoders take Request::data; encoders give the
// reply from offset 8.

#include "netware/netware_client.h"

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <span>

namespace ncpd {

struct AllocDirHandleRequest // 22/19
{
    std::uint8_t sourceHandle = 0;
    std::uint8_t handleName = 0;
    QByteArray path;
};
std::optional<AllocDirHandleRequest> decodeAllocDirHandle(const QByteArray& data);
QByteArray encodeAllocDirHandleReply(std::uint8_t handle, std::uint8_t rights);

struct DirHandleRequest // 22/20
{
    std::uint8_t handle = 0;
};
std::optional<DirHandleRequest> decodeDirHandle(const QByteArray& data);

struct VolumeNumberRequest // 22/5
{
    QByteArray name;
};
std::optional<VolumeNumberRequest> decodeVolumeNumber(const QByteArray& data);
QByteArray encodeVolumeNumberReply(std::uint8_t volume);

struct ObjectTrusteePathsRequest // 23/71
{
    std::uint8_t volume = 0;
    std::uint16_t sequence = 0xFFFF;
    std::uint32_t objectId = 0;
};
std::optional<ObjectTrusteePathsRequest> decodeObjectTrusteePaths(const QByteArray& data);
QByteArray encodeObjectTrusteePathsReply(std::uint16_t nextSequence, std::uint32_t objectId,
                                         std::uint8_t rights, const QByteArray& path);

struct DirectoryTrusteesRequest // 22/38
{
    std::uint8_t dirHandle = 0;
    std::uint8_t sequence = 0;
    QByteArray path;
};
std::optional<DirectoryTrusteesRequest> decodeDirectoryTrustees(const QByteArray& data);
// Count, 20 object IDs (unused ones 0), then the rights of the first count,
// or of all twenty slots (allSlots, as the server emulators send them).
QByteArray encodeDirectoryTrusteesReply(std::span<const nw::TRUSTEE_INFO> trustees,
                                        bool allSlots = false);

struct ExtendedInfoRequest // 22/40
{
    std::uint8_t dirHandle = 0;
    std::uint8_t searchAttributes = 0;
    std::uint32_t sequence = 0;
    QByteArray pattern;
};
std::optional<ExtendedInfoRequest> decodeExtendedInfo(const QByteArray& data);
// The entry as it travels: the creator, archiver and modifier IDs
// big-endian. NetWare's is 140 bytes with the sequence little-endian and the
// size big-endian (as Wireshark reads them); the server emulators' 132 bytes
// with the sequence big-endian and the size little-endian (emulator). The
// entry given holds every field little-endian.
QByteArray encodeExtendedInfoReply(const nw::NW_EXT_FILE_INFO& entry, bool emulator = false);

} // namespace ncpd
