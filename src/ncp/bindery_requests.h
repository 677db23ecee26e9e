// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Bindery requests: the server's version, the keyed login and object names.
// Decoders take the reply data (from offset 8) and refuse what does not have
// the layout's size or carries values that contradict the request.

#include "ncp/request_body.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <optional>

namespace ncp {

inline constexpr std::uint16_t kObjectTypeUser = 1;

RequestBody versionRequest(); // 23/17
struct ServerVersion
{
    QByteArray name;
    std::uint8_t major = 0;
    std::uint8_t minor = 0;
    std::array<std::uint8_t, 128> bytes{}; // the reply, as NWGetFileServerVersionInfo hands it out
};
std::optional<ServerVersion> decodeVersion(const QByteArray& data);

RequestBody loginKeyRequest(); // 23/23
std::optional<std::array<std::uint8_t, 8>> decodeLoginKey(const QByteArray& data);

RequestBody objectIdRequest(std::uint16_t type, const QByteArray& name); // 23/53
std::optional<std::uint32_t> decodeObjectId(const QByteArray& data);

RequestBody keyedLoginRequest(const std::array<std::uint8_t, 8>& encrypted, std::uint16_t type,
                              const QByteArray& name); // 23/24
bool decodeEmpty(const QByteArray& data);

// 23/61, one segment of a property's value (128 bytes).
RequestBody readPropertyRequest(std::uint16_t type, const QByteArray& object, std::uint8_t segment,
                                const QByteArray& property);
// The grace logins left, from the first segment of LOGIN_CONTROL (account
// expiry 3 bytes, disabled 1, password expiry 3, then the grace logins).
std::optional<int> decodeGraceLogins(const QByteArray& data);

RequestBody objectNameRequest(std::uint32_t objectId); // 23/54
struct ObjectName
{
    std::uint16_t type = 0;
    QByteArray name;
};
std::optional<ObjectName> decodeObjectName(const QByteArray& data, std::uint32_t objectId);

} // namespace ncp
