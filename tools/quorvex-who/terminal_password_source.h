// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The passwords of NCP logins for a console program: from the password file
// the server's entry names (the same checks as the window makes: a private
// regular file of one's own), otherwise asked on the terminal with echo off
// when standard input is one, otherwise the empty password. Kept in memory
// only, for this run.

#include "ncp/password_source.h"

#include <QHash>
#include <QString>

namespace quorvex::who {

class TerminalPasswordSource : public ncp::PasswordSource
{
public:
    TerminalPasswordSource() = default;
    ~TerminalPasswordSource() override;
    TerminalPasswordSource(const TerminalPasswordSource&) = delete;
    TerminalPasswordSource& operator=(const TerminalPasswordSource&) = delete;

    std::optional<QString> password(const QString& server, const QString& user,
                                    const QString& passwordFile) override;
    void refused(const QString& server, const QString& user, ncp::LoginRefusal why,
                 std::uint8_t completion) override;
    // What the login did besides (a fall back to the bindery, a bad reply
    // signature): one line on standard error.
    void notice(const QString& server, const QString& user, const QString& text) override;

    // Why the password file of a server was refused ("" when it was not).
    QString refusal(const QString& server) const { return refusals_.value(server.toUpper()); }

private:
    static QString keyOf(const QString& server, const QString& user);
    QHash<QString, QString> typed_;
    QHash<QString, QString> refusals_;
};

} // namespace quorvex::who
