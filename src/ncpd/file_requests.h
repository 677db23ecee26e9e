// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The file requests as the server reads them: 87/1 open or create, 87/2 start
// a search, 87/4 rename, 87/8 delete, 87/20 search for a set of entries, and
// 66 close, 72 read, 73 write. Decoders take Request::data; encoders give the
// reply from offset 8. Layouts as in ncp/file_requests.h.

#include "ncpd/volume_paths.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace ncpd {

struct OpenCreateRequest // 87/1
{
    std::uint8_t nameSpace = 0;
    std::uint8_t mode = 0;
    std::uint16_t searchAttributes = 0;
    std::uint32_t returnMask = 0;
    std::uint32_t createAttributes = 0;
    std::uint16_t access = 0;
    HandlePath path;
};
std::optional<OpenCreateRequest> decodeOpenCreate(const QByteArray& data);
QByteArray encodeOpenCreateReply(std::uint32_t handle, std::uint8_t action,
                                 const QByteArray& entryBlock);

struct InitSearchRequest // 87/2
{
    std::uint8_t nameSpace = 0;
    HandlePath path;
};
std::optional<InitSearchRequest> decodeInitSearch(const QByteArray& data);

struct SearchSequence
{
    std::uint8_t volume = 0;
    std::uint32_t directory = 0;
    std::uint32_t position = 0xFFFFFFFF; // 0xFFFFFFFF: from the first entry
};
QByteArray encodeSearchSequence(const SearchSequence& sequence);

struct SearchSetRequest // 87/20
{
    std::uint8_t nameSpace = 0;
    std::uint8_t dataStream = 0;
    std::uint16_t searchAttributes = 0;
    std::uint32_t returnMask = 0;
    std::uint16_t count = 0;
    SearchSequence sequence;
    QByteArray pattern; // 0xFF before a wildcard marks it as one
};
std::optional<SearchSetRequest> decodeSearchSet(const QByteArray& data);
// entries: the entries' blocks, one after another.
QByteArray encodeSearchSetReply(const SearchSequence& next, bool more, std::uint16_t count,
                                const QByteArray& entries);

struct RenameRequest // 87/4
{
    std::uint8_t nameSpace = 0;
    std::uint8_t flag = 0;
    std::uint16_t searchAttributes = 0;
    HandlePath from;
    HandlePath to;
};
std::optional<RenameRequest> decodeRename(const QByteArray& data);

struct DeleteRequest // 87/8
{
    std::uint8_t nameSpace = 0;
    std::uint16_t searchAttributes = 0;
    HandlePath path;
};
std::optional<DeleteRequest> decodeDelete(const QByteArray& data);

struct FileRequest // 66, 72, 73
{
    std::uint32_t handle = 0;
    std::uint32_t offset = 0;
    std::uint16_t count = 0;
    QByteArray data; // 73 only: count bytes
};
std::optional<FileRequest> decodeCloseFile(const QByteArray& data);
std::optional<FileRequest> decodeReadFile(const QByteArray& data);
std::optional<FileRequest> decodeWriteFile(const QByteArray& data);
// A search pattern as text: its wildcards ("*", "?"), whether or not a 0xFF
// marks them as such, and the name it matches (case ignored).
QString searchPatternText(const QByteArray& pattern);
bool matchesPattern(QStringView name, QStringView pattern);

// The count, a pad byte when the offset is odd, the bytes.
QByteArray encodeReadFileReply(std::uint32_t offset, const QByteArray& bytes);

} // namespace ncpd
