// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/ds_login_requests.h"

#include "ncp/ds_fields.h"
#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

namespace ncpd {
namespace {

constexpr std::uint32_t kNoIteration = 0xFFFFFFFF;
// The server takes a field of up to 16K.
constexpr std::size_t kMaxField = 16 * 1024;

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
        const auto name = ncp::fromUtf16z(ncp::readSized(in, kMaxField));
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
        ncp::writeSized(out, ncp::utf16z(a.name));
        out.u32le(1);
        ncp::writeSized(out, a.value);
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
    ncp::writeSized(out, ncp::utf16z(name));
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
    r.payload = ncp::readSized(in, kMaxField);
    return in.ok() ? std::optional(r) : std::nullopt;
}

QByteArray encodeFinishLoginData(const QByteArray& loginData, const QByteArray& keyBlock)
{
    ncp::WireWriter out;
    out.bytes(loginData);
    ncp::writeSized(out, keyBlock);
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
    ncp::writeSized(out, proof);
    return out.take();
}

std::optional<FinishAuthenticationRequest> decodeFinishAuthentication(const QByteArray& parameters)
{
    ncp::WireReader in(parameters);
    FinishAuthenticationRequest r;
    in.skip(4); // version
    r.signKey = ncp::readSized(in, kMaxField);
    r.identity = ncp::readSized(in, kMaxField);
    r.proof = ncp::readSized(in, kMaxField);
    return in.ok() ? std::optional(r) : std::nullopt;
}

} // namespace ncpd
