// SPDX-License-Identifier: GPL-3.0-or-later
// The authentication of a connection after a directory login (verbs 59 and
// 60): the server's proof of its key, the login identity and the client's
// proof that it holds the user's private key (see login_messages.h).

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "ncpauth/key_block.h"
#include "ncpauth/login_messages.h"
#include "ncpauth/nw_hash.h"
#include "ncpauth/random_source.h"
#include "ncpauth/rsa_math.h"
#include "ncpauth/sealed_block.h"

namespace ncp {
namespace {

// The novel bit count the directory's clients use to size a key's numbers:
// eight a byte below the top one, and one for every two bits of the top one.
int directoryBits(const QByteArray& modulus)
{
    qsizetype top = modulus.size() - 1;
    while (top > 0 && modulus[top] == '\0')
        --top;
    if (top < 0)
        return 0;
    int bits = int(top) * 8;
    for (auto b = std::uint8_t(modulus[top]); b; b = std::uint8_t(b >> 2))
        ++bits;
    return bits;
}

// The digest of a login identity: the number the user's private key signs.
QByteArray identityDigest(const QByteArray& identity)
{
    Digest16 message;
    message.update(bytesOf(identity));
    const auto h = message.finish();
    return QByteArray(reinterpret_cast<const char*>(h.data()), 16);
}

// The challenge of an identity proof, from the authentication ID, the
// identity and the proof's three commitments.
std::array<std::uint8_t, 16> identityChallenge(const QByteArray& authId, const QByteArray& identity,
                                               const QByteArray& commitments)
{
    Digest16 challenge;
    challenge.update(bytesOf(WireWriter().u32le(0).u32le(0x3C).bytes(authId).take()));
    challenge.update(bytesOf(WireWriter().u32le(std::uint32_t(identity.size())).take()));
    challenge.update(bytesOf(identity));
    challenge.update(bytesOf(commitments));
    return challenge.finish();
}

QByteArray le16(std::uint16_t v)
{
    return WireWriter().u16le(v).take();
}

} // namespace

std::optional<QByteArray> makeServerProof(const DsPrivateKey& server, const QByteArray& seed,
                                          RandomSource& random)
{
    if (!keyBlockFits(server.pub))
        return std::nullopt;
    const auto seal = sealWithKeyBlock(
        random, seed, [&server](const QByteArray& y) { return privatePow(y, server, kKeyBlock); });
    if (!seal)
        return std::nullopt;
    const QByteArray& x = seal->raised;
    const QByteArray& sealed = seal->sealed;
    WireWriter first;
    first.u32le(1).u32le(0x000A0001).u16le(std::uint16_t(x.size())).u16le(0).bytes(x);
    WireWriter body;
    body.u32le(std::uint32_t(first.size())).bytes(first.data());
    while (body.size() % 4)
        body.u8(0);
    body.u32le(std::uint32_t(sealed.size())).bytes(sealed);
    WireWriter out;
    out.u32le(1).u32le(0x00020009).u32le(std::uint32_t(body.size())).bytes(body.data());
    return out.take();
}

bool checkServerProof(const DsPublicKey& server, const QByteArray& seed, const QByteArray& proof)
{
    WireReader in(proof);
    const std::uint32_t version = in.u32le();
    const std::uint32_t kind = in.u32le();
    const std::uint32_t length = in.u32le();
    if (!in.ok() || version != 1 || kind != 0x00020009 || length > in.remaining())
        return false;
    const std::size_t end = in.position() + length;
    const std::uint32_t firstLength = in.u32le();
    const std::size_t firstEnd = in.position() + firstLength;
    const std::uint32_t firstVersion = in.u32le();
    const std::uint32_t firstKind = in.u32le();
    const std::uint16_t numberLength = in.u16le();
    in.skip(2);
    const QByteArray x = in.byteArray(numberLength);
    if (!in.ok() || firstVersion != 1 || firstKind != 0x000A0001 || in.position() > firstEnd ||
        firstEnd > end)
        return false;
    in.seek((firstEnd + 3) & ~std::size_t(3));
    const std::uint32_t sealedLength = in.u32le();
    const QByteArray sealed = in.byteArray(sealedLength);
    // The directory's clients take the number only when it rounds up to 52
    // bytes or more.
    if (!in.ok() || in.position() > end || !keyBlockFits(server) || directoryBits(x) < 385)
        return false;
    const qsizetype size = std::max<qsizetype>(kKeyBlock, server.modulus.size());
    return openWithKeyBlock(powMod(x, server.exponent, server.modulus, size).value_or(QByteArray()),
                            sealed) == std::optional<QByteArray>(seed);
}

QByteArray loginIdentity(const QByteArray& loginData, const QByteArray& random4,
                         const QByteArray& nameUtf16)
{
    WireWriter out;
    out.u32le(1).u16le(6).bytes(loginData).bytes(random4).u16le(0);
    out.u16le(std::uint16_t(nameUtf16.size())).bytes(nameUtf16);
    return out.take();
}

std::optional<IdentityParts> readLoginIdentity(const QByteArray& identity)
{
    WireReader in(identity);
    const std::uint32_t version = in.u32le();
    const std::uint16_t kind = in.u16le();
    IdentityParts parts;
    parts.loginData = in.byteArray(8);
    in.skip(4);
    in.skip(2);
    const std::uint16_t nameLength = in.u16le();
    parts.nameUtf16 = in.byteArray(nameLength);
    if (!in.ok() || !in.atEnd() || version != 1 || kind != 6)
        return std::nullopt;
    return parts;
}

std::optional<QByteArray> makeIdentityProof(const DsPrivateKey& user, const QByteArray& authId,
                                            const QByteArray& identity, RandomSource& random)
{
    const QByteArray& n = user.pub.modulus;
    const int bits = directoryBits(n);
    if (bits < 64 || authId.size() != 4)
        return std::nullopt;
    const qsizetype randomBytes = (bits + 7) >> 3;
    const std::uint8_t topMask = (bits & 7) ? std::uint8_t(0xFF >> (8 - (bits & 7))) : 0;
    const qsizetype size = ((bits + 31) & ~15) >> 3;
    const qsizetype length = std::max<qsizetype>(size, n.size());

    auto s = privatePow(identityDigest(identity), user, length);
    if (!s)
        return std::nullopt;

    std::array<QByteArray, 3> r;
    QByteArray commitments;
    for (QByteArray& ri : r) {
        ri = random.bytes(randomBytes);
        ri[randomBytes - 1] = char(std::uint8_t(ri[randomBytes - 1]) & topMask);
        // A number of the modulus or more is folded below it, as the
        // directory's clients do: n - 1 for n, n - (r - n) above it.
        if (const int order = compareNumbers(ri, n); order == 0) {
            ri = subtract(ri, QByteArray(1, '\1'), randomBytes).value_or(QByteArray());
        } else if (order > 0) {
            const auto over = subtract(ri, n, length);
            ri = over ? subtract(n, *over, length).value_or(QByteArray()) : QByteArray();
        }
        if (ri.isEmpty())
            return std::nullopt;
        const auto x = powMod(ri, user.pub.exponent, n, length);
        if (!x)
            return std::nullopt;
        commitments += fixedLength(*x, size);
    }
    const auto c = identityChallenge(authId, identity, commitments);
    QByteArray answers;
    for (std::size_t i = 0; i < 3; ++i) {
        const QByteArray ci = le16(std::uint16_t(c[2 * i] | c[2 * i + 1] << 8));
        const auto sc = powMod(*s, ci, n, length);
        const auto y = sc ? mulMod(*sc, r[i], n, length) : std::nullopt;
        if (!y)
            return std::nullopt;
        answers += fixedLength(*y, size);
        r[i].fill('\0');
    }
    s->fill('\0');
    WireWriter out;
    out.u32le(1).u32le(0x00100008).u16le(3).u16le(std::uint16_t(3 * size));
    out.bytes(commitments).bytes(answers);
    return out.take();
}

bool checkIdentityProof(const DsPublicKey& user, const QByteArray& authId,
                        const QByteArray& identity, const QByteArray& proof)
{
    WireReader in(proof);
    const std::uint32_t version = in.u32le();
    const std::uint32_t kind = in.u32le();
    const std::uint16_t rounds = in.u16le();
    const std::uint16_t numbersLength = in.u16le();
    const QByteArray& n = user.modulus;
    if (!in.ok() || version != 1 || kind != 0x00100008 || rounds != 3 || numbersLength % 3 != 0 ||
        in.remaining() != 2 * std::size_t(numbersLength) || bitLength(n) < 64)
        return false;
    const qsizetype size = numbersLength / 3;
    const qsizetype length = std::max<qsizetype>(size, n.size());
    std::array<QByteArray, 6> v;
    for (QByteArray& number : v) {
        number = in.byteArray(std::size_t(size));
        // Zero, or the modulus or more, would prove nothing.
        if (bitLength(number) == 0 || compareNumbers(number, n) >= 0)
            return false;
    }
    const QByteArray digest = identityDigest(identity);
    const auto c = identityChallenge(authId, identity, v[0] + v[1] + v[2]);
    for (std::size_t i = 0; i < 3; ++i) {
        const QByteArray ci = le16(std::uint16_t(c[2 * i] | c[2 * i + 1] << 8));
        const auto left = powMod(v[3 + i], user.exponent, n, length);
        const auto hc = powMod(digest, ci, n, length);
        const auto right = hc ? mulMod(v[i], *hc, n, length) : std::nullopt;
        if (!left || !right || *left != *right)
            return false;
    }
    return true;
}

} // namespace ncp
