#include "ncpauth/login_messages.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "ncpauth/nw_hash.h"
#include "ncpauth/random_source.h"
#include "ncpauth/rsa_math.h"
#include "ncpauth/sealed_block.h"

namespace ncp {
namespace {

constexpr qsizetype kBlock = 56;   // the sealing block, as the directory's 420-bit keys take it
constexpr qsizetype kKeySeed = 28; // random bytes in it that key the sealed data
constexpr std::uint32_t kMaxMask = 4096;
const QByteArray kSealedHead = QByteArray::fromHex("0100000009000200");
const QByteArray kSealedMiddle = QByteArray::fromHex("41000000010000000100090035001c00");

std::uint8_t at(const QByteArray& b, qsizetype i)
{
    return std::uint8_t(b[i]);
}

// The 56-byte block whose 28 random bytes key what it comes with.
QByteArray keyBlock(RandomSource& random)
{
    QByteArray y(kBlock, '\0');
    y[0] = 11;
    const QByteArray seed = random.bytes(kKeySeed);
    y.replace(1, kKeySeed, seed);
    for (qsizetype i = 29; i < 40; ++i)
        y[i] = 11;
    auto* p = reinterpret_cast<std::uint8_t*>(y.data());
    shortHash(std::span(p + 40, 5), std::span<const std::uint8_t>(p + 1, 39));
    shortHash(std::span(p + 45, 2), std::span<const std::uint8_t>(p, 45));
    y.replace(47, 5, random.bytes(5));
    return y;
}

// The check values of such a block hold.
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

// The server's key must take a 56-byte block whole: between 417 and 448 bits.
bool blockFits(const DsPublicKey& key)
{
    const int bits = bitLength(key.modulus);
    return bits > 416 && bits <= kBlock * 8;
}

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
    for (std::uint8_t b = at(modulus, top); b; b = std::uint8_t(b >> 2))
        ++bits;
    return bits;
}

QByteArray sized(QByteArray n, qsizetype length)
{
    n = n.left(length);
    n.append(length - n.size(), '\0');
    return n;
}

QByteArray le16(std::uint16_t v)
{
    return WireWriter().u16le(v).take();
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
    if (!blockFits(server))
        return std::nullopt;
    QByteArray y = keyBlock(random);
    const auto c = powMod(y, server.exponent, server.modulus, kBlock);
    const QByteArray sealed = sealBlock(y.mid(1, kKeySeed), data);
    y.fill('\0');
    if (!c)
        return std::nullopt;
    WireWriter out;
    out.bytes(kSealedHead).u32le(std::uint32_t(sealed.size() + 76)).bytes(kSealedMiddle);
    out.bytes(*c).u32le(std::uint32_t(sealed.size())).bytes(sealed);
    return out.take();
}

std::optional<QByteArray> openFromClient(const DsPrivateKey& server, const QByteArray& message)
{
    WireReader in(message);
    const QByteArray head = in.byteArray(8);
    const std::uint32_t rest = in.u32le();
    const QByteArray middle = in.byteArray(16);
    const QByteArray c = in.byteArray(kBlock);
    const std::uint32_t length = in.u32le();
    const QByteArray sealed = in.byteArray(length);
    if (!in.ok() || head != kSealedHead || middle != kSealedMiddle || rest != length + 76)
        return std::nullopt;
    QByteArray y = privatePow(c, server, kBlock).value_or(QByteArray());
    const bool holds = keyBlockHolds(y);
    const QByteArray seed = y.mid(1, kKeySeed);
    y.fill('\0');
    if (!holds)
        return std::nullopt;
    return openBlock(seed, sealed);
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

std::optional<QByteArray> makeServerProof(const DsPrivateKey& server, const QByteArray& seed,
                                          RandomSource& random)
{
    if (!blockFits(server.pub))
        return std::nullopt;
    QByteArray y = keyBlock(random);
    const auto x = privatePow(y, server, kBlock);
    const QByteArray sealed = sealBlock(y.mid(1, kKeySeed), seed);
    y.fill('\0');
    if (!x)
        return std::nullopt;
    WireWriter first;
    first.u32le(1).u32le(0x000A0001).u16le(std::uint16_t(x->size())).u16le(0).bytes(*x);
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
    if (!in.ok() || in.position() > end || !blockFits(server) || directoryBits(x) < 385)
        return false;
    const qsizetype size = std::max<qsizetype>(kBlock, server.modulus.size());
    QByteArray y = powMod(x, server.exponent, server.modulus, size).value_or(QByteArray());
    const bool holds = keyBlockHolds(y);
    const QByteArray key = y.mid(1, kKeySeed);
    y.fill('\0');
    return holds && openBlock(key, sealed) == std::optional<QByteArray>(seed);
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

    Digest16 message;
    message.update(bytesOf(identity));
    const auto h = message.finish();
    const QByteArray digest(reinterpret_cast<const char*>(h.data()), 16);
    auto s = privatePow(digest, user, length);
    if (!s)
        return std::nullopt;

    Digest16 challenge;
    challenge.update(bytesOf(WireWriter().u32le(0).u32le(0x3C).bytes(authId).take()));
    challenge.update(bytesOf(WireWriter().u32le(std::uint32_t(identity.size())).take()));
    challenge.update(bytesOf(identity));
    std::array<QByteArray, 3> r;
    QByteArray commitments;
    for (QByteArray& ri : r) {
        ri = random.bytes(randomBytes);
        ri[randomBytes - 1] = char(at(ri, randomBytes - 1) & topMask);
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
        commitments += sized(*x, size);
    }
    challenge.update(bytesOf(commitments));
    const auto c = challenge.finish();
    QByteArray answers;
    for (std::size_t i = 0; i < 3; ++i) {
        const QByteArray ci = le16(std::uint16_t(c[2 * i] | c[2 * i + 1] << 8));
        const auto sc = powMod(*s, ci, n, length);
        const auto y = sc ? mulMod(*sc, r[i], n, length) : std::nullopt;
        if (!y)
            return std::nullopt;
        answers += sized(*y, size);
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
    Digest16 message;
    message.update(bytesOf(identity));
    const auto h = message.finish();
    const QByteArray digest(reinterpret_cast<const char*>(h.data()), 16);
    Digest16 challenge;
    challenge.update(bytesOf(WireWriter().u32le(0).u32le(0x3C).bytes(authId).take()));
    challenge.update(bytesOf(WireWriter().u32le(std::uint32_t(identity.size())).take()));
    challenge.update(bytesOf(identity));
    challenge.update(bytesOf(v[0] + v[1] + v[2]));
    const auto c = challenge.finish();
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
