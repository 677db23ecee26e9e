// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The bindery's keyed login: the client never sends the password, only an
// answer to the server's 8-byte login key computed from it. The password is
// first shuffled with the object ID into 16 bytes (the server keeps the same
// 16 bytes), then those bytes and the key give the 8 bytes of 23/24.
//
// NetWare clients upper-case a bindery password before shuffling it; these
// functions take the bytes as given, so the caller decides.

#include <QByteArray>

#include <array>
#include <cstdint>

namespace ncp {

// objectId is the 32-bit ID from 23/53; its big-endian bytes (as on the wire)
// enter the shuffle. Trailing NUL bytes of the password do not count.
std::array<std::uint8_t, 16> shufflePassword(std::uint32_t objectId, const QByteArray& password);

// The 8 bytes a keyed login sends for this login key and shuffled password.
std::array<std::uint8_t, 8> encryptLoginKey(const std::array<std::uint8_t, 8>& key,
                                            const std::array<std::uint8_t, 16>& shuffled);

} // namespace ncp
