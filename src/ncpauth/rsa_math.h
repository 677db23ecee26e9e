// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The big-number arithmetic of the directory login, on OpenSSL's libcrypto
// (BIGNUM): modular powers, products and the private key's operation, on
// numbers held as little-endian bytes as the directory sends them. A result
// is nullopt when it cannot be had (a zero or even modulus, a result longer
// than the length asked for, memory).

#include "ncpauth/ds_key.h"

#include <QByteArray>

#include <optional>

namespace ncp {

class RandomSource;

// base^exponent mod modulus, as `length` bytes (zero-filled).
std::optional<QByteArray> powMod(const QByteArray& base, const QByteArray& exponent,
                                 const QByteArray& modulus, qsizetype length);
// a * b mod modulus, as `length` bytes.
std::optional<QByteArray> mulMod(const QByteArray& a, const QByteArray& b,
                                 const QByteArray& modulus, qsizetype length);
// base^d mod n with the private key's primes (CRT), as `length` bytes.
std::optional<QByteArray> privatePow(const QByteArray& base, const DsPrivateKey& key,
                                     qsizetype length);
// -1, 0 or 1 as a is less than, equal to or greater than b.
int compareNumbers(const QByteArray& a, const QByteArray& b);
// a - b for a >= b, as `length` bytes.
std::optional<QByteArray> subtract(const QByteArray& a, const QByteArray& b, qsizetype length);
// The number of bits of a number (0 for zero).
int bitLength(const QByteArray& number);
// A number as `length` bytes: zero-filled, or cut when longer.
QByteArray fixedLength(const QByteArray& number, qsizetype length);

// A new key pair of `bits` bits (even), public exponent 65537.
std::optional<DsPrivateKey> generateKeyPair(int bits = 420);

} // namespace ncp
