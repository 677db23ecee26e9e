// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The cryptographic messages of the directory-services login (NCP 104/2,
// verbs 57 to 60), both sides. The client proves its password to the server
// and receives its private key sealed under the password; it then proves to
// the connection that it holds that key, and the server proves it holds the
// server's. Numbers are little-endian; lengths are 32-bit little-endian.
//
// Password hash: the bindery's 16 shuffled bytes of the upper-cased password
// with the object's pseudo ID (the bindery object ID). Proof of the password:
// the login's 4-byte seed sealed under the hash.
//
// Sealed for the server (with its public key): a 56-byte block [11, 28
// random bytes, eleven 11s, a 5-byte and a 2-byte check value, 5 random
// bytes, 4 zeros] raised to the public exponent, and the data sealed under
// the 28 random bytes:
//   01 00 00 00 09 00 02 00, u32 length of the rest less 12,
//   41 00 00 00 01 00 00 00 01 00 09 00 35 00 1C 00, the 56 bytes,
//   u32 length, the sealed data.

#include "ncpauth/ds_key.h"

#include <QByteArray>

#include <array>
#include <optional>

namespace ncp {

class RandomSource;

using PasswordHash = std::array<std::uint8_t, 16>;

QByteArray passwordProof(const PasswordHash& hash, const QByteArray& seed);

std::optional<QByteArray> sealForServer(const DsPublicKey& server, const QByteArray& data,
                                        RandomSource& random);
std::optional<QByteArray> openFromClient(const DsPrivateKey& server, const QByteArray& message);

// Finish login (58), the client's part: [4 random bytes, u32 1024, 1024
// random bytes, u32 28, the password proof] sealed for the server. The
// random bytes come back, as the mask of the private key.
struct LoginRequest
{
    QByteArray payload;
    QByteArray nonce; // the first 4 random bytes
    QByteArray mask;  // the 1024 after them
    QByteArray proof; // the password proof sent
    void wipe();
};
std::optional<LoginRequest> makeLoginRequest(const DsPublicKey& server, const PasswordHash& hash,
                                             const QByteArray& seed, RandomSource& random);

// The server's part of a finish login: the client's nonce, mask and proof.
std::optional<LoginRequest> readLoginRequest(const DsPrivateKey& server, const QByteArray& payload);

// The key block of the reply (after its logindata and length): sealed under
// the proof, [nonce, u32 n, the private key as the server keeps it (sealed
// under the password hash) masked with the first n bytes of the mask].
std::optional<QByteArray> makeLoginKeyBlock(const LoginRequest& request,
                                            const QByteArray& sealedPrivateKey);
// The client's reading of it: the private key's blob; nullopt when anything
// does not hold (a wrong password shows here as a private key that does not
// open).
std::optional<QByteArray> openLoginKeyBlock(const LoginRequest& request, const PasswordHash& hash,
                                            const QByteArray& keyBlock);

// Begin authentication (59): the server answers the client's 4-byte seed
// with [u32 1, u32 0x00020009, u32 length, u32 length of the first part,
// the first part (u32 1, u32 0x000A0001, u16 length, u16 0, a 56-byte block
// like the one above raised to the server's private exponent), u32 28, the
// seed sealed under the block's 28 random bytes].
std::optional<QByteArray> makeServerProof(const DsPrivateKey& server, const QByteArray& seed,
                                          RandomSource& random);
bool checkServerProof(const DsPublicKey& server, const QByteArray& seed, const QByteArray& proof);

// Finish authentication (60). The login identity: [u32 1, u16 6, the
// logindata of finish login, 4 random bytes, u16 0, u16 name length, the
// object's distinguished name (UTF-16LE with its terminator)].
QByteArray loginIdentity(const QByteArray& loginData, const QByteArray& random4,
                         const QByteArray& nameUtf16);
struct IdentityParts
{
    QByteArray loginData;
    QByteArray nameUtf16;
};
std::optional<IdentityParts> readLoginIdentity(const QByteArray& identity);

// The proof that the client holds the user's private key (three rounds of
// Guillou-Quisquater over the identity's digest):
//   u32 1, u32 0x00100008, u16 3, u16 3 * size, three commitments r^e and
//   three answers s^c * r (size bytes each), where s is the digest signed
//   with the private key and the challenges c are 16-bit words of a digest
//   of [u32 0, u32 0x3C, the authentication ID, u32 length, the identity,
//   the commitments].
std::optional<QByteArray> makeIdentityProof(const DsPrivateKey& user, const QByteArray& authId,
                                            const QByteArray& identity, RandomSource& random);
bool checkIdentityProof(const DsPublicKey& user, const QByteArray& authId,
                        const QByteArray& identity, const QByteArray& proof);

} // namespace ncp
