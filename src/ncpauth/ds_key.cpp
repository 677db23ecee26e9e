// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpauth/ds_key.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "ncpauth/nw_hash.h"
#include "ncpauth/rsa_math.h"
#include "ncpauth/sealed_block.h"

#include <map>

namespace ncp {
namespace {

constexpr std::uint16_t tag(char a, char b)
{
    return std::uint16_t(std::uint8_t(a) << 8 | std::uint8_t(b));
}

constexpr qsizetype kAttributePrefix = 26;
constexpr qsizetype kTrailer = 8;

int significantBytes(const QByteArray& number)
{
    int n = int(number.size());
    while (n > 0 && number[n - 1] == '\0')
        --n;
    return n;
}

// The chunks of a key and its check value and closing bytes.
QByteArray chunks(const DsPrivateKey& key, bool withPrivate)
{
    const int bits = key.pub.bits;
    const qsizetype bytes = (bits / 2 / 16 + 1) * 2;
    WireWriter c;
    const auto chunk = [&c](std::uint16_t t, const QByteArray& v) {
        c.u16be(t).u16le(std::uint16_t(v.size())).bytes(v);
    };
    chunk(tag('B', 'V'), "1.7b");
    chunk(tag('B', 'C'), QByteArray(1, char(withPrivate ? 4 : 3)));
    chunk(tag('B', 'A'), QByteArray(1, char(48)));
    chunk(tag('B', 'L'), WireWriter().u16le(std::uint16_t(bits)).take());
    chunk(tag('N', 'N'), fixedLength(key.pub.modulus, bytes * 2));
    chunk(tag('E', 'N'), fixedLength(key.pub.exponent, significantBytes(key.pub.exponent) + 2));
    if (withPrivate) {
        chunk(tag('P', 'N'), fixedLength(key.p, bytes));
        chunk(tag('Q', 'N'), fixedLength(key.q, bytes));
        chunk(tag('D', 'P'), fixedLength(key.dp, bytes));
        chunk(tag('D', 'Q'), fixedLength(key.dq, bytes));
        chunk(tag('C', 'R'), fixedLength(key.qInverse, bytes));
    }
    std::array<std::uint8_t, 8> check{};
    shortHash(check, bytesOf(c.data()));
    chunk(tag('M', 'A'), QByteArray(reinterpret_cast<const char*>(check.data()), 8));
    const auto length = std::uint16_t(c.size());
    c.u16le(length).bytes(QByteArray(withPrivate ? "PRRSAF" : "PURSAF"));
    return c.take();
}

// The chunks of a key by tag, their check value verified.
std::optional<std::map<std::uint16_t, QByteArray>> readChunks(const QByteArray& body)
{
    // The closing bytes are not chunks.
    QByteArray list = body;
    if (list.endsWith("PURSAF") || list.endsWith("PRRSAF"))
        list.chop(kTrailer);
    std::map<std::uint16_t, QByteArray> found;
    WireReader in(list);
    std::optional<std::size_t> checked;
    while (in.ok() && !in.atEnd()) {
        const std::size_t at = in.position();
        const std::uint16_t t = in.u16be();
        const std::uint16_t length = in.u16le();
        const QByteArray value = in.byteArray(length);
        if (!in.ok())
            return std::nullopt;
        if (t == tag('M', 'A') && !checked)
            checked = at;
        found.emplace(t, value);
    }
    const auto check = found.find(tag('M', 'A'));
    if (!checked || check == found.end() || check->second.size() != 8)
        return std::nullopt;
    std::array<std::uint8_t, 8> expected{};
    shortHash(expected, bytesOf(list).first(*checked));
    if (QByteArray(reinterpret_cast<const char*>(expected.data()), 8) != check->second)
        return std::nullopt;
    return found;
}

std::optional<DsPublicKey> publicPart(const std::map<std::uint16_t, QByteArray>& c)
{
    const auto n = c.find(tag('N', 'N'));
    const auto e = c.find(tag('E', 'N'));
    if (n == c.end() || e == c.end() || significantBytes(n->second) == 0 ||
        significantBytes(e->second) == 0)
        return std::nullopt;
    DsPublicKey key;
    key.modulus = n->second;
    key.exponent = e->second;
    if (const auto bl = c.find(tag('B', 'L')); bl != c.end() && bl->second.size() == 2)
        key.bits = std::uint8_t(bl->second[0]) | std::uint8_t(bl->second[1]) << 8;
    return key;
}

} // namespace

void DsPrivateKey::wipe()
{
    for (QByteArray* b : {&p, &q, &dp, &dq, &qInverse})
        b->fill('\0');
}

QByteArray encodePublicKey(const DsPrivateKey& key)
{
    const QByteArray body = chunks(key, false);
    WireWriter out;
    out.u32le(1).u16le(3).u16le(1).u16le(std::uint16_t(body.size())).bytes(body);
    return out.take();
}

QByteArray encodePrivateKey(const DsPrivateKey& key)
{
    QByteArray body = chunks(key, true);
    WireWriter out;
    out.u32le(1).u16le(2).u16le(std::uint16_t(body.size())).bytes(body);
    body.fill('\0');
    return out.take();
}

std::optional<DsPublicKey> decodePublicKey(const QByteArray& blob)
{
    WireReader in(blob);
    const std::uint32_t version = in.u32le();
    const std::uint16_t kind = in.u16le();
    const std::uint16_t form = in.u16le();
    const std::uint16_t length = in.u16le();
    if (!in.ok() || version != 1 || kind != 3 || form != 1 || length > in.remaining())
        return std::nullopt;
    const auto c = readChunks(in.byteArray(length));
    return c ? publicPart(*c) : std::nullopt;
}

std::optional<DsPrivateKey> decodePrivateKey(const QByteArray& blob)
{
    WireReader in(blob);
    const std::uint32_t version = in.u32le();
    const std::uint16_t kind = in.u16le();
    const std::uint16_t length = in.u16le();
    if (!in.ok() || version != 1 || kind != 2 || length > in.remaining())
        return std::nullopt;
    const auto c = readChunks(in.byteArray(length));
    if (!c)
        return std::nullopt;
    const auto pub = publicPart(*c);
    if (!pub)
        return std::nullopt;
    DsPrivateKey key;
    key.pub = *pub;
    for (const auto& [t, field] :
         {std::pair{tag('P', 'N'), &key.p}, std::pair{tag('Q', 'N'), &key.q},
          std::pair{tag('D', 'P'), &key.dp}, std::pair{tag('D', 'Q'), &key.dq},
          std::pair{tag('C', 'R'), &key.qInverse}}) {
        const auto it = c->find(t);
        if (it == c->end() || significantBytes(it->second) == 0)
            return std::nullopt;
        *field = it->second;
    }
    return key;
}

QByteArray publicKeyAttribute(const QByteArray& publicBlob)
{
    return QByteArray(kAttributePrefix, '\0') + publicBlob;
}

std::optional<QByteArray> publicBlobOfAttribute(const QByteArray& attribute)
{
    WireReader in(attribute);
    in.seek(10);
    const qsizetype at = qsizetype(in.u16le()) + kAttributePrefix;
    if (!in.ok() || at > attribute.size())
        return std::nullopt;
    return attribute.mid(at);
}

} // namespace ncp
