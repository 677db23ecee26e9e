// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Setting up a session after the connection is created: the server's version
// (23/17, allowed before login), then the login. A name with a context
// ("ADMIN.ACME", ".CN=ADMIN.O=ACME"), or any name on a server of version 4 or
// later, logs in to the directory (ncpauth/ds_login.h); a plain name on a
// version 3 server, or an entry that says ";bindery", logs in to the bindery
// with the keyed login: 23/23 (login key), 23/53 (the user's object ID),
// 23/24 (the key encrypted with the password). A directory login that finds
// no directory on the server, or (for a plain name) no such object or no
// key pair, falls back to the bindery login once and says so. When the
// server wants signed packets, the login starts them.

#include "ncp/bindery_requests.h"
#include "ncpauth/packet_signature.h"

#include <QString>

#include <optional>

namespace ncp {

class NcpSession;
class PasswordSource;

struct LoginTarget
{
    QString server; // the name the settings give it, for the password source
    QString user;   // empty: no login
    QString passwordFile;
    bool binderyOnly = false; // the entry says ";bindery"
};

// The server's version when the session is ready; nullopt when it is not (the
// session has then been ended, error says why). The source hears how the
// login went: refused, and why, accepted on a grace login (0xDF: the password
// has expired; the session goes on), or what the login had to do instead.
std::optional<ServerVersion> setUpSession(NcpSession& session, const LoginTarget& target,
                                          PasswordSource* passwords, QString* error);

// The keyed bindery login alone, once the password is known. name and secret
// are upper-cased in the servers' encoding; the caller clears the secret.
struct BinderyLogin
{
    enum class Kind
    {
        LoggedIn, // grace: on a grace login
        Refused,  // completion says why
        Failed,   // the session has been ended; error says why
    };
    Kind kind = Kind::Failed;
    bool grace = false;
    int graceLeft = -1;
    std::uint8_t completion = 0;
    QString error;
};
BinderyLogin binderyLogin(NcpSession& session, const QByteArray& name, const QByteArray& secret);

} // namespace ncp
