// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a file over NCP and replacing one without ever writing it in place.

#include "ncp/completion_code.h"
#include "ncp/ncp_client.h"
#include "ncp/ncp_volume_files.h"

#include <algorithm>

namespace ncp {

namespace {

// Room the request and reply headers of 72 and 73 take in a packet, and more.
constexpr std::uint32_t kFileHeaders = 64;

// An even size, so that every read after the first starts at an even offset
// and its answer has no pad byte.
std::uint16_t chunkFor(std::uint32_t packet)
{
    const std::uint32_t room = packet > 2 * kFileHeaders ? packet - kFileHeaders : kFileHeaders;
    return std::uint16_t(std::min<std::uint32_t>(room, 0xFFFE) & ~1u);
}

} // namespace

std::optional<QByteArray> NcpVolumeFiles::read(const QStringList& path, QString* error)
{
    const RootPath where = pathOf(path);
    const Outcome opened = sendNamed(
        [&](std::uint8_t ns) { return openCreateRequest(ns, kOpenExisting, kAccessRead, where); });
    if (opened.code) {
        fail(error, path, opened.code);
        return std::nullopt;
    }
    const auto file = decodeOpenCreate(opened.data);
    if (!file) {
        fail(error, path, kInvalidReplyLength);
        return std::nullopt;
    }
    const auto session = client_.sessionNumber();
    const std::uint16_t chunk =
        chunkFor(std::min<std::uint32_t>(client_.packetSize(), client_.replyLimit()));
    QByteArray bytes;
    nw::NWCCODE code = nw::kSuccess;
    for (;;) {
        const auto offset = std::uint32_t(bytes.size());
        const Outcome o = send(readFileRequest(file->handle, offset, chunk));
        const auto part = o.code ? std::nullopt : decodeReadFile(o.data, offset, chunk);
        if (!part || client_.sessionNumber() != session) {
            code = o.code ? o.code : kInvalidReplyLength;
            break;
        }
        bytes += *part;
        if (part->size() < chunk || bytes.size() > 0x7FFF0000)
            break;
    }
    if (client_.sessionNumber() == session)
        send(closeFileRequest(file->handle));
    if (code) {
        fail(error, path, code);
        return std::nullopt;
    }
    return bytes;
}

bool NcpVolumeFiles::writeNew(const QStringList& path, const QByteArray& bytes, nw::NWCCODE& code)
{
    const RootPath where = pathOf(path);
    const Outcome created = sendNamed(
        [&](std::uint8_t ns) { return openCreateRequest(ns, kCreateNew, kAccessWrite, where); });
    const auto file = created.code ? std::nullopt : decodeOpenCreate(created.data);
    if (!file) {
        code = created.code ? created.code : kInvalidReplyLength;
        return false;
    }
    const auto session = client_.sessionNumber();
    const std::uint16_t chunk = chunkFor(client_.packetSize());
    code = nw::kSuccess;
    for (qsizetype offset = 0; offset < bytes.size() && !code; offset += chunk) {
        const Outcome o =
            send(writeFileRequest(file->handle, std::uint32_t(offset), bytes.mid(offset, chunk)));
        code = o.code ? o.code : (client_.sessionNumber() != session ? nw::kInvalidConnection : 0);
    }
    if (client_.sessionNumber() == session) {
        const Outcome closed = send(closeFileRequest(file->handle));
        if (!code)
            code = closed.code;
    }
    return code == nw::kSuccess;
}

nw::NWCCODE NcpVolumeFiles::rename(const QStringList& from, const QStringList& to)
{
    const RootPath a = pathOf(from);
    const RootPath b = pathOf(to);
    return sendNamed([&](std::uint8_t ns) { return renameRequest(ns, a, b); }).code;
}

nw::NWCCODE NcpVolumeFiles::remove(const QStringList& path)
{
    const RootPath where = pathOf(path);
    return sendNamed([&](std::uint8_t ns) { return deleteRequest(ns, where); }).code;
}

bool NcpVolumeFiles::replace(const QStringList& path, const QByteArray& bytes, QString* error)
{
    if (path.isEmpty())
        return fail(error, path, nw::kInvalidPath);
    const QStringList fresh = freshName(path, "TMP");
    nw::NWCCODE code = nw::kSuccess;
    if (!writeNew(fresh, bytes, code)) {
        remove(fresh);
        return fail(error, path, code);
    }
    const auto old = entryAt(path);
    if (!old) {
        // Nothing to replace: the new entry takes the name.
        code = rename(fresh, path);
        if (code) {
            remove(fresh);
            return fail(error, path, code);
        }
        return true;
    }
    const QStringList aside = freshName(path, "OLD");
    code = rename(path, aside);
    if (code) {
        remove(fresh);
        return fail(error, path, code);
    }
    code = rename(fresh, path);
    if (code) {
        // Back under its own name, the file is as it was.
        rename(aside, path);
        remove(fresh);
        return fail(error, path, code);
    }
    // The file is in place; an old copy the server keeps is no harm to it.
    remove(aside);
    return true;
}

} // namespace ncp
