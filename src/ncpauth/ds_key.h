// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Key pairs of the directory (RSA, of 420 bits as the directory makes them)
// in the form servers keep and send them: a header, then tagged chunks (a
// two-letter tag, a 16-bit length, the bytes), numbers little-endian:
//   BV "1.7b", BC 3 (public) or 4 (private), BA 48, BL the key's bits,
//   NN modulus, EN public exponent, and in a private key PN, QN (the primes,
//   PN the larger), DP, DQ (the private exponent modulo each less one), CR
//   (QN's inverse modulo PN); then MA, a shortHash of the chunks before it,
//   and 8 closing bytes (the chunks' length and "PURSAF" or "PRRSAF").
// A public key starts 01 00 00 00 03 00 01 00 and a 16-bit length; a
// private key as the server keeps and sends it 01 00 00 00 02 00 and a
// 16-bit length.

#include <QByteArray>

#include <optional>

namespace ncp {

struct DsPublicKey
{
    QByteArray modulus;  // little-endian
    QByteArray exponent; // little-endian
    int bits = 0;        // the length the key says it has (BL)
};

struct DsPrivateKey
{
    DsPublicKey pub;
    QByteArray p, q, dp, dq, qInverse; // little-endian
    void wipe();
};

QByteArray encodePublicKey(const DsPrivateKey& key);
QByteArray encodePrivateKey(const DsPrivateKey& key);

// nullopt when the header, a chunk or the check value does not hold, or a
// number is missing.
std::optional<DsPublicKey> decodePublicKey(const QByteArray& blob);
std::optional<DsPrivateKey> decodePrivateKey(const QByteArray& blob);

// The "Public Key" attribute's value: a prefix of 26 bytes and more (their
// number at offset 10) before the key. Servers send the prefix; its meaning
// is not needed to log in, and quorvex-ncpd sends zeros.
QByteArray publicKeyAttribute(const QByteArray& publicBlob);
std::optional<QByteArray> publicBlobOfAttribute(const QByteArray& attribute);

} // namespace ncp
