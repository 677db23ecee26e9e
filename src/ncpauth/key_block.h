// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The 56-byte block the directory login seals random keys with: [11, 28
// random bytes, eleven 11s, a 5-byte and a 2-byte check value (shortHash of
// bytes 1 to 39 and of 0 to 44), 5 random bytes, 4 zeros], raised to a
// public or private exponent of a 420-bit key. Its 28 random bytes key what
// comes with it.

#include "ncpauth/ds_key.h"

#include <QByteArray>

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

} // namespace ncp
