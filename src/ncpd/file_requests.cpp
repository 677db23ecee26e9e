// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/file_requests.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "ncpd/request_text.h"

namespace ncpd {

namespace {

std::optional<HandlePath> readPath(ncp::WireReader& in)
{
    HandlePath path;
    readHandleNames(in, path, readHandleHead(in, path));
    return in.ok() ? std::optional(path) : std::nullopt;
}

void writeSequence(ncp::WireWriter& w, const SearchSequence& s)
{
    w.u8(s.volume).u32le(s.directory).u32le(s.position);
}

// The two bytes before the 87/1 handle, which the server does not read.
std::uint32_t readFileHandle(ncp::WireReader& in)
{
    in.skip(1 + 2); // reserved, then the handle's first two bytes
    return in.u32le();
}

} // namespace

std::optional<OpenCreateRequest> decodeOpenCreate(const QByteArray& data)
{
    ncp::WireReader in(data);
    OpenCreateRequest r;
    r.nameSpace = in.u8();
    r.mode = in.u8();
    r.searchAttributes = in.u16le();
    r.returnMask = in.u32le();
    r.createAttributes = in.u32le();
    r.access = in.u16le();
    const auto path = readPath(in);
    if (!path || !consumedExactly(in))
        return std::nullopt;
    r.path = *path;
    return r;
}

QByteArray encodeOpenCreateReply(std::uint32_t handle, std::uint8_t action,
                                 const QByteArray& entryBlock)
{
    ncp::WireWriter w;
    w.u32le(handle).u8(action).u8(0).bytes(entryBlock);
    return w.take();
}

std::optional<InitSearchRequest> decodeInitSearch(const QByteArray& data)
{
    ncp::WireReader in(data);
    InitSearchRequest r;
    r.nameSpace = in.u8();
    in.skip(1); // reserved
    const auto path = readPath(in);
    if (!path || !consumedExactly(in))
        return std::nullopt;
    r.path = *path;
    return r;
}

QByteArray encodeSearchSequence(const SearchSequence& sequence)
{
    ncp::WireWriter w;
    writeSequence(w, sequence);
    return w.take();
}

std::optional<SearchSetRequest> decodeSearchSet(const QByteArray& data)
{
    ncp::WireReader in(data);
    SearchSetRequest r;
    r.nameSpace = in.u8();
    r.dataStream = in.u8();
    r.searchAttributes = in.u16le();
    r.returnMask = in.u32le();
    r.count = in.u16le();
    r.sequence.volume = in.u8();
    r.sequence.directory = in.u32le();
    r.sequence.position = in.u32le();
    // The pattern's length byte counts the wildcard marks.
    r.pattern = in.lengthPrefixed();
    if (!consumedExactly(in))
        return std::nullopt;
    return r;
}

QByteArray encodeSearchSetReply(const SearchSequence& next, bool more, std::uint16_t count,
                                const QByteArray& entries)
{
    ncp::WireWriter w;
    writeSequence(w, next);
    w.u8(more ? 0xFF : 0).u16le(count).bytes(entries);
    return w.take();
}

std::optional<RenameRequest> decodeRename(const QByteArray& data)
{
    ncp::WireReader in(data);
    RenameRequest r;
    r.nameSpace = in.u8();
    r.flag = in.u8();
    r.searchAttributes = in.u16le();
    // Both heads come first, then the names of each.
    const std::uint8_t fromCount = readHandleHead(in, r.from);
    const std::uint8_t toCount = readHandleHead(in, r.to);
    readHandleNames(in, r.from, fromCount);
    readHandleNames(in, r.to, toCount);
    if (!consumedExactly(in))
        return std::nullopt;
    return r;
}

std::optional<DeleteRequest> decodeDelete(const QByteArray& data)
{
    ncp::WireReader in(data);
    DeleteRequest r;
    r.nameSpace = in.u8();
    in.skip(1); // reserved
    r.searchAttributes = in.u16le();
    const auto path = readPath(in);
    if (!path || !consumedExactly(in))
        return std::nullopt;
    r.path = *path;
    return r;
}

std::optional<FileRequest> decodeCloseFile(const QByteArray& data)
{
    ncp::WireReader in(data);
    FileRequest r;
    r.handle = readFileHandle(in);
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

std::optional<FileRequest> decodeReadFile(const QByteArray& data)
{
    ncp::WireReader in(data);
    FileRequest r;
    r.handle = readFileHandle(in);
    r.offset = in.u32be();
    r.count = in.u16be();
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

std::optional<FileRequest> decodeWriteFile(const QByteArray& data)
{
    ncp::WireReader in(data);
    FileRequest r;
    r.handle = readFileHandle(in);
    r.offset = in.u32be();
    r.count = in.u16be();
    r.data = in.byteArray(r.count);
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeReadFileReply(std::uint32_t offset, const QByteArray& bytes)
{
    ncp::WireWriter w;
    w.u16be(std::uint16_t(bytes.size()));
    if (offset & 1)
        w.u8(0);
    w.bytes(bytes);
    return w.take();
}

QString searchPatternText(const QByteArray& pattern)
{
    QString text;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        auto c = std::uint8_t(pattern[i]);
        if (c == 0xFF && i + 1 < pattern.size()) {
            c = std::uint8_t(pattern[++i]);
            text += c == 0xAA   ? QLatin1Char('*')
                    : c == 0xBF ? QLatin1Char('?')
                    : c == 0xAE ? QLatin1Char('.')
                                : QChar(c);
            continue;
        }
        text += QChar(c);
    }
    return text;
}

bool matchesPattern(QStringView name, QStringView pattern)
{
    qsizetype n = 0, p = 0, star = -1, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == QLatin1Char('?') ||
                                   pattern[p].toCaseFolded() == name[n].toCaseFolded())) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            star = p++;
            resume = n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

} // namespace ncpd
