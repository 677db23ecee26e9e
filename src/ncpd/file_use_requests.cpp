// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/file_use_requests.h"

#include "ncp/wire_writer.h"
#include "ncpd/request_text.h"

#include <algorithm>

namespace ncpd {

std::optional<PathToEntryRequest> decodePathToEntry(const QByteArray& data)
{
    ncp::WireReader in(data);
    PathToEntryRequest r;
    r.dirHandle = in.u8();
    r.path = readText(in);
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodePathToEntryReply(std::uint8_t volume, std::uint32_t entry)
{
    ncp::WireWriter out;
    out.u8(volume).u32le(entry);
    return out.take();
}

std::optional<ConnsUsingFileRequest> decodeConnsUsingFile(const QByteArray& data)
{
    ncp::WireReader in(data);
    ConnsUsingFileRequest r;
    r.dataStream = in.u8();
    r.volume = in.u8();
    r.directoryBase = in.u32le();
    r.lastRecord = in.u16le();
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeConnsUsingFileReply(std::uint16_t nextRecord,
                                     const nw::CONN_USING_FILE_SUMMARY& summary,
                                     const nw::CONNS_USING_FILE& entries)
{
    const std::uint16_t count =
        std::min<std::uint16_t>(entries.connCount, std::uint16_t(entries.connInfo.size()));
    ncp::WireWriter out;
    out.u16le(nextRecord)
        .u16le(summary.useCount)
        .u16le(summary.openCount)
        .u16le(summary.openForReadCount)
        .u16le(summary.openForWriteCount)
        .u16le(summary.denyReadCount)
        .u16le(summary.denyWriteCount)
        .u8(summary.locked)
        .u8(summary.forkCount)
        .u16le(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        const nw::CONN_USING_FILE& e = entries.connInfo[i];
        out.u16le(e.connNumber)
            .u16le(e.taskNumber)
            .u8(e.lockType)
            .u8(e.accessControl)
            .u8(e.lockFlag);
    }
    return out.take();
}

std::optional<ClearFileLockRequest> decodeClearFileLock(const QByteArray& data)
{
    ncp::WireReader in(data);
    ClearFileLockRequest r;
    r.dirHandle = in.u8();
    r.path = readText(in);
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

std::optional<ClearLockSetRequest> decodeClearLockSet(const QByteArray& data)
{
    ncp::WireReader in(data);
    ClearLockSetRequest r;
    r.lockFlag = in.u8();
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

} // namespace ncpd
