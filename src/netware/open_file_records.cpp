// SPDX-License-Identifier: GPL-3.0-or-later
#include "netware/open_file_records.h"

#include <algorithm>
#include <cstring>

namespace nw {

std::size_t openFileRecordSize(const OPEN_FILE_CONN& file)
{
    return kOpenFileRecordFixed + file.nameLen;
}

void appendOpenFileRecord(QByteArray& out, const OPEN_FILE_CONN& file)
{
    const auto u8 = [&](std::uint8_t v) { out.append(char(v)); };
    const auto u16 = [&](std::uint16_t v) {
        u8(std::uint8_t(v));
        u8(std::uint8_t(v >> 8));
    };
    const auto u32 = [&](std::uint32_t v) {
        u16(std::uint16_t(v));
        u16(std::uint16_t(v >> 16));
    };
    u16(file.taskNumber);
    u8(file.lockType);
    u8(file.accessControl);
    u8(file.lockFlag);
    u8(file.volNumber);
    u32(file.parent);
    u32(file.dirEntry);
    u8(file.forkCount);
    u8(file.nameSpace);
    u8(file.nameLen);
    out.append(file.fileName.data(), file.nameLen);
}

std::optional<std::size_t> readOpenFileRecord(std::span<const std::uint8_t> bytes,
                                              std::size_t offset, OPEN_FILE_CONN& file)
{
    if (offset > bytes.size() || bytes.size() - offset < kOpenFileRecordFixed)
        return std::nullopt;
    const std::uint8_t* p = bytes.data() + offset;
    const std::size_t nameLen = p[16];
    if (nameLen == 0 || bytes.size() - offset - kOpenFileRecordFixed < nameLen)
        return std::nullopt;
    const auto u32 = [](const std::uint8_t* q) {
        return std::uint32_t(q[0]) | std::uint32_t(q[1]) << 8 | std::uint32_t(q[2]) << 16 |
               std::uint32_t(q[3]) << 24;
    };
    file.taskNumber = std::uint16_t(p[0] | p[1] << 8);
    file.lockType = p[2];
    file.accessControl = p[3];
    file.lockFlag = p[4];
    file.volNumber = p[5];
    file.parent = u32(p + 6);
    file.dirEntry = u32(p + 10);
    file.forkCount = p[14];
    file.nameSpace = p[15];
    file.nameLen = std::uint8_t(nameLen);
    file.fileName.fill('\0');
    std::memcpy(file.fileName.data(), p + kOpenFileRecordFixed, nameLen);
    return offset + kOpenFileRecordFixed + nameLen;
}

namespace {

// After a record is handed out: -1 once the last one has gone, so that the
// next call answers 0x88FF without asking.
void markPosition(std::int16_t& iterHandle, const OPEN_FILE_CONN_CTRL& ctrl)
{
    iterHandle = ctrl.openCount == 0 && ctrl.nextRequest == 0 ? -1 : 1;
}

} // namespace

std::optional<NWCCODE> openFilesFromControl(std::int16_t& iterHandle, OPEN_FILE_CONN_CTRL& ctrl,
                                            OPEN_FILE_CONN& file)
{
    if (iterHandle == 0) {
        ctrl = OPEN_FILE_CONN_CTRL{};
        return std::nullopt;
    }
    if (ctrl.openCount == 0)
        return ctrl.nextRequest == 0 ? std::optional(kNoMoreEntries) : std::nullopt;
    const auto next = readOpenFileRecord(ctrl.buffer, ctrl.curRecord, file);
    if (!next) {
        // The control was not left as the last call made it: nothing to give.
        ctrl = OPEN_FILE_CONN_CTRL{};
        return kNoMoreEntries;
    }
    ctrl.curRecord = std::uint16_t(*next);
    --ctrl.openCount;
    markPosition(iterHandle, ctrl);
    return kSuccess;
}

std::optional<NWCCODE> takeOpenFilesAnswer(std::uint16_t nextRequest, std::uint16_t count,
                                           std::span<const std::uint8_t> records,
                                           std::int16_t& iterHandle, OPEN_FILE_CONN_CTRL& ctrl,
                                           OPEN_FILE_CONN& file)
{
    ctrl = OPEN_FILE_CONN_CTRL{};
    if (count == 0)
        return records.empty() ? std::optional(kNoMoreEntries) : std::nullopt;
    const auto first = readOpenFileRecord(records, 0, file);
    if (!first)
        return std::nullopt;
    const std::span<const std::uint8_t> rest = records.subspan(*first);
    if (rest.size() > ctrl.buffer.size())
        return std::nullopt;
    // Every further record must be whole, and nothing may follow the last.
    std::size_t offset = 0;
    OPEN_FILE_CONN scratch;
    for (std::uint16_t i = 1; i < count; ++i) {
        const auto next = readOpenFileRecord(rest, offset, scratch);
        if (!next)
            return std::nullopt;
        offset = *next;
    }
    if (offset != rest.size())
        return std::nullopt;
    std::copy(rest.begin(), rest.end(), ctrl.buffer.begin());
    ctrl.openCount = std::uint16_t(count - 1);
    ctrl.nextRequest = nextRequest;
    markPosition(iterHandle, ctrl);
    return kSuccess;
}

std::span<const std::uint8_t> keptOpenFileRecords(const OPEN_FILE_CONN_CTRL& ctrl)
{
    if (ctrl.curRecord > ctrl.buffer.size())
        return {};
    std::size_t offset = ctrl.curRecord;
    OPEN_FILE_CONN scratch;
    for (std::uint16_t i = 0; i < ctrl.openCount; ++i) {
        const auto next = readOpenFileRecord(ctrl.buffer, offset, scratch);
        if (!next)
            break;
        offset = *next;
    }
    return std::span<const std::uint8_t>(ctrl.buffer)
        .subspan(ctrl.curRecord, offset - ctrl.curRecord);
}

} // namespace nw
