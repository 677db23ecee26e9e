// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The block cipher of the directory-services login: RC2 (RFC 2268) with a
// key of 8 bytes and 64 effective bits, on blocks of 8 bytes, chained (CBC)
// from an all-zero start.

#include <QByteArray>

#include <array>
#include <cstdint>
#include <optional>

namespace ncp {

class BlockCipher
{
public:
    explicit BlockCipher(const std::array<std::uint8_t, 8>& key);
    ~BlockCipher();
    BlockCipher(const BlockCipher&) = delete;
    BlockCipher& operator=(const BlockCipher&) = delete;

    void encrypt(const std::uint8_t* in, std::uint8_t* out) const;
    void decrypt(const std::uint8_t* in, std::uint8_t* out) const;

    // Chained over whole blocks; nullopt when the length is not a multiple of 8.
    std::optional<QByteArray> encryptChain(const QByteArray& data) const;
    std::optional<QByteArray> decryptChain(const QByteArray& data) const;

private:
    std::array<std::uint16_t, 64> k_{};
};

} // namespace ncp
