// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The fields and numbers of directory services (NCP 104/2) that the client
// and the NCP server share: names go as UTF-16LE with a terminator; a sized
// field is a 32-bit little-endian length, that many bytes and zeros to a
// multiple of 4 (the last field of a message may leave them out).

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace ncp {

class WireReader;
class WireWriter;

// Verbs.
inline constexpr std::uint32_t kVerbResolveName = 1;
inline constexpr std::uint32_t kVerbReadEntryInfo = 2;
inline constexpr std::uint32_t kVerbRead = 3;
inline constexpr std::uint32_t kVerbServerName = 53;
inline constexpr std::uint32_t kVerbBeginLogin = 57;
inline constexpr std::uint32_t kVerbFinishLogin = 58;
inline constexpr std::uint32_t kVerbBeginAuthentication = 59;
inline constexpr std::uint32_t kVerbFinishAuthentication = 60;

// Directory errors; -1 to -255 mirror the bindery's completion codes.
inline constexpr std::int32_t kDsErrNoSuchEntry = -601;
inline constexpr std::int32_t kDsErrNoSuchAttribute = -603;
inline constexpr std::int32_t kDsErrInvalidRequest = -641;
inline constexpr std::int32_t kDsErrFailedAuthentication = -669;
inline constexpr std::int32_t kDsErrPasswordExpired = -223; // a grace login: it goes on
inline constexpr std::int32_t kDsErrSecureNcpViolation = -684;

// The attributes a login reads.
inline const QString kAttributePublicKey = QStringLiteral("Public Key");
inline const QString kAttributeGraceRemaining = QStringLiteral("Login Grace Remaining");

// UTF-16LE with its terminator.
QByteArray utf16z(const QString& text);
// The text of UTF-16LE with its terminator; nullopt without the terminator,
// with an odd size or with a NUL before the end.
std::optional<QString> fromUtf16z(const QByteArray& bytes);

// Writes a sized field: the length, the bytes and the zeros that bring the
// field (not the message) to a multiple of 4. Every field starts on such a
// multiple, so the message stays aligned.
void writeSized(WireWriter& out, const QByteArray& bytes);
// Reads a sized field, skipping its padding when the data holds it. Fails the
// reader when the length is above limit or beyond the data.
QByteArray readSized(WireReader& in, std::size_t limit);

} // namespace ncp
