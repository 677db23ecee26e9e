// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpauth/packet_signature.h"

#include <algorithm>
#include <cstring>

namespace ncp {
namespace {

constexpr std::array<std::uint8_t, 16> kInitialState = {
    0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF, 0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10};
constexpr char kClientText[] = "Authorized NetWare Client";

std::uint32_t rotl(std::uint32_t v, int n)
{
    return v << n | v >> (32 - n);
}

std::uint32_t le32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

void putLe32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = std::uint8_t(v >> (8 * i));
}

} // namespace

std::array<std::uint8_t, 16> compressBlock(const std::array<std::uint8_t, 16>& state,
                                           const std::array<std::uint8_t, 64>& block)
{
    std::array<std::uint32_t, 16> x{};
    for (std::size_t i = 0; i < 16; ++i)
        x[i] = le32(block.data() + 4 * i);
    const std::uint32_t a0 = le32(state.data()), b0 = le32(state.data() + 4),
                        c0 = le32(state.data() + 8), d0 = le32(state.data() + 12);
    std::uint32_t a = a0, b = b0, c = c0, d = d0;
    const auto f = [](std::uint32_t x, std::uint32_t y, std::uint32_t z) {
        return (x & y) | (~x & z);
    };
    const auto g = [](std::uint32_t x, std::uint32_t y, std::uint32_t z) {
        return (x & y) | (x & z) | (y & z);
    };
    const auto h = [](std::uint32_t x, std::uint32_t y, std::uint32_t z) { return x ^ y ^ z; };
    for (std::size_t i = 0; i < 16; i += 4) {
        a = rotl(a + f(b, c, d) + x[i], 3);
        d = rotl(d + f(a, b, c) + x[i + 1], 7);
        c = rotl(c + f(d, a, b) + x[i + 2], 11);
        b = rotl(b + f(c, d, a) + x[i + 3], 19);
    }
    for (std::size_t i = 0; i < 4; ++i) {
        a = rotl(a + g(b, c, d) + 0x5A827999u + x[i], 3);
        d = rotl(d + g(a, b, c) + 0x5A827999u + x[i + 4], 5);
        c = rotl(c + g(d, a, b) + 0x5A827999u + x[i + 8], 9);
        b = rotl(b + g(c, d, a) + 0x5A827999u + x[i + 12], 13);
    }
    constexpr std::array<std::size_t, 4> order = {0, 2, 1, 3};
    for (const std::size_t i : order) {
        a = rotl(a + h(b, c, d) + 0x6ED9EBA1u + x[i], 3);
        d = rotl(d + h(a, b, c) + 0x6ED9EBA1u + x[i + 8], 9);
        c = rotl(c + h(d, a, b) + 0x6ED9EBA1u + x[i + 4], 11);
        b = rotl(b + h(c, d, a) + 0x6ED9EBA1u + x[i + 12], 15);
    }
    std::array<std::uint8_t, 16> out{};
    putLe32(out.data(), a + a0);
    putLe32(out.data() + 4, b + b0);
    putLe32(out.data() + 8, c + c0);
    putLe32(out.data() + 12, d + d0);
    x.fill(0);
    return out;
}

SignRoot binderySignRoot(const std::array<std::uint8_t, 16>& shuffled,
                         const std::array<std::uint8_t, 8>& loginKey)
{
    std::array<std::uint8_t, 64> block{};
    std::copy(shuffled.begin(), shuffled.end(), block.begin());
    std::copy(loginKey.begin(), loginKey.end(), block.begin() + 16);
    std::memcpy(block.data() + 24, kClientText, sizeof kClientText - 1);
    const auto hash = compressBlock(kInitialState, block);
    block.fill(0);
    SignRoot root{};
    std::copy_n(hash.begin(), 8, root.begin());
    return root;
}

SignatureChain::SignatureChain(const SignRoot& root) : root_(root), last_(kInitialState) {}

SignatureChain::~SignatureChain()
{
    root_.fill(0);
    last_.fill(0);
}

std::array<std::uint8_t, 64> SignatureChain::block(std::span<const std::uint8_t> packet,
                                                   std::uint32_t frameLength) const
{
    std::array<std::uint8_t, 64> b{};
    std::copy(root_.begin(), root_.end(), b.begin());
    for (int i = 0; i < 4; ++i)
        b[8 + std::size_t(i)] = std::uint8_t(frameLength >> (24 - 8 * i));
    std::copy_n(packet.begin(), std::min<std::size_t>(packet.size(), 52), b.begin() + 12);
    return b;
}

Signature SignatureChain::signRequest(std::span<const std::uint8_t> packet,
                                      std::uint32_t frameLength)
{
    last_ = compressBlock(last_, block(packet, frameLength));
    Signature s{};
    std::copy_n(last_.begin(), 8, s.begin());
    return s;
}

Signature SignatureChain::signReply(std::span<const std::uint8_t> packet,
                                    std::uint32_t frameLength) const
{
    const auto hash = compressBlock(last_, block(packet, frameLength));
    Signature s{};
    std::copy_n(hash.begin(), 8, s.begin());
    return s;
}

} // namespace ncp
