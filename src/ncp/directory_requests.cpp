// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/directory_requests.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

namespace ncp {

RequestBody volumeNumberRequest(const QByteArray& volume)
{
    WireWriter w;
    w.lengthPrefixed(volume);
    return {0x16, 5, w.take()};
}

std::optional<std::uint8_t> decodeVolumeNumber(const QByteArray& data)
{
    if (data.size() != 1)
        return std::nullopt;
    return std::uint8_t(data[0]);
}

RequestBody allocDirHandleRequest(std::uint8_t source, const QByteArray& path)
{
    WireWriter w;
    w.u8(source).u8(0).lengthPrefixed(path); // handle name 0: the server picks
    return {0x16, 19, w.take()};
}

std::optional<DirHandle> decodeAllocDirHandle(const QByteArray& data)
{
    WireReader in(data);
    DirHandle h;
    h.handle = in.u8();
    h.rights = in.u8();
    // Handle 0 means "no handle" to every later request.
    if (!in.ok() || !in.atEnd() || h.handle == 0)
        return std::nullopt;
    return h;
}

RequestBody deallocDirHandleRequest(std::uint8_t handle)
{
    WireWriter w;
    w.u8(handle);
    return {0x16, 20, w.take()};
}

RequestBody trusteePathRequest(std::uint8_t volume, std::uint16_t sequence, std::uint32_t objectId)
{
    WireWriter w;
    w.u8(volume).u16be(sequence).u32be(objectId);
    return {0x17, 71, w.take()};
}

std::optional<TrusteePath> decodeTrusteePath(const QByteArray& data, std::uint32_t objectId)
{
    WireReader in(data);
    TrusteePath t;
    t.nextSequence = in.u16be();
    const std::uint32_t id = in.u32be();
    t.rights = in.u8();
    t.path = in.lengthPrefixed();
    if (!in.ok() || !in.atEnd())
        return std::nullopt;
    // The end names no object; a path must be the asked-for object's.
    if (t.end() ? id != 0 && id != objectId : id != objectId)
        return std::nullopt;
    return t;
}

RequestBody dirTrusteesRequest(std::uint8_t dirHandle, std::uint8_t sequence,
                               const QByteArray& path)
{
    WireWriter w;
    w.u8(dirHandle).u8(sequence).lengthPrefixed(path);
    return {0x16, 38, w.take()};
}

std::optional<std::vector<nw::TRUSTEE_INFO>> decodeDirTrustees(const QByteArray& data)
{
    WireReader in(data);
    const std::uint8_t count = in.u8();
    if (!in.ok() || count > nw::kTrusteesPerScan)
        return std::nullopt;
    std::vector<nw::TRUSTEE_INFO> out(count);
    for (int i = 0; i < nw::kTrusteesPerScan; ++i) {
        const std::uint32_t id = in.u32be();
        if (i < count)
            out[std::size_t(i)].objectID = id;
    }
    for (auto& t : out)
        t.objectRights = in.u16le();
    // The rights array may be sent for all twenty slots; nothing else may follow.
    const std::size_t rest = in.remaining();
    if (!in.ok() || (rest != 0 && rest != std::size_t(nw::kTrusteesPerScan - count) * 2))
        return std::nullopt;
    for (const auto& t : out)
        if (t.objectID == 0)
            return std::nullopt;
    return out;
}

RequestBody extendedInfoRequest(std::uint8_t dirHandle, std::uint8_t attributes,
                                std::uint32_t sequence, const QByteArray& pattern)
{
    WireWriter w;
    w.u8(dirHandle).u8(attributes).u32le(sequence).lengthPrefixed(pattern);
    return {0x16, 40, w.take()};
}

std::optional<nw::NW_EXT_FILE_INFO> decodeExtendedInfo(const QByteArray& data)
{
    nw::NW_EXT_FILE_INFO info;
    if (std::size_t(data.size()) != info.bytes.size() && data.size() != kEmulatorExtendedEntry)
        return std::nullopt;
    std::copy(data.begin(), data.end(), info.bytes.begin());
    for (const int offset : {32, 40, 48}) // creator, archiver, modifier
        info.setU32(offset, WireReader(data.mid(offset, 4)).u32be());
    return info;
}

RequestBody longNameRequest(const LongNameQuery& q)
{
    WireWriter w;
    w.u8(q.sourceNameSpace)
        .u8(q.destNameSpace)
        .u16le(0x0016) // search attributes: hidden, system and directories too
        .u32le(q.returnMask)
        .u8(q.handleOrVolume)
        .u32le(0) // directory base: unused with a handle or a volume path
        .u8(q.byHandle ? 0 : 0xFF)
        .u8(std::uint8_t(q.components.size()));
    for (const QByteArray& c : q.components)
        w.lengthPrefixed(c);
    return {0x57, 6, w.take()};
}

std::optional<QByteArray> decodeLongName(const QByteArray& data)
{
    WireReader in(data);
    in.skip(76);
    const QByteArray name = in.lengthPrefixed();
    if (!in.ok() || !in.atEnd() || name.isEmpty())
        return std::nullopt;
    return name;
}

} // namespace ncp
