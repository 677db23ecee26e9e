// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The requests that browse and change a volume's files: the name-space calls
// of NCP 87 (open or create 87/1, start a search 87/2, rename 87/4, entry
// information 87/6, delete 87/8, search for a set of entries 87/20) and the
// file calls close (66), read (72) and write (73). Decoders take the reply
// data (from offset 8).
//
// A path travels as a handle path: volume byte, directory base (u32
// little-endian), handle flag, component count, then each component as a
// length byte and its bytes. With no handle (flag 0xFF) the first component
// names the volume, as the Linux client and the server emulators send it.
//
// An entry's information is the 76-byte block both references lay out the
// same way when no compressed form is asked for (the Linux client's
// nw_info_struct, the server emulators' answer): space allocated 0; attributes
// u32 and their low word 4; data size 10; total size and stream count 14;
// creation time, date and creator 20; modification time, date, modifier and
// last access date 28; archive time, date and archiver 38; rights 46; entry
// number, DOS entry number and volume 48; extended attributes 60; creator
// name space 72; then, when asked for, the name as a length byte and bytes.
// Object IDs travel big-endian, everything else little-endian. (Wireshark's
// hand-written dissector of 87/20 places the blocks in the compressed order:
// the same 76 bytes, read differently.)

#include "ncp/request_body.h"

#include <QByteArray>
#include <QByteArrayList>

#include <cstdint>
#include <optional>
#include <vector>

namespace ncp {

class WireReader;

inline constexpr std::uint8_t kFnFiles = 0x57;
inline constexpr std::uint8_t kFnCloseFile = 0x42;
inline constexpr std::uint8_t kFnReadFile = 0x48;
inline constexpr std::uint8_t kFnWriteFile = 0x49;

inline constexpr std::uint8_t kNameSpaceDos = 0;
inline constexpr std::uint8_t kNameSpaceLong = 4;

// Search attributes: hidden and system entries, and subdirectories with the files.
inline constexpr std::uint16_t kSearchEverything = 0x8006;

// Return-information mask bits.
inline constexpr std::uint32_t kRimName = 0x0001;
inline constexpr std::uint32_t kRimAttributes = 0x0004;
inline constexpr std::uint32_t kRimDataSize = 0x0008;
inline constexpr std::uint32_t kRimModify = 0x0080;
inline constexpr std::uint32_t kRimDirectory = 0x0400;
inline constexpr std::uint32_t kRimRights = 0x0800;
// What the volume browser asks of every entry.
inline constexpr std::uint32_t kRimBrowse =
    kRimName | kRimAttributes | kRimDataSize | kRimModify | kRimRights;

// 87/1 open or create modes and access.
inline constexpr std::uint8_t kOpenExisting = 0x01;
inline constexpr std::uint8_t kCreateNew = 0x08;
inline constexpr std::uint16_t kAccessRead = 0x0001;
inline constexpr std::uint16_t kAccessWrite = 0x0002;
inline constexpr std::uint16_t kAccessDenyWrite = 0x0008;

// A path from a volume's root, no handle: the volume's name, then the names.
struct RootPath
{
    QByteArray volume;
    QByteArrayList names;
};

struct EntryInfo
{
    std::uint32_t attributes = 0;
    std::uint32_t dataSize = 0;
    std::uint16_t modifyTime = 0;
    std::uint16_t modifyDate = 0;
    std::uint16_t rights = 0;
    std::uint32_t entry = 0;
    std::uint32_t dosEntry = 0;
    std::uint32_t volume = 0;
    QByteArray name;
};

// 87/6: an entry's information, its name in destNameSpace.
RequestBody entryInfoRequest(std::uint8_t nameSpace, std::uint8_t destNameSpace,
                             std::uint32_t returnMask, const RootPath& path);
std::optional<EntryInfo> decodeEntryInfo(const QByteArray& data);
// Reads an entry's fixed 76-byte block and, withName, the name that follows
// it; nullopt when the data runs out.
std::optional<EntryInfo> readEntry(WireReader& in, bool withName);

// 87/2 starts a search of a directory; the 9-byte sequence goes back with
// every 87/20 as the server returned it.
struct SearchSequence
{
    std::uint8_t volume = 0;
    std::uint32_t directory = 0;
    std::uint32_t position = 0;
};
RequestBody initSearchRequest(std::uint8_t nameSpace, const RootPath& directory);
std::optional<SearchSequence> decodeInitSearch(const QByteArray& data);

// 87/20: up to count entries matching pattern, each with the information
// the mask asks for and its name. The pattern "*" as a wildcard.
struct SearchSet
{
    SearchSequence next;
    bool more = false;
    std::vector<EntryInfo> entries;
};
RequestBody searchSetRequest(std::uint8_t nameSpace, std::uint32_t returnMask, std::uint16_t count,
                             const SearchSequence& sequence);
std::optional<SearchSet> decodeSearchSet(const QByteArray& data, std::uint32_t returnMask);

// 87/1: a file's handle (u32 little-endian) and what the server did.
RequestBody openCreateRequest(std::uint8_t nameSpace, std::uint8_t mode, std::uint16_t access,
                              const RootPath& path);
struct OpenedFile
{
    std::uint32_t handle = 0;
    std::uint8_t action = 0;
};
std::optional<OpenedFile> decodeOpenCreate(const QByteArray& data);

// 87/4 renames (or moves) an entry; 87/8 deletes one.
RequestBody renameRequest(std::uint8_t nameSpace, const RootPath& from, const RootPath& to);
RequestBody deleteRequest(std::uint8_t nameSpace, const RootPath& path);

// 66, 72 and 73 name a file by the 6-byte handle: two bytes the server
// ignores, then the 87/1 handle little-endian. Offsets and counts of 72 and
// 73 are big-endian; a read at an odd offset has a pad byte before the data.
RequestBody closeFileRequest(std::uint32_t handle);
RequestBody readFileRequest(std::uint32_t handle, std::uint32_t offset, std::uint16_t count);
std::optional<QByteArray> decodeReadFile(const QByteArray& data, std::uint32_t offset,
                                         std::uint16_t asked);
RequestBody writeFileRequest(std::uint32_t handle, std::uint32_t offset, const QByteArray& bytes);

} // namespace ncp
