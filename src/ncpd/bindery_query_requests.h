// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Bindery queries: 23/55 (scan objects), 23/60 (scan an object's
// properties), 23/61 (read a property's value), 23/70 (the connection's
// bindery access level) and 23/27 (the connections an object is logged in
// on). IDs, types and instances are big-endian; connection numbers
// little-endian. Decoders take Request::data; encoders give the reply from
// offset 8.

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

namespace ncpd {

inline constexpr std::uint32_t kScanFirst = 0xFFFFFFFF;
inline constexpr std::uint16_t kAnyObjectType = 0xFFFF;

struct ScanObjectRequest // 23/55
{
    std::uint32_t lastId = kScanFirst;
    std::uint16_t type = kAnyObjectType;
    QByteArray pattern;
};
std::optional<ScanObjectRequest> decodeScanObject(const QByteArray& data);
// ID, type, name in 48 bytes, flags, security, 0xFF when it has properties.
QByteArray encodeScanObjectReply(std::uint32_t id, std::uint16_t type, const QByteArray& name,
                                 std::uint8_t flags, std::uint8_t security, bool hasProperties);

struct ScanPropertyRequest // 23/60
{
    std::uint16_t type = 0;
    QByteArray object;
    std::uint32_t lastInstance = kScanFirst;
    QByteArray pattern;
};
std::optional<ScanPropertyRequest> decodeScanProperty(const QByteArray& data);
// Name in 16 bytes, flags, security, the instance to continue from, 0xFF when
// it has a value, 0xFF when more properties follow.
QByteArray encodeScanPropertyReply(const QByteArray& name, std::uint8_t flags,
                                   std::uint8_t security, std::uint32_t instance, bool hasValue,
                                   bool more);

struct ReadPropertyRequest // 23/61
{
    std::uint16_t type = 0;
    QByteArray object;
    std::uint8_t segment = 1; // from 1
    QByteArray property;
};
std::optional<ReadPropertyRequest> decodeReadProperty(const QByteArray& data);
// One 128-byte segment, 0xFF when more follow, the property's flags.
QByteArray encodeReadPropertyReply(const QByteArray& segment, bool more, std::uint8_t flags);

// 23/70 has no data: the access level and the logged-in object's ID.
QByteArray encodeAccessLevelReply(std::uint8_t level, std::uint32_t objectId);

} // namespace ncpd
