// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpauth/sealed_block.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "ncpauth/nw_cipher.h"
#include "ncpauth/nw_hash.h"

namespace ncp {
namespace {

constexpr std::size_t kCheckLength = 5;

} // namespace

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())};
}

QByteArray sealBlock(std::span<const std::uint8_t> secret, const QByteArray& data)
{
    QByteArray plain = data;
    const int pad = 8 - int((std::size_t(data.size()) + kCheckLength) % 8);
    plain.append(pad, char(pad));
    std::array<std::uint8_t, kCheckLength> check{};
    shortHash(check, bytesOf(plain));
    plain.append(reinterpret_cast<const char*>(check.data()), kCheckLength);
    const BlockCipher cipher(cipherKeyFrom(secret));
    const QByteArray sealed = *cipher.encryptChain(plain);
    plain.fill('\0');
    WireWriter out;
    out.u32le(1).u16le(1).u16le(6).u16le(std::uint16_t(sealed.size()));
    out.u16le(std::uint16_t(data.size())).bytes(sealed);
    return out.take();
}

QByteArray sealBlock(const QByteArray& secret, const QByteArray& data)
{
    return sealBlock(bytesOf(secret), data);
}

std::optional<QByteArray> openBlock(std::span<const std::uint8_t> secret, const QByteArray& block)
{
    WireReader in(block);
    const std::uint32_t version = in.u32le();
    const std::uint16_t kind = in.u16le();
    const std::uint16_t form = in.u16le();
    const std::uint16_t sealedLength = in.u16le();
    const std::uint16_t dataLength = in.u16le();
    if (!in.ok() || version != 1 || kind != 1 || form != 6 || sealedLength % 8 != 0 ||
        sealedLength < 8 || std::size_t(sealedLength) != in.remaining() ||
        std::size_t(dataLength) + kCheckLength > sealedLength)
        return std::nullopt;
    const BlockCipher cipher(cipherKeyFrom(secret));
    QByteArray plain = *cipher.decryptChain(block.mid(qsizetype(kSealHeader)));
    std::array<std::uint8_t, kCheckLength> check{};
    const qsizetype body = plain.size() - qsizetype(kCheckLength);
    shortHash(check, bytesOf(plain).first(std::size_t(body)));
    const bool good = std::equal(check.begin(), check.end(),
                                 reinterpret_cast<const std::uint8_t*>(plain.constData()) + body);
    QByteArray data = good ? plain.left(dataLength) : QByteArray();
    plain.fill('\0');
    if (!good)
        return std::nullopt;
    return data;
}

std::optional<QByteArray> openBlock(const QByteArray& secret, const QByteArray& block)
{
    return openBlock(bytesOf(secret), block);
}

} // namespace ncp
