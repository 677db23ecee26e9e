// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal_password_source.h"

#include "platform/password_file.h"
#include "platform/terminal_prompt.h"

#include <QTextStream>

namespace quorvex::who {

TerminalPasswordSource::~TerminalPasswordSource()
{
    for (QString& p : typed_)
        p.fill(QChar());
}

QString TerminalPasswordSource::keyOf(const QString& server, const QString& user)
{
    return server.toUpper() + QLatin1Char('\n') + user.toUpper();
}

std::optional<QString> TerminalPasswordSource::password(const QString& server, const QString& user,
                                                        const QString& passwordFile)
{
    if (!passwordFile.isEmpty()) {
        const PasswordFile file = PasswordFile::read(passwordFile);
        if (!file.ok()) {
            refusals_.insert(server.toUpper(), file.refusal());
            return std::nullopt;
        }
        return file.passwordText();
    }
    const QString key = keyOf(server, user);
    if (const auto it = typed_.constFind(key); it != typed_.constEnd())
        return *it;
    const auto typed =
        askTerminalSilently(QStringLiteral("Password for %1 on %2: ").arg(user, server));
    // Without a terminal (a script, cron) the empty password is tried: the
    // server says whether that is good enough.
    QByteArray bytes = typed.value_or(QByteArray());
    const QString password = QString::fromLocal8Bit(bytes);
    bytes.fill('\0');
    typed_.insert(key, password);
    return password;
}

void TerminalPasswordSource::notice(const QString&, const QString&, const QString& text)
{
    QTextStream(stderr) << "quorvex-who: " << text << '\n';
}

void TerminalPasswordSource::refused(const QString& server, const QString& user,
                                     ncp::LoginRefusal why, std::uint8_t completion)
{
    (void)why;
    (void)completion;
    const auto it = typed_.find(keyOf(server, user));
    if (it == typed_.end())
        return;
    it->fill(QChar());
    typed_.erase(it);
}

} // namespace quorvex::who
