// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/file_requests.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

namespace ncp {

namespace {

constexpr std::uint8_t kNoHandle = 0xFF;
constexpr std::uint8_t kSubOpenCreate = 1;
constexpr std::uint8_t kSubInitSearch = 2;
constexpr std::uint8_t kSubRename = 4;
constexpr std::uint8_t kSubEntryInfo = 6;
constexpr std::uint8_t kSubDelete = 8;
constexpr std::uint8_t kSubSearchSet = 20;

QByteArrayList components(const RootPath& path)
{
    QByteArrayList all{path.volume};
    all.append(path.names);
    return all;
}

// The handle-path head: no handle, so volume and base are unused.
void pathHead(WireWriter& w, const RootPath& path)
{
    w.u8(0).u32le(0).u8(kNoHandle).u8(std::uint8_t(components(path).size()));
}

void pathNames(WireWriter& w, const RootPath& path)
{
    for (const QByteArray& c : components(path))
        w.lengthPrefixed(c);
}

void sequence(WireWriter& w, const SearchSequence& s)
{
    w.u8(s.volume).u32le(s.directory).u32le(s.position);
}

SearchSequence readSequence(WireReader& in)
{
    SearchSequence s;
    s.volume = in.u8();
    s.directory = in.u32le();
    s.position = in.u32le();
    return s;
}

} // namespace

std::optional<EntryInfo> readEntry(WireReader& in, bool withName)
{
    EntryInfo e;
    in.skip(4); // space allocated
    e.attributes = in.u32le();
    in.skip(2); // the attributes' low word again
    e.dataSize = in.u32le();
    in.skip(6 + 8); // total size and streams; creation
    e.modifyTime = in.u16le();
    e.modifyDate = in.u16le();
    in.skip(4 + 2 + 8); // modifier, last access date, archive
    e.rights = in.u16le();
    e.entry = in.u32le();
    e.dosEntry = in.u32le();
    e.volume = in.u32le();
    in.skip(12 + 4); // extended attributes, creator name space
    if (withName)
        e.name = in.lengthPrefixed();
    if (!in.ok())
        return std::nullopt;
    return e;
}

RequestBody entryInfoRequest(std::uint8_t nameSpace, std::uint8_t destNameSpace,
                             std::uint32_t returnMask, const RootPath& path)
{
    WireWriter w;
    w.u8(nameSpace).u8(destNameSpace).u16le(kSearchEverything).u32le(returnMask);
    pathHead(w, path);
    pathNames(w, path);
    return {kFnFiles, kSubEntryInfo, w.take()};
}

std::optional<EntryInfo> decodeEntryInfo(const QByteArray& data)
{
    WireReader in(data);
    auto entry = readEntry(in, true);
    if (!entry || !in.atEnd())
        return std::nullopt;
    return entry;
}

RequestBody initSearchRequest(std::uint8_t nameSpace, const RootPath& directory)
{
    WireWriter w;
    w.u8(nameSpace).u8(0);
    pathHead(w, directory);
    pathNames(w, directory);
    return {kFnFiles, kSubInitSearch, w.take()};
}

std::optional<SearchSequence> decodeInitSearch(const QByteArray& data)
{
    WireReader in(data);
    const SearchSequence s = readSequence(in);
    if (!in.ok() || !in.atEnd())
        return std::nullopt;
    return s;
}

RequestBody searchSetRequest(std::uint8_t nameSpace, std::uint32_t returnMask, std::uint16_t count,
                             const SearchSequence& s)
{
    WireWriter w;
    w.u8(nameSpace).u8(0).u16le(kSearchEverything).u32le(returnMask | kRimName).u16le(count);
    sequence(w, s);
    // "*" as the wildcard it is, not a name holding a star.
    w.u8(2).u8(0xFF).u8('*');
    return {kFnFiles, kSubSearchSet, w.take()};
}

std::optional<SearchSet> decodeSearchSet(const QByteArray& data, std::uint32_t)
{
    WireReader in(data);
    SearchSet set;
    set.next = readSequence(in);
    set.more = in.u8() != 0;
    const std::uint16_t count = in.u16le();
    if (!in.ok())
        return std::nullopt;
    set.entries.reserve(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        auto entry = readEntry(in, true);
        if (!entry || entry->name.isEmpty())
            return std::nullopt;
        set.entries.push_back(std::move(*entry));
    }
    if (!in.atEnd())
        return std::nullopt;
    return set;
}

RequestBody openCreateRequest(std::uint8_t nameSpace, std::uint8_t mode, std::uint16_t access,
                              const RootPath& path)
{
    WireWriter w;
    w.u8(nameSpace)
        .u8(mode)
        .u16le(kSearchEverything & ~0x8000) // files only
        .u32le(0)                           // no information back
        .u32le(0x20)                        // a new file is marked for archiving
        .u16le(access);
    pathHead(w, path);
    pathNames(w, path);
    return {kFnFiles, kSubOpenCreate, w.take()};
}

std::optional<OpenedFile> decodeOpenCreate(const QByteArray& data)
{
    // Servers send the entry's information block after these even when none
    // is asked for; it is not read.
    WireReader in(data);
    OpenedFile f;
    f.handle = in.u32le();
    f.action = in.u8();
    in.skip(1);
    if (!in.ok())
        return std::nullopt;
    return f;
}

RequestBody renameRequest(std::uint8_t nameSpace, const RootPath& from, const RootPath& to)
{
    WireWriter w;
    w.u8(nameSpace).u8(0).u16le(kSearchEverything & ~0x8000);
    pathHead(w, from);
    pathHead(w, to);
    pathNames(w, from);
    pathNames(w, to);
    return {kFnFiles, kSubRename, w.take()};
}

RequestBody deleteRequest(std::uint8_t nameSpace, const RootPath& path)
{
    WireWriter w;
    w.u8(nameSpace).u8(0).u16le(kSearchEverything & ~0x8000);
    pathHead(w, path);
    pathNames(w, path);
    return {kFnFiles, kSubDelete, w.take()};
}

namespace {

void fileHandle(WireWriter& w, std::uint32_t handle)
{
    w.u8(0).u16le(std::uint16_t(handle + 1)).u32le(handle);
}

} // namespace

RequestBody closeFileRequest(std::uint32_t handle)
{
    WireWriter w;
    fileHandle(w, handle);
    return {kFnCloseFile, 0, w.take()};
}

RequestBody readFileRequest(std::uint32_t handle, std::uint32_t offset, std::uint16_t count)
{
    WireWriter w;
    fileHandle(w, handle);
    w.u32be(offset).u16be(count);
    return {kFnReadFile, 0, w.take()};
}

std::optional<QByteArray> decodeReadFile(const QByteArray& data, std::uint32_t offset,
                                         std::uint16_t asked)
{
    WireReader in(data);
    const std::uint16_t count = in.u16be();
    in.skip(offset & 1);
    QByteArray bytes = in.byteArray(count);
    // One byte more may round the reply to an even length.
    if (!in.ok() || count > asked || in.remaining() > 1)
        return std::nullopt;
    return bytes;
}

RequestBody writeFileRequest(std::uint32_t handle, std::uint32_t offset, const QByteArray& bytes)
{
    WireWriter w;
    fileHandle(w, handle);
    w.u32be(offset).u16be(std::uint16_t(bytes.size())).bytes(bytes);
    return {kFnWriteFile, 0, w.take()};
}

} // namespace ncp
