// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The 56-byte block the directory login seals random keys with: [11, 28
// random bytes, eleven 11s, a 5-byte and a 2-byte check value (shortHash of
// bytes 1 to 39 and of 0 to 44), 5 random bytes, 4 zeros], raised to a
// public or private exponent of a 420-bit key. Its 28 random bytes key what
// comes with it.

#include "ncpauth/ds_key.h"

#include <QByteArray>

#include <functional>
#include <optional>

namespace ncp {

class RandomSource;

inline constexpr qsizetype kKeyBlock = 56;
inline constexpr qsizetype kKeyBlockSeed = 28;

QByteArray makeKeyBlock(RandomSource& random);
// The check values hold (in the first 47 bytes).
bool keyBlockHolds(const QByteArray& block);
// The 28 bytes that key the data sealed with the block.
QByteArray keyBlockSeed(const QByteArray& block);
// A key takes such a block whole: between 417 and 448 bits.
bool keyBlockFits(const DsPublicKey& key);

// Data sealed with a new block, and the block raised by `raise` (to a key's
// exponent); nullopt when raise gives nothing. The block is wiped.
struct KeyBlockSeal
{
    QByteArray raised;
    QByteArray sealed;
};
std::optional<KeyBlockSeal>
sealWithKeyBlock(RandomSource& random, const QByteArray& data,
                 const std::function<std::optional<QByteArray>(const QByteArray& block)>& raise);
// What was sealed with a block (raised back to its own value); nullopt when
// the block's check values do not hold or the sealed data does not open. The
// block is wiped.
std::optional<QByteArray> openWithKeyBlock(QByteArray block, const QByteArray& sealed);

} // namespace ncp
