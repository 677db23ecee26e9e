// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The directory-services verbs of a login, as the server reads their
// parameters and writes their reply data (see ncpauth/ds_login_requests.h
// for the client's side): 3 read an attribute, 53 the server's name, 57 and
// 58 begin and finish login, 59 and 60 begin and finish authentication.
// Entry IDs are the object ID's four bytes, big-endian. The verbs' numbers
// and the fields' forms are the client's, in ncp/ds_fields.h.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace ncpd {

// Attribute syntaxes.
inline constexpr std::uint32_t kSyntaxOctetString = 9;
inline constexpr std::uint32_t kSyntaxCounter = 22;
inline constexpr std::uint32_t kInfoAttributeValues = 1;

struct DsReadRequest
{
    std::uint32_t version = 0;
    std::uint32_t iteration = 0;
    std::uint32_t entryId = 0;
    std::uint32_t infoType = 0;
    bool allAttributes = false;
    std::vector<QString> names;
};
std::optional<DsReadRequest> decodeDsRead(const QByteArray& parameters);

struct DsAttribute
{
    QString name;
    std::uint32_t syntax = 0;
    QByteArray value;
};
QByteArray encodeDsReadData(std::uint32_t infoType, const std::vector<DsAttribute>& attributes);

// Verb 53: the name form asked for.
std::optional<std::uint32_t> decodeServerNameForm(const QByteArray& parameters);
QByteArray encodeServerNameData(const QString& name);

std::optional<std::uint32_t> decodeBeginLogin(const QByteArray& parameters);
QByteArray encodeBeginLoginData(std::uint32_t pseudoId, const QByteArray& seed);

struct FinishLoginRequest
{
    std::uint32_t entryId = 0;
    QByteArray payload;
};
std::optional<FinishLoginRequest> decodeFinishLogin(const QByteArray& parameters);
QByteArray encodeFinishLoginData(const QByteArray& loginData, const QByteArray& keyBlock);

struct BeginAuthenticationRequest
{
    std::uint32_t entryId = 0;
    QByteArray seed;
};
std::optional<BeginAuthenticationRequest> decodeBeginAuthentication(const QByteArray& parameters);
QByteArray encodeBeginAuthenticationData(const QByteArray& authId, const QByteArray& proof);

struct FinishAuthenticationRequest
{
    QByteArray signKey; // empty: the client does not sign
    QByteArray identity;
    QByteArray proof;
};
std::optional<FinishAuthenticationRequest> decodeFinishAuthentication(const QByteArray& parameters);

} // namespace ncpd
