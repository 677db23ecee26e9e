// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The client's directory-services requests of a login (NCP 104/2): the
// parameters of each verb and the reading of its reply data. Entry IDs go
// as the four bytes the server gave (big-endian here); names are UTF-16LE
// with a terminator, lengths 32-bit little-endian, each field padded to 4.
//   3  read an attribute's values ("Public Key", "Login Grace Remaining")
//   53 the server's own distinguished name
//   57 begin login: the object's pseudo ID and a 4-byte seed
//   58 finish login: the password proof; the logindata and the private key
//   59 begin authentication: an authentication ID and the server's proof
//   60 finish authentication: the signing key, the identity and its proof

#include "ncp/ds_fields.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace ncp {

QByteArray beginLoginParameters(std::uint32_t entryId);
struct BeginLoginReply
{
    std::uint32_t pseudoId = 0;
    QByteArray seed;
};
std::optional<BeginLoginReply> decodeBeginLogin(const QByteArray& data);

QByteArray finishLoginParameters(std::uint32_t entryId, const QByteArray& payload);
struct FinishLoginReply
{
    QByteArray loginData;
    QByteArray keyBlock;
};
std::optional<FinishLoginReply> decodeFinishLogin(const QByteArray& data);

QByteArray beginAuthenticationParameters(std::uint32_t entryId, const QByteArray& seed);
struct BeginAuthenticationReply
{
    QByteArray authId;
    QByteArray proof;
};
std::optional<BeginAuthenticationReply> decodeBeginAuthentication(const QByteArray& data);

// signKey: the signing key sealed for the server, or empty when not signing.
QByteArray finishAuthenticationParameters(const QByteArray& signKey, const QByteArray& identity,
                                          const QByteArray& proof);

// The server's name, typed and dotted ("CN=FS1.O=ACME").
QByteArray serverNameParameters();
std::optional<QString> decodeServerName(const QByteArray& data);

QByteArray readAttributeParameters(std::uint32_t entryId, const QString& attribute);
// The first value of that attribute in a read's reply; nullopt when absent
// or malformed.
std::optional<QByteArray> decodeAttributeValue(const QByteArray& data, const QString& attribute);

// Read entry information (verb 2) for the entry's typed distinguished name,
// and the name as it travels (UTF-16LE with its terminator).
QByteArray entryDnParameters(std::uint32_t entryId);
std::optional<QByteArray> decodeEntryDnRaw(const QByteArray& data);

} // namespace ncp
