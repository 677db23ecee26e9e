// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The records of NWScanOpenFilesByConn2 as the server's answer carries them and
// OPEN_FILE_CONN_CTRL keeps them between calls, little-endian: task u16, lock
// type, access control, lock flag, volume, parent entry u32, file entry u32,
// fork count, name space, name length and the name (at least one byte). One
// answer holds a first record and at most 512 bytes of further ones, which is
// what the control's buffer keeps.
//
// Every backend's call runs the same steps: hand out a kept record while there
// is one, otherwise ask its server for the next answer (from the control's
// next request) and take it with takeOpenFilesAnswer.

#include "netware/netware_client.h"

#include <QByteArray>

#include <cstddef>
#include <optional>
#include <span>

namespace nw {

inline constexpr std::size_t kOpenFileRecordFixed = 17;

std::size_t openFileRecordSize(const OPEN_FILE_CONN& file);
void appendOpenFileRecord(QByteArray& out, const OPEN_FILE_CONN& file);
// Reads the record at offset; the offset after it, or nullopt when the bytes
// there do not hold a whole record with a name.
std::optional<std::size_t> readOpenFileRecord(std::span<const std::uint8_t> bytes,
                                              std::size_t offset, OPEN_FILE_CONN& file);

// The start of a call: resets the control for iterHandle 0, hands out a kept
// record (its code, 0) or answers 0x88FF when the server has nothing more to
// give; nullopt: the caller asks its server for ctrl.nextRequest.
std::optional<NWCCODE> openFilesFromControl(std::int16_t& iterHandle, OPEN_FILE_CONN_CTRL& ctrl,
                                            OPEN_FILE_CONN& file);

// Takes one answer (its next request record, 0 for none, its record count and
// the records): hands out the first, keeps the rest. 0x88FF for an answer
// without records; nullopt when the records do not hold together (more or
// fewer than count, or more than the control can keep).
std::optional<NWCCODE> takeOpenFilesAnswer(std::uint16_t nextRequest, std::uint16_t count,
                                           std::span<const std::uint8_t> records,
                                           std::int16_t& iterHandle, OPEN_FILE_CONN_CTRL& ctrl,
                                           OPEN_FILE_CONN& file);

// The bytes of the records the control still keeps (for a server that passes
// a backend's answer on).
std::span<const std::uint8_t> keptOpenFileRecords(const OPEN_FILE_CONN_CTRL& ctrl);

} // namespace nw
