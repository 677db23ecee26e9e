// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpauth/nw_cipher.h"

#include <algorithm>

namespace ncp {
namespace {

// RC2's permutation of the bytes, from the digits of pi (RFC 2268).
constexpr std::array<std::uint8_t, 256> kPi = {
    0xD9, 0x78, 0xF9, 0xC4, 0x19, 0xDD, 0xB5, 0xED, 0x28, 0xE9, 0xFD, 0x79, 0x4A, 0xA0, 0xD8, 0x9D,
    0xC6, 0x7E, 0x37, 0x83, 0x2B, 0x76, 0x53, 0x8E, 0x62, 0x4C, 0x64, 0x88, 0x44, 0x8B, 0xFB, 0xA2,
    0x17, 0x9A, 0x59, 0xF5, 0x87, 0xB3, 0x4F, 0x13, 0x61, 0x45, 0x6D, 0x8D, 0x09, 0x81, 0x7D, 0x32,
    0xBD, 0x8F, 0x40, 0xEB, 0x86, 0xB7, 0x7B, 0x0B, 0xF0, 0x95, 0x21, 0x22, 0x5C, 0x6B, 0x4E, 0x82,
    0x54, 0xD6, 0x65, 0x93, 0xCE, 0x60, 0xB2, 0x1C, 0x73, 0x56, 0xC0, 0x14, 0xA7, 0x8C, 0xF1, 0xDC,
    0x12, 0x75, 0xCA, 0x1F, 0x3B, 0xBE, 0xE4, 0xD1, 0x42, 0x3D, 0xD4, 0x30, 0xA3, 0x3C, 0xB6, 0x26,
    0x6F, 0xBF, 0x0E, 0xDA, 0x46, 0x69, 0x07, 0x57, 0x27, 0xF2, 0x1D, 0x9B, 0xBC, 0x94, 0x43, 0x03,
    0xF8, 0x11, 0xC7, 0xF6, 0x90, 0xEF, 0x3E, 0xE7, 0x06, 0xC3, 0xD5, 0x2F, 0xC8, 0x66, 0x1E, 0xD7,
    0x08, 0xE8, 0xEA, 0xDE, 0x80, 0x52, 0xEE, 0xF7, 0x84, 0xAA, 0x72, 0xAC, 0x35, 0x4D, 0x6A, 0x2A,
    0x96, 0x1A, 0xD2, 0x71, 0x5A, 0x15, 0x49, 0x74, 0x4B, 0x9F, 0xD0, 0x5E, 0x04, 0x18, 0xA4, 0xEC,
    0xC2, 0xE0, 0x41, 0x6E, 0x0F, 0x51, 0xCB, 0xCC, 0x24, 0x91, 0xAF, 0x50, 0xA1, 0xF4, 0x70, 0x39,
    0x99, 0x7C, 0x3A, 0x85, 0x23, 0xB8, 0xB4, 0x7A, 0xFC, 0x02, 0x36, 0x5B, 0x25, 0x55, 0x97, 0x31,
    0x2D, 0x5D, 0xFA, 0x98, 0xE3, 0x8A, 0x92, 0xAE, 0x05, 0xDF, 0x29, 0x10, 0x67, 0x6C, 0xBA, 0xC9,
    0xD3, 0x00, 0xE6, 0xCF, 0xE1, 0x9E, 0xA8, 0x2C, 0x63, 0x16, 0x01, 0x3F, 0x58, 0xE2, 0x89, 0xA9,
    0x0D, 0x38, 0x34, 0x1B, 0xAB, 0x33, 0xFF, 0xB0, 0xBB, 0x48, 0x0C, 0x5F, 0xB9, 0xB1, 0xCD, 0x2E,
    0xC5, 0xF3, 0xDB, 0x47, 0xE5, 0xA5, 0x9C, 0x77, 0x0A, 0xA6, 0x20, 0x68, 0xFE, 0x7F, 0xC1, 0xAD,
};

std::uint16_t rol(std::uint16_t v, int n)
{
    return std::uint16_t(v << n | v >> (16 - n));
}

std::uint16_t ror(std::uint16_t v, int n)
{
    return std::uint16_t(v >> n | v << (16 - n));
}

std::uint16_t word(const std::uint8_t* p)
{
    return std::uint16_t(p[0] | p[1] << 8);
}

void put(std::uint8_t* p, std::uint16_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

} // namespace

BlockCipher::BlockCipher(const std::array<std::uint8_t, 8>& key)
{
    // Key expansion with T = 8 bytes and 64 effective bits (T8 = 8, TM = 0xFF).
    std::array<std::uint8_t, 128> l{};
    std::copy(key.begin(), key.end(), l.begin());
    for (std::size_t i = 8; i < 128; ++i)
        l[i] = kPi[std::uint8_t(l[i - 1] + l[i - 8])];
    l[120] = kPi[l[120]];
    for (int i = 119; i >= 0; --i)
        l[std::size_t(i)] = kPi[l[std::size_t(i) + 1] ^ l[std::size_t(i) + 8]];
    for (std::size_t i = 0; i < 64; ++i)
        k_[i] = std::uint16_t(l[2 * i] | l[2 * i + 1] << 8);
    l.fill(0);
}

BlockCipher::~BlockCipher()
{
    k_.fill(0);
}

void BlockCipher::encrypt(const std::uint8_t* in, std::uint8_t* out) const
{
    std::array<std::uint16_t, 4> r = {word(in), word(in + 2), word(in + 4), word(in + 6)};
    std::size_t j = 0;
    // Five mixing rounds, a mash, six mixing rounds, a mash, five mixing rounds.
    for (int pass = 0; pass < 3; ++pass) {
        for (int round = pass == 1 ? 6 : 5; round > 0; --round) {
            r[0] = rol(std::uint16_t(r[0] + k_[j++] + (r[3] & r[2]) + (~r[3] & r[1])), 1);
            r[1] = rol(std::uint16_t(r[1] + k_[j++] + (r[0] & r[3]) + (~r[0] & r[2])), 2);
            r[2] = rol(std::uint16_t(r[2] + k_[j++] + (r[1] & r[0]) + (~r[1] & r[3])), 3);
            r[3] = rol(std::uint16_t(r[3] + k_[j++] + (r[2] & r[1]) + (~r[2] & r[0])), 5);
        }
        if (pass < 2)
            for (std::size_t i = 0; i < 4; ++i)
                r[i] = std::uint16_t(r[i] + k_[r[(i + 3) % 4] & 63]);
    }
    for (std::size_t i = 0; i < 4; ++i)
        put(out + 2 * i, r[i]);
}

void BlockCipher::decrypt(const std::uint8_t* in, std::uint8_t* out) const
{
    std::array<std::uint16_t, 4> r = {word(in), word(in + 2), word(in + 4), word(in + 6)};
    std::size_t j = 64;
    for (int pass = 0; pass < 3; ++pass) {
        for (int round = pass == 1 ? 6 : 5; round > 0; --round) {
            r[3] = std::uint16_t(ror(r[3], 5) - k_[--j] - (r[2] & r[1]) - (~r[2] & r[0]));
            r[2] = std::uint16_t(ror(r[2], 3) - k_[--j] - (r[1] & r[0]) - (~r[1] & r[3]));
            r[1] = std::uint16_t(ror(r[1], 2) - k_[--j] - (r[0] & r[3]) - (~r[0] & r[2]));
            r[0] = std::uint16_t(ror(r[0], 1) - k_[--j] - (r[3] & r[2]) - (~r[3] & r[1]));
        }
        if (pass < 2)
            for (int i = 3; i >= 0; --i)
                r[std::size_t(i)] =
                    std::uint16_t(r[std::size_t(i)] - k_[r[std::size_t(i + 3) % 4] & 63]);
    }
    for (std::size_t i = 0; i < 4; ++i)
        put(out + 2 * i, r[i]);
}

std::optional<QByteArray> BlockCipher::encryptChain(const QByteArray& data) const
{
    if (data.size() % 8 != 0)
        return std::nullopt;
    QByteArray out(data.size(), '\0');
    std::array<std::uint8_t, 8> chain{};
    const auto* in = reinterpret_cast<const std::uint8_t*>(data.constData());
    auto* o = reinterpret_cast<std::uint8_t*>(out.data());
    for (qsizetype at = 0; at < data.size(); at += 8) {
        for (std::size_t i = 0; i < 8; ++i)
            chain[i] ^= in[at + qsizetype(i)];
        encrypt(chain.data(), chain.data());
        std::copy(chain.begin(), chain.end(), o + at);
    }
    return out;
}

std::optional<QByteArray> BlockCipher::decryptChain(const QByteArray& data) const
{
    if (data.size() % 8 != 0)
        return std::nullopt;
    QByteArray out(data.size(), '\0');
    std::array<std::uint8_t, 8> previous{};
    const auto* in = reinterpret_cast<const std::uint8_t*>(data.constData());
    auto* o = reinterpret_cast<std::uint8_t*>(out.data());
    for (qsizetype at = 0; at < data.size(); at += 8) {
        decrypt(in + at, o + at);
        for (std::size_t i = 0; i < 8; ++i)
            o[at + qsizetype(i)] ^= previous[i];
        std::copy_n(in + at, 8, previous.begin());
    }
    return out;
}

} // namespace ncp
