// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Bindery requests: 23/17 (server version), 23/23 (login key), 23/53 (object
// ID by name), 23/24 (keyed login), 23/54 (object name by ID) and 23/61 (a
// property's value). Decoders
// take Request::data; encoders give the reply from offset 8.

#include "netware/netware_client.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <optional>

namespace ncpd {

inline constexpr std::uint16_t kObjectTypeUser = 1;

// 128 bytes: name 48, major, minor, then the counts big-endian.
QByteArray encodeVersionReply(const nw::VERSION_INFO& info);
QByteArray encodeLoginKeyReply(const std::array<std::uint8_t, 8>& key);

struct ObjectIdRequest // 23/53
{
    std::uint16_t type = 0;
    QByteArray name;
};
std::optional<ObjectIdRequest> decodeObjectId(const QByteArray& data);
// ID, type and name: the same record 23/54 answers.
QByteArray encodeObjectRecord(std::uint32_t id, std::uint16_t type, const QByteArray& name);

struct KeyedLoginRequest // 23/24
{
    std::array<std::uint8_t, 8> encrypted{};
    std::uint16_t type = 0;
    QByteArray name;
};
std::optional<KeyedLoginRequest> decodeKeyedLogin(const QByteArray& data);

struct ObjectNameRequest // 23/54
{
    std::uint32_t objectId = 0;
};
std::optional<ObjectNameRequest> decodeObjectName(const QByteArray& data);

} // namespace ncpd
