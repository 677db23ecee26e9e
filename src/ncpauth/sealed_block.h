// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A sealed block: data encrypted under a key made from a secret (the block
// cipher keyed with cipherKeyFrom(secret)), after padding and a check value.
//
//   u32 LE 1, u16 LE 1, u16 LE 6, u16 LE sealed length, u16 LE data length,
//   then the sealed bytes: the data, n bytes of value n (1 to 8) so that
//   with the check value the length is a multiple of 8, and a 5-byte
//   shortHash of what precedes it.
//
// The directory login seals its proof of the password, the private key the
// server keeps, and each random key it sends under the server's public key.

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <span>

namespace ncp {

inline constexpr std::size_t kSealHeader = 12;

QByteArray sealBlock(std::span<const std::uint8_t> secret, const QByteArray& data);
QByteArray sealBlock(const QByteArray& secret, const QByteArray& data);

// The data of a sealed block that fills `block` exactly (trailing bytes are
// refused); nullopt when the header, the lengths or the check value do not
// hold.
std::optional<QByteArray> openBlock(std::span<const std::uint8_t> secret, const QByteArray& block);
std::optional<QByteArray> openBlock(const QByteArray& secret, const QByteArray& block);

// The bytes of a QByteArray as a span.
std::span<const std::uint8_t> bytesOf(const QByteArray& bytes);

} // namespace ncp
