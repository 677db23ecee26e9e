#pragma once

// Setting up a session after the connection is created: the server's version
// (23/17, allowed before login), then the keyed bindery login 23/23 (login
// key), 23/53 (the user's object ID), 23/24 (the key encrypted with the
// password).

#include "ncp/bindery_requests.h"

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
};

// The server's version when the session is ready; nullopt when it is not (the
// session has then been ended, error says why). The source hears how the
// login went: refused, and why, or accepted on a grace login (0xDF: the
// password has expired; the session goes on).
std::optional<ServerVersion> setUpSession(NcpSession& session, const LoginTarget& target,
                                          PasswordSource* passwords, QString* error);

} // namespace ncp
