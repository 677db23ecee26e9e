#pragma once

// Where the NCP client gets the password of a login: a prompt, a file, a test.

#include <QByteArray>
#include <QString>

#include <optional>

namespace ncp {

class PasswordSource
{
public:
    virtual ~PasswordSource() = default;
    // nullopt: no password to be had (cancelled, file unreadable or refused).
    virtual std::optional<QByteArray> password(const QString& server, const QString& user,
                                               const QString& passwordFile) = 0;
    // The server refused the password last given for this server and user.
    virtual void refused(const QString& server, const QString& user) = 0;
};

} // namespace ncp
