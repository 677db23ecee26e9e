// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/ds_login_requests.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

namespace ncpd {
namespace {

constexpr std::uint32_t kNoIteration = 0xFFFFFFFF;
constexpr std::size_t kMaxField = 16 * 1024;

// A length, that many bytes, and the padding to 4 (which the last field of
// a message may leave out).
QByteArray readSized(ncp::WireReader& in)
{
    const std::uint32_t length = in.u32le();
    if (!in.ok() || length > kMaxField || length > in.remaining()) {
        in.fail();
        return {};
    }
    QByteArray bytes = in.byteArray(length);
    in.skip(std::min<std::size_t>((4 - length % 4) % 4, in.remaining()));
    return bytes;
}

void writeSized(ncp::WireWriter& out, const QByteArray& bytes)
{
    out.u32le(std::uint32_t(bytes.size())).bytes(bytes);
    while (out.size() % 4)
        out.u8(0);
}

QByteArray utf16z(const QString& text)
{
    QByteArray out;
    for (const QChar c : text)
        out.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    out.append(2, '\0');
    return out;
}

std::optional<QString> fromUtf16z(const QByteArray& bytes)
{
    if (bytes.size() < 2 || bytes.size() % 2 || !bytes.endsWith(QByteArray(2, '\0')))
        return std::nullopt;
    QString text;
    for (qsizetype i = 0; i + 2 < bytes.size(); i += 2) {
        const auto c = char16_t(std::uint8_t(bytes[i]) | std::uint8_t(bytes[i + 1]) << 8);
        if (c == 0)
            return std::nullopt;
        text.append(QChar(c));
    }
    return text;
}

} // namespace

std::optional<DsReadRequest> decodeDsRead(const QByteArray& parameters)
{
    ncp::WireReader in(parameters);
    DsReadRequest r;
    r.version = in.u32le();
    in.skip(4); // name style of the reply
    r.iteration = in.u32le();
    r.entryId = in.u32be();
    r.infoType = in.u32le();
    r.allAttributes = in.u32le() != 0;
    if (!in.ok() || r.version > 2)
        return std::nullopt;
    const std::uint32_t count = in.u32le();
    if (!in.ok() || count > 64)
        return std::nullopt;
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto name = fromUtf16z(readSized(in));
        if (!in.ok() || !name)
            return std::nullopt;
        r.names.push_back(*name);
    }
    // Version 2 ends with a time stamp, which changes nothing here.
    return r;
}

QByteArray encodeDsReadData(std::uint32_t infoType, const std::vector<DsAttribute>& attributes)
{
    ncp::WireWriter out;
    out.u32le(kNoIteration).u32le(infoType).u32le(std::uint32_t(attributes.size()));
    for (const DsAttribute& a : attributes) {
        out.u32le(a.syntax);
        writeSized(out, utf16z(a.name));
        out.u32le(1);
        writeSized(out, a.value);
    }
    return out.take();
}

std::optional<std::uint32_t> decodeServerNameForm(const QByteArray& parameters)
{
    ncp::WireReader in(parameters);
    in.skip(4); // version
    const std::uint32_t form = in.u32le();
    return in.ok() ? std::optional(form) : std::nullopt;
}

QByteArray encodeServerNameData(const QString& name)
{
    ncp::WireWriter out;
    writeSized(out, utf16z(name));
    out.u32le(0); // no network addresses listed
    return out.take();
}

std::optional<std::uint32_t> decodeBeginLogin(const QByteArray& parameters)
{
    ncp::WireReader in(parameters);
    in.skip(4); // version
    const std::uint32_t id = in.u32be();
    return in.ok() ? std::optional(id) : std::nullopt;
}

QByteArray encodeBeginLoginData(std::uint32_t pseudoId, const QByteArray& seed)
{
    return ncp::WireWriter().u32be(pseudoId).bytes(seed).take();
}

std::optional<FinishLoginRequest> decodeFinishLogin(const QByteArray& parameters)
{
    ncp::WireReader in(parameters);
    FinishLoginRequest r;
    in.skip(8); // version, flags
    r.entryId = in.u32be();
    r.payload = readSized(in);
    return in.ok() ? std::optional(r) : std::nullopt;
}

QByteArray encodeFinishLoginData(const QByteArray& loginData, const QByteArray& keyBlock)
{
    ncp::WireWriter out;
    out.bytes(loginData);
    writeSized(out, keyBlock);
    return out.take();
}

std::optional<BeginAuthenticationRequest> decodeBeginAuthentication(const QByteArray& parameters)
{
    ncp::WireReader in(parameters);
    BeginAuthenticationRequest r;
    in.skip(4); // version
    r.entryId = in.u32be();
    r.seed = in.byteArray(4);
    return in.ok() ? std::optional(r) : std::nullopt;
}

QByteArray encodeBeginAuthenticationData(const QByteArray& authId, const QByteArray& proof)
{
    ncp::WireWriter out;
    out.bytes(authId);
    writeSized(out, proof);
    return out.take();
}

std::optional<FinishAuthenticationRequest> decodeFinishAuthentication(const QByteArray& parameters)
{
    ncp::WireReader in(parameters);
    FinishAuthenticationRequest r;
    in.skip(4); // version
    r.signKey = readSized(in);
    r.identity = readSized(in);
    r.proof = readSized(in);
    return in.ok() ? std::optional(r) : std::nullopt;
}

} // namespace ncpd
