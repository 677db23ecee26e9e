// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/file_use_requests.h"

#include "ncp/file_requests.h"
#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

namespace ncp {

RequestBody pathEntryRequest(std::uint8_t dirHandle, const QByteArray& path)
{
    WireWriter w;
    w.u8(dirHandle).lengthPrefixed(path);
    return {0x17, 244, w.take()};
}

std::optional<PathEntry> decodePathEntry(const QByteArray& data)
{
    WireReader in(data);
    PathEntry e;
    e.volume = in.u8();
    e.directoryBase = in.u32le();
    if (!in.ok() || !in.atEnd())
        return std::nullopt;
    return e;
}

std::optional<PathEntry> decodeDirectoryEntry(const QByteArray& data)
{
    WireReader in(data);
    const auto entry = readEntry(in, false);
    if (entry && !in.atEnd())
        in.lengthPrefixed(); // the name, when it was asked for too
    if (!entry || !in.ok() || !in.atEnd() || entry->volume > 0xFF)
        return std::nullopt;
    PathEntry e;
    e.volume = std::uint8_t(entry->volume);
    e.directoryBase = entry->dosEntry;
    return e;
}

RequestBody connectionsUsingFileRequest(const PathEntry& entry, std::uint16_t lastRecord)
{
    WireWriter w;
    w.u8(0) // data stream
        .u8(entry.volume)
        .u32le(entry.directoryBase)
        .u16le(lastRecord);
    return {0x17, 236, w.take()};
}

std::optional<ConnectionsUsingFile> decodeConnectionsUsingFile(const QByteArray& data)
{
    WireReader in(data);
    ConnectionsUsingFile r;
    r.nextRecord = in.u16le();
    nw::CONN_USING_FILE_SUMMARY& s = r.summary;
    s.useCount = in.u16le();
    s.openCount = in.u16le();
    s.openForReadCount = in.u16le();
    s.openForWriteCount = in.u16le();
    s.denyReadCount = in.u16le();
    s.denyWriteCount = in.u16le();
    s.locked = in.u8();
    s.forkCount = in.u8();
    const std::uint16_t count = in.u16le();
    if (!in.ok() || count > nw::kMaxConnsPerBatch)
        return std::nullopt;
    r.connections.connCount = count;
    for (std::uint16_t i = 0; i < count; ++i) {
        nw::CONN_USING_FILE& c = r.connections.connInfo[i];
        c.connNumber = in.u16le();
        c.taskNumber = in.u16le();
        c.lockType = in.u8();
        c.accessControl = in.u8();
        c.lockFlag = in.u8();
    }
    if (!in.ok() || !in.atEnd())
        return std::nullopt;
    return r;
}

} // namespace ncp
