// SPDX-License-Identifier: GPL-3.0-or-later
#include "prompted_password_source.h"

#include "platform/attempt_origin.h"
#include "platform/password_file.h"
#include "platform/prompts.h"

#include <QHash>
#include <QSet>

namespace quorvex {

namespace {

QString refusalText(ncp::LoginRefusal why, std::uint8_t completion, const QString& server,
                    const QString& user)
{
    switch (why) {
    case ncp::LoginRefusal::Password:
        return QStringLiteral("The server %1 refused the password of %2.").arg(server, user);
    case ncp::LoginRefusal::Locked:
        return QStringLiteral("The account %1 on %2 is locked by intruder detection; ask the "
                              "server's administrator to unlock it.")
            .arg(user, server);
    case ncp::LoginRefusal::Expired:
        return QStringLiteral("The password of %1 on %2 has expired and no grace logins are "
                              "left; ask the server's administrator for a new one.")
            .arg(user, server);
    case ncp::LoginRefusal::Disabled:
        return QStringLiteral("The account %1 on %2 is disabled.").arg(user, server);
    case ncp::LoginRefusal::Unencodable:
        return QStringLiteral("The name or password of %1 for %2 has a character the server "
                              "cannot receive (Latin-1 only); nothing was sent.")
            .arg(user, server);
    case ncp::LoginRefusal::Other:
        break;
    }
    return QStringLiteral("The server %1 refused the login of %2 (code 0x%3).")
        .arg(server, user)
        .arg(completion, 2, 16, QLatin1Char('0'));
}

class PromptedPasswordSource : public LoginPasswords
{
public:
    PromptedPasswordSource(Prompts& prompts, const AttemptOrigin* origin)
        : m_prompts(prompts), m_origin(origin)
    {
    }
    ~PromptedPasswordSource() override
    {
        for (Entry& e : m_entries)
            wipe(e);
    }
    PromptedPasswordSource(const PromptedPasswordSource&) = delete;
    PromptedPasswordSource& operator=(const PromptedPasswordSource&) = delete;

    void setNoticeSink(std::function<void(const QString&)> sink) override
    {
        m_sink = std::move(sink);
    }

    std::optional<QString> password(const QString& server, const QString& user,
                                    const QString& passwordFile) override
    {
        Entry& entry = m_entries[keyOf(server, user)];
        entry.file = passwordFile;
        if (!passwordFile.isEmpty())
            return fromFile(entry, passwordFile);
        // A cancelled box stands for the run too: a scan repeats every few
        // seconds and would otherwise raise the box again each time.
        if (entry.asked)
            return entry.password;
        // After a refusal only a person's own action asks again.
        if (entry.refused && m_origin && m_origin->automatic())
            return std::nullopt;
        entry.asked = true;
        entry.refused = false;
        std::optional<QString> typed = m_prompts.passwordBox(
            QStringLiteral("Password for %1 on %2:").arg(user, server), QStringLiteral("Quorvex"));
        if (typed) {
            entry.password = *typed;
            typed->fill(QChar());
        }
        return entry.password;
    }

    void refused(const QString& server, const QString& user, ncp::LoginRefusal why,
                 std::uint8_t completion) override
    {
        Entry& entry = m_entries[keyOf(server, user)];
        wipe(entry);
        entry.asked = false;
        entry.refused = true;
        // The file's password is not tried again until the file changes.
        if (!entry.file.isEmpty())
            entry.refusedFile = PasswordFile::modified(entry.file).value_or(-1);
        tell(refusalText(why, completion, server, user));
    }

    void graceLogin(const QString& server, const QString& user, int loginsLeft) override
    {
        Entry& entry = m_entries[keyOf(server, user)];
        if (entry.toldGrace)
            return;
        entry.toldGrace = true;
        QString text = QStringLiteral("Password for %1 on %2 has expired").arg(user, server);
        if (loginsLeft >= 0)
            text += QStringLiteral(": %1 grace logins left").arg(loginsLeft);
        tell(text);
    }

    void notice(const QString& server, const QString& user, const QString& text) override
    {
        // Each such news once a run: a session set up again says it again.
        Entry& entry = m_entries[keyOf(server, user)];
        if (entry.notices.contains(text))
            return;
        entry.notices.insert(text);
        tell(text);
    }

private:
    struct Entry
    {
        QString file;
        bool asked = false;
        bool refused = false; // the server refused the password last given
        std::optional<QString> password;
        // The password file's modification time when its password was refused.
        std::optional<std::int64_t> refusedFile;
        QString lastRefusal; // of the password file, reported once
        bool toldGrace = false;
        QSet<QString> notices;
    };

    // NetWare server and user names do not depend on case.
    static QString keyOf(const QString& server, const QString& user)
    {
        return server.toUpper() + QLatin1Char('\n') + user.toUpper();
    }

    static void wipe(Entry& entry)
    {
        if (entry.password)
            entry.password->fill(QChar());
        entry.password.reset();
    }

    void tell(const QString& text)
    {
        if (m_sink)
            m_sink(text);
        else
            m_prompts.messageBox(text, QStringLiteral("Quorvex"), MsgIcon::Exclamation,
                                 MsgButtons::Ok, Answer::Ok);
    }

    // Read on every login so a file put right is picked up without a restart;
    // the same refusal is reported once, not at every scan. A password the
    // server refused is not read again while the file stays as it was.
    std::optional<QString> fromFile(Entry& entry, const QString& path)
    {
        if (entry.refusedFile) {
            if (PasswordFile::modified(path).value_or(-1) == *entry.refusedFile)
                return std::nullopt;
            entry.refusedFile.reset();
        }
        const PasswordFile file = PasswordFile::read(path);
        if (!file.ok()) {
            if (file.refusal() != entry.lastRefusal) {
                entry.lastRefusal = file.refusal();
                m_prompts.messageBox(file.refusal(), QStringLiteral("Quorvex"),
                                     MsgIcon::Exclamation, MsgButtons::Ok, Answer::Ok);
            }
            return std::nullopt;
        }
        entry.lastRefusal.clear();
        return file.passwordText();
    }

    Prompts& m_prompts;
    const AttemptOrigin* m_origin;
    std::function<void(const QString&)> m_sink;
    QHash<QString, Entry> m_entries;
};

} // namespace

std::unique_ptr<LoginPasswords> makePasswordSource(Prompts& prompts, const AttemptOrigin* origin)
{
    return std::make_unique<PromptedPasswordSource>(prompts, origin);
}

} // namespace quorvex
