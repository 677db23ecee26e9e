// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the NCP client gets the password of a login (a prompt, a file, a
// test), and whom it tells how the login went.

#include <QString>

#include <cstdint>
#include <optional>

namespace ncp {

// Why a login did not happen.
enum class LoginRefusal
{
    Password,    // 0xFF: wrong password (a strike for intruder detection)
    Locked,      // 0xC5: locked by intruder detection
    Expired,     // 0xDE: the password has expired and no grace logins are left
    Disabled,    // 0xDC: the account is disabled or has expired
    Other,       // any other completion code
    Unencodable, // the password or the name has a character servers cannot receive
};

class PasswordSource
{
public:
    virtual ~PasswordSource() = default;
    // The password as typed (the login upper-cases and encodes it); nullopt:
    // no password to be had (cancelled, file unreadable, or a refused one that
    // must not be tried again yet).
    virtual std::optional<QString> password(const QString& server, const QString& user,
                                            const QString& passwordFile) = 0;
    // The login made with the password last given did not happen. completion
    // is the server's byte (0 for Unencodable).
    virtual void refused(const QString& server, const QString& user, LoginRefusal why,
                         std::uint8_t completion) = 0;
    // The login succeeded on a grace login: the password has expired.
    // loginsLeft is -1 when the server did not say.
    virtual void graceLogin(const QString& server, const QString& user, int loginsLeft)
    {
        (void)server;
        (void)user;
        (void)loginsLeft;
    }
    // What the login did besides: it fell back to the bindery, or the server
    // sent a reply whose packet signature did not hold. For the person.
    virtual void notice(const QString& server, const QString& user, const QString& text)
    {
        (void)server;
        (void)user;
        (void)text;
    }
};

} // namespace ncp
