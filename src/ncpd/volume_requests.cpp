// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/volume_requests.h"

#include "ncp/wire_writer.h"

#include <algorithm>

namespace ncpd {
namespace {

std::uint32_t clamp32(std::uint64_t v)
{
    return std::uint32_t(std::min<std::uint64_t>(v, 0xFFFFFFFFu));
}

std::uint16_t clamp16(std::uint64_t v)
{
    return std::uint16_t(std::min<std::uint64_t>(v, 0xFFFF));
}

} // namespace

QByteArray encodeVolumePurgeReply(const VolumeUsage& u)
{
    ncp::WireWriter out;
    out.u32le(clamp32(u.totalBlocks))
        .u32le(clamp32(u.freeBlocks))
        .u32le(0) // purgeable: the simulation deletes at once
        .u32le(0) // not yet purgeable
        .u32le(clamp32(u.totalEntries))
        .u32le(clamp32(u.freeEntries))
        .u32le(0) // reserved
        .u8(std::uint8_t(u.sectorsPerBlock))
        .lengthPrefixed(u.name.left(16));
    return out.take();
}

QByteArray encodeOldVolumeInfoReply(const VolumeUsage& u)
{
    // Clusters grow until the volume's count fits in 16 bits.
    std::uint64_t sectors = u.sectorsPerBlock;
    std::uint64_t scale = 1;
    while (u.totalBlocks / scale > 0xFFFF && sectors * 2 <= 0xFFFF) {
        scale *= 2;
        sectors *= 2;
    }
    ncp::WireWriter out;
    out.u16be(std::uint16_t(sectors))
        .u16be(clamp16(u.totalBlocks / scale))
        .u16be(clamp16(u.freeBlocks / scale))
        .u16be(clamp16(u.totalEntries))
        .u16be(clamp16(u.freeEntries))
        .paddedText(u.name, 16)
        .u16be(0);
    return out.take();
}

QByteArray encodeVolumeNameReply(const QByteArray& name)
{
    ncp::WireWriter out;
    out.lengthPrefixed(name);
    return out.take();
}

} // namespace ncpd
