// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The directory-services login of a session, as the platform's clients make
// it: resolve the user's name, read the keys, begin and finish the login
// (proving the password, receiving the private key), then begin and finish
// authentication on the connection (the server proves its key, the client
// proves it holds the user's and hands over the signing key). On success
// the session signs its packets from here on when the server wants it.

#include "ncpauth/packet_signature.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace ncp {

class NcpSession;
class RandomSource;

struct DsLoginResult
{
    enum class Kind
    {
        LoggedIn,    // grace tells whether on a grace login
        NoDirectory, // the server has no directory services: the bindery may do
        NotFound,    // no such object (for a name without a context: not in the server's)
        NoKeys,      // the object has no key pair in the directory
        Refused,     // the server refused the login: refusal below
        Failed,      // anything else; the session has been ended
    };
    Kind kind = Kind::Failed;
    bool grace = false;
    int graceLeft = -1;              // on a grace login, when the server says
    std::int32_t directoryError = 0; // of a refusal
    QString error;
};

// name: a typeless distinguished name ("ADMIN.ACME", ".CN=ADMIN.O=ACME"), or a
// plain name looked up at the root and then in the server's own context.
// password: upper-cased, in the servers' single-byte encoding; the caller
// clears it. The result's error says what went wrong in a few words.
DsLoginResult directoryLogin(NcpSession& session, const QString& name, const QByteArray& password,
                             RandomSource& random);

// True for a name that carries a context: a dot outside its leading one, or
// a typed component ("CN=ADMIN").
bool hasContext(const QString& name);
// The leaf's bare name ("ADMIN" of ".CN=ADMIN.O=ACME").
QString leafName(const QString& name);

} // namespace ncp
