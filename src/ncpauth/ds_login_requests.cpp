// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpauth/ds_login_requests.h"

#include "ncp/ds_fields.h"
#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

namespace ncp {
namespace {

constexpr std::uint32_t kNoIteration = 0xFFFFFFFF;
constexpr std::uint32_t kInfoAttributeValues = 1;
constexpr std::uint32_t kDnInfo = 0x2000;

// The client takes a field of up to 64K.
constexpr std::size_t kMaxField = 64 * 1024;

} // namespace

QByteArray beginLoginParameters(std::uint32_t entryId)
{
    return WireWriter().u32le(0).u32be(entryId).take();
}

std::optional<BeginLoginReply> decodeBeginLogin(const QByteArray& data)
{
    WireReader in(data);
    BeginLoginReply r;
    r.pseudoId = in.u32be();
    r.seed = in.byteArray(4);
    return in.ok() ? std::optional(r) : std::nullopt;
}

QByteArray finishLoginParameters(std::uint32_t entryId, const QByteArray& payload)
{
    WireWriter w;
    w.u32le(2).u32le(0).u32be(entryId);
    writeSized(w, payload);
    return w.take();
}

std::optional<FinishLoginReply> decodeFinishLogin(const QByteArray& data)
{
    WireReader in(data);
    FinishLoginReply r;
    r.loginData = in.byteArray(8);
    r.keyBlock = readSized(in, kMaxField);
    return in.ok() ? std::optional(r) : std::nullopt;
}

QByteArray beginAuthenticationParameters(std::uint32_t entryId, const QByteArray& seed)
{
    return WireWriter().u32le(0).u32be(entryId).bytes(seed).take();
}

std::optional<BeginAuthenticationReply> decodeBeginAuthentication(const QByteArray& data)
{
    WireReader in(data);
    BeginAuthenticationReply r;
    r.authId = in.byteArray(4);
    r.proof = readSized(in, kMaxField);
    return in.ok() ? std::optional(r) : std::nullopt;
}

QByteArray finishAuthenticationParameters(const QByteArray& signKey, const QByteArray& identity,
                                          const QByteArray& proof)
{
    WireWriter w;
    w.u32le(0);
    writeSized(w, signKey);
    writeSized(w, identity);
    writeSized(w, proof);
    return w.take();
}

QByteArray serverNameParameters()
{
    return WireWriter().u32le(0).u32le(0).take();
}

std::optional<QString> decodeServerName(const QByteArray& data)
{
    WireReader in(data);
    const auto text = fromUtf16z(readSized(in, kMaxField));
    if (!in.ok() || !text)
        return std::nullopt;
    return text;
}

QByteArray readAttributeParameters(std::uint32_t entryId, const QString& attribute)
{
    WireWriter w;
    // Version 1, typeless names, from the start, values of the names listed.
    w.u32le(1).u32le(1).u32le(kNoIteration).u32be(entryId).u32le(kInfoAttributeValues).u32le(0);
    w.u32le(1);
    writeSized(w, utf16z(attribute));
    return w.take();
}

std::optional<QByteArray> decodeAttributeValue(const QByteArray& data, const QString& attribute)
{
    WireReader in(data);
    in.skip(4); // iteration handle
    const std::uint32_t info = in.u32le();
    const std::uint32_t count = in.u32le();
    if (!in.ok() || info != kInfoAttributeValues || count > 256)
        return std::nullopt;
    for (std::uint32_t a = 0; a < count; ++a) {
        in.skip(4); // syntax
        const auto name = fromUtf16z(readSized(in, kMaxField));
        const std::uint32_t values = in.u32le();
        if (!in.ok() || !name || values > 4096)
            return std::nullopt;
        std::optional<QByteArray> first;
        for (std::uint32_t v = 0; v < values; ++v) {
            QByteArray value = readSized(in, kMaxField);
            if (!first)
                first = value;
        }
        if (!in.ok())
            return std::nullopt;
        if (first && name->compare(attribute, Qt::CaseInsensitive) == 0)
            return first;
    }
    return std::nullopt;
}

QByteArray entryDnParameters(std::uint32_t entryId)
{
    // Version 2, typed names dotted from the leaf, the distinguished name.
    return WireWriter().u32le(2).u32le(0).u32le(kDnInfo).u32be(entryId).take();
}

std::optional<QByteArray> decodeEntryDnRaw(const QByteArray& data)
{
    WireReader in(data);
    const QByteArray name = readSized(in, kMaxField);
    if (!in.ok() || !fromUtf16z(name))
        return std::nullopt;
    return name;
}

} // namespace ncp
