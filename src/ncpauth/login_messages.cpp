// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpauth/login_messages.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "ncpauth/key_block.h"
#include "ncpauth/random_source.h"
#include "ncpauth/rsa_math.h"
#include "ncpauth/sealed_block.h"

namespace ncp {
namespace {

constexpr std::uint32_t kMaxMask = 4096;
const QByteArray kSealedHead = QByteArray::fromHex("0100000009000200");
const QByteArray kSealedMiddle = QByteArray::fromHex("41000000010000000100090035001c00");

// A sealed block at the reader's position (header and sealed bytes); empty
// when it does not fit.
QByteArray sealedAt(WireReader& in)
{
    const std::size_t start = in.position();
    in.skip(8);
    const std::uint16_t length = in.u16le();
    in.skip(2);
    in.skip(length);
    if (!in.ok())
        return {};
    in.seek(start);
    return in.byteArray(kSealHeader + length);
}

} // namespace

void LoginRequest::wipe()
{
    for (QByteArray* b : {&payload, &nonce, &mask, &proof})
        b->fill('\0');
}

QByteArray passwordProof(const PasswordHash& hash, const QByteArray& seed)
{
    return sealBlock(hash, seed);
}

std::optional<QByteArray> sealForServer(const DsPublicKey& server, const QByteArray& data,
                                        RandomSource& random)
{
    if (!keyBlockFits(server))
        return std::nullopt;
    const auto seal = sealWithKeyBlock(random, data, [&server](const QByteArray& y) {
        return powMod(y, server.exponent, server.modulus, kKeyBlock);
    });
    if (!seal)
        return std::nullopt;
    WireWriter out;
    out.bytes(kSealedHead).u32le(std::uint32_t(seal->sealed.size() + 76)).bytes(kSealedMiddle);
    out.bytes(seal->raised).u32le(std::uint32_t(seal->sealed.size())).bytes(seal->sealed);
    return out.take();
}

std::optional<QByteArray> openFromClient(const DsPrivateKey& server, const QByteArray& message)
{
    WireReader in(message);
    const QByteArray head = in.byteArray(8);
    const std::uint32_t rest = in.u32le();
    const QByteArray middle = in.byteArray(16);
    const QByteArray c = in.byteArray(kKeyBlock);
    const std::uint32_t length = in.u32le();
    const QByteArray sealed = in.byteArray(length);
    if (!in.ok() || head != kSealedHead || middle != kSealedMiddle || rest != length + 76)
        return std::nullopt;
    return openWithKeyBlock(privatePow(c, server, kKeyBlock).value_or(QByteArray()), sealed);
}

std::optional<LoginRequest> makeLoginRequest(const DsPublicKey& server, const PasswordHash& hash,
                                             const QByteArray& seed, RandomSource& random)
{
    LoginRequest r;
    r.nonce = random.bytes(4);
    r.mask = random.bytes(1024);
    r.proof = passwordProof(hash, seed);
    WireWriter plain;
    plain.bytes(r.nonce).u32le(std::uint32_t(r.mask.size())).bytes(r.mask);
    plain.u32le(std::uint32_t(r.proof.size())).bytes(r.proof);
    QByteArray data = plain.take();
    const auto payload = sealForServer(server, data, random);
    data.fill('\0');
    if (!payload)
        return std::nullopt;
    r.payload = *payload;
    return r;
}

std::optional<LoginRequest> readLoginRequest(const DsPrivateKey& server, const QByteArray& payload)
{
    auto data = openFromClient(server, payload);
    if (!data)
        return std::nullopt;
    WireReader in(*data);
    LoginRequest r;
    r.nonce = in.byteArray(4);
    const std::uint32_t maskLength = in.u32le();
    if (maskLength > kMaxMask)
        in.fail();
    r.mask = in.byteArray(maskLength);
    const std::uint32_t proofLength = in.u32le();
    if (proofLength > kMaxMask)
        in.fail();
    r.proof = in.byteArray(proofLength);
    const bool ok = in.ok() && in.atEnd();
    data->fill('\0');
    if (!ok)
        return std::nullopt;
    return r;
}

std::optional<QByteArray> makeLoginKeyBlock(const LoginRequest& request,
                                            const QByteArray& sealedPrivateKey)
{
    if (sealedPrivateKey.size() > request.mask.size())
        return std::nullopt;
    QByteArray masked = sealedPrivateKey;
    for (qsizetype i = 0; i < masked.size(); ++i)
        masked[i] = char(masked[i] ^ request.mask[i]);
    WireWriter plain;
    plain.bytes(request.nonce).u32le(std::uint32_t(masked.size())).bytes(masked);
    return sealBlock(request.proof, plain.take());
}

std::optional<QByteArray> openLoginKeyBlock(const LoginRequest& request, const PasswordHash& hash,
                                            const QByteArray& keyBlock)
{
    WireReader block(keyBlock);
    auto plain = openBlock(request.proof, sealedAt(block));
    if (!plain)
        return std::nullopt;
    WireReader in(*plain);
    const QByteArray nonce = in.byteArray(4);
    const std::uint32_t length = in.u32le();
    if (!in.ok() || nonce != request.nonce || length > std::size_t(request.mask.size()) ||
        length > in.remaining()) {
        plain->fill('\0');
        return std::nullopt;
    }
    QByteArray inner = in.byteArray(length);
    plain->fill('\0');
    for (qsizetype i = 0; i < inner.size(); ++i)
        inner[i] = char(inner[i] ^ request.mask[i]);
    WireReader sealed(inner);
    auto blob = openBlock(hash, sealedAt(sealed));
    inner.fill('\0');
    return blob;
}

} // namespace ncp
