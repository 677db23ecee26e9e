// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpauth/key_block.h"

#include "ncpauth/nw_hash.h"
#include "ncpauth/random_source.h"
#include "ncpauth/rsa_math.h"
#include "ncpauth/sealed_block.h"

#include <algorithm>

namespace ncp {

QByteArray makeKeyBlock(RandomSource& random)
{
    QByteArray y(kKeyBlock, '\0');
    y[0] = 11;
    y.replace(1, kKeyBlockSeed, random.bytes(kKeyBlockSeed));
    for (qsizetype i = 29; i < 40; ++i)
        y[i] = 11;
    auto* p = reinterpret_cast<std::uint8_t*>(y.data());
    shortHash(std::span(p + 40, 5), std::span<const std::uint8_t>(p + 1, 39));
    shortHash(std::span(p + 45, 2), std::span<const std::uint8_t>(p, 45));
    y.replace(47, 5, random.bytes(5));
    return y;
}

bool keyBlockHolds(const QByteArray& y)
{
    if (y.size() < 47)
        return false;
    std::array<std::uint8_t, 7> check{};
    const auto* p = reinterpret_cast<const std::uint8_t*>(y.constData());
    shortHash(std::span(check.data(), 5), std::span<const std::uint8_t>(p + 1, 39));
    shortHash(std::span(check.data() + 5, 2), std::span<const std::uint8_t>(p, 45));
    return std::equal(check.begin(), check.end(), p + 40);
}

QByteArray keyBlockSeed(const QByteArray& block)
{
    return block.mid(1, kKeyBlockSeed);
}

bool keyBlockFits(const DsPublicKey& key)
{
    const int bits = bitLength(key.modulus);
    return bits > 416 && bits <= kKeyBlock * 8;
}

std::optional<KeyBlockSeal>
sealWithKeyBlock(RandomSource& random, const QByteArray& data,
                 const std::function<std::optional<QByteArray>(const QByteArray& block)>& raise)
{
    QByteArray y = makeKeyBlock(random);
    const auto raised = raise(y);
    const QByteArray sealed = sealBlock(keyBlockSeed(y), data);
    y.fill('\0');
    if (!raised)
        return std::nullopt;
    return KeyBlockSeal{*raised, sealed};
}

std::optional<QByteArray> openWithKeyBlock(QByteArray block, const QByteArray& sealed)
{
    const bool holds = keyBlockHolds(block);
    const QByteArray seed = keyBlockSeed(block);
    block.fill('\0');
    if (!holds)
        return std::nullopt;
    return openBlock(seed, sealed);
}

} // namespace ncp
