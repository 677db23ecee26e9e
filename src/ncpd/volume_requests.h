// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Volume information: 22/44 (volume and purge information, 32-bit block
// counts), the older NCP 18 and 22/21 (16-bit cluster counts, by volume
// number or by directory handle), and 22/6 (a volume's name). Counts are
// little-endian in 22/44 and big-endian in the older forms. Each request is
// one byte, a volume number or a handle, read by decodeOneByte
// (request_text.h); encoders give the reply from offset 8.

#include <QByteArray>

#include <cstdint>

namespace ncpd {

// A volume's space and directory entries, in 512-byte sectors and blocks of
// sectorsPerBlock sectors.
struct VolumeUsage
{
    QByteArray name;
    std::uint32_t sectorsPerBlock = 8;
    std::uint64_t totalBlocks = 0;
    std::uint64_t freeBlocks = 0;
    std::uint64_t totalEntries = 0;
    std::uint64_t freeEntries = 0;
};

QByteArray encodeVolumePurgeReply(const VolumeUsage& usage);
// Sectors per cluster, total and free clusters, total and free directory
// slots (big-endian u16, scaled to fit), the name in 16 bytes, removable 0.
QByteArray encodeOldVolumeInfoReply(const VolumeUsage& usage);
QByteArray encodeVolumeNameReply(const QByteArray& name);

} // namespace ncpd
