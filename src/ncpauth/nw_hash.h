// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The two hashes of the directory-services login, both built on one table
// of 256 bytes:
//  - shortHash folds any number of bytes into a short buffer (5, 7 or 8
//    bytes here): a check value on sealed blocks and keys, and, folded ten
//    times into 8 bytes, the key of the block cipher from a secret;
//  - Digest16 is a 16-byte digest in the style of MD2 (a 48-byte state,
//    eighteen rounds a block, a running checksum fed last): the value a
//    login proof signs, and the source of its challenges.

#include <array>
#include <cstdint>
#include <span>

namespace ncp {

// Folds data into state (whose bytes the caller sets first, usually to 0).
void shortHash(std::span<std::uint8_t> state, std::span<const std::uint8_t> data);

// The cipher key made from a secret: eight zero bytes, the secret folded in
// ten times.
std::array<std::uint8_t, 8> cipherKeyFrom(std::span<const std::uint8_t> secret);

class Digest16
{
public:
    Digest16();
    void update(std::span<const std::uint8_t> data);
    // Pads, feeds the checksum and returns the digest; the object is spent.
    std::array<std::uint8_t, 16> finish();

private:
    void add(std::uint8_t byte);

    std::array<std::uint8_t, 48> state_{};    // 16 digest, 16 input, 16 mix
    std::array<std::uint8_t, 16> checksum_{}; // running checksum
    std::uint8_t count_ = 0;                  // input bytes in the block so far
    std::uint8_t last_ = 0;                   // last checksum byte written
};

} // namespace ncp
