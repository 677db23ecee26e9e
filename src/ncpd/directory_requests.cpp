// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/directory_requests.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "ncpd/request_text.h"

#include <algorithm>

namespace ncpd {

std::optional<AllocDirHandleRequest> decodeAllocDirHandle(const QByteArray& data)
{
    ncp::WireReader in(data);
    AllocDirHandleRequest r;
    r.sourceHandle = in.u8();
    r.handleName = in.u8();
    r.path = readText(in);
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeAllocDirHandleReply(std::uint8_t handle, std::uint8_t rights)
{
    ncp::WireWriter out;
    out.u8(handle).u8(rights);
    return out.take();
}

std::optional<DirHandleRequest> decodeDirHandle(const QByteArray& data)
{
    ncp::WireReader in(data);
    DirHandleRequest r;
    r.handle = in.u8();
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

std::optional<VolumeNumberRequest> decodeVolumeNumber(const QByteArray& data)
{
    ncp::WireReader in(data);
    VolumeNumberRequest r;
    r.name = readText(in);
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeVolumeNumberReply(std::uint8_t volume)
{
    ncp::WireWriter out;
    out.u8(volume);
    return out.take();
}

std::optional<ObjectTrusteePathsRequest> decodeObjectTrusteePaths(const QByteArray& data)
{
    ncp::WireReader in(data);
    ObjectTrusteePathsRequest r;
    r.volume = in.u8();
    r.sequence = in.u16be();
    r.objectId = in.u32be();
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeObjectTrusteePathsReply(std::uint16_t nextSequence, std::uint32_t objectId,
                                         std::uint8_t rights, const QByteArray& path)
{
    ncp::WireWriter out;
    out.u16be(nextSequence).u32be(objectId).u8(rights).lengthPrefixed(path);
    return out.take();
}

std::optional<DirectoryTrusteesRequest> decodeDirectoryTrustees(const QByteArray& data)
{
    ncp::WireReader in(data);
    DirectoryTrusteesRequest r;
    r.dirHandle = in.u8();
    r.sequence = in.u8();
    r.path = readText(in);
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeDirectoryTrusteesReply(std::span<const nw::TRUSTEE_INFO> trustees, bool allSlots)
{
    const std::size_t slotCount = std::size_t(nw::kTrusteesPerScan);
    const auto given = trustees.first(std::min(trustees.size(), slotCount));
    // The list is packed: the entries in use come first, the rest have ID 0.
    const std::size_t count = std::size_t(
        std::find_if(given.begin(), given.end(), [](auto& t) { return t.objectID == 0; }) -
        given.begin());
    ncp::WireWriter out;
    out.u8(std::uint8_t(count));
    for (std::size_t i = 0; i < slotCount; ++i)
        out.u32be(i < count ? given[i].objectID : 0);
    for (std::size_t i = 0; i < (allSlots ? slotCount : count); ++i)
        out.u16le(i < count ? given[i].objectRights : 0);
    return out.take();
}

std::optional<ExtendedInfoRequest> decodeExtendedInfo(const QByteArray& data)
{
    ncp::WireReader in(data);
    ExtendedInfoRequest r;
    r.dirHandle = in.u8();
    r.searchAttributes = in.u8();
    r.sequence = in.u32le();
    r.pattern = readText(in);
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeExtendedInfoReply(const nw::NW_EXT_FILE_INFO& entry, bool emulator)
{
    ncp::WireWriter out;
    out.bytes(entry.bytes);
    QByteArray bytes = out.take();
    const auto put = [&bytes](int offset, std::uint32_t value) {
        bytes.replace(offset, 4, ncp::WireWriter().u32be(value).take());
    };
    for (const int offset : {32, 40, 48}) // creator, archiver, modifier
        put(offset, entry.u32(offset));
    if (emulator) {
        put(0, entry.u32(0)); // sequence
        bytes.truncate(132);
    } else {
        put(52, entry.u32(52)); // size
    }
    return bytes;
}

} // namespace ncpd
