#include "prompted_password_source.h"

#include "platform/password_file.h"
#include "platform/prompts.h"

#include <QHash>

namespace quorvex {

namespace {

class PromptedPasswordSource : public ncp::PasswordSource
{
public:
    explicit PromptedPasswordSource(Prompts& prompts) : m_prompts(prompts) {}
    ~PromptedPasswordSource() override
    {
        for (Entry& e : m_entries)
            wipe(e);
    }
    PromptedPasswordSource(const PromptedPasswordSource&) = delete;
    PromptedPasswordSource& operator=(const PromptedPasswordSource&) = delete;

    std::optional<QByteArray> password(const QString& server, const QString& user,
                                       const QString& passwordFile) override
    {
        Entry& entry = m_entries[keyOf(server, user)];
        if (!passwordFile.isEmpty())
            return fromFile(entry, passwordFile);
        // A cancelled box stands for the run too: a scan repeats every few
        // seconds and would otherwise raise the box again each time.
        if (entry.asked)
            return entry.password;
        entry.asked = true;
        std::optional<QString> typed = m_prompts.passwordBox(
            QStringLiteral("Password for %1 on %2:").arg(user, server), QStringLiteral("Quorvex"));
        if (typed) {
            entry.password = typed->toUtf8();
            typed->fill(QChar());
        }
        return entry.password;
    }

    void refused(const QString& server, const QString& user) override
    {
        const auto it = m_entries.find(keyOf(server, user));
        if (it == m_entries.end())
            return;
        wipe(*it);
        m_entries.erase(it);
    }

private:
    struct Entry
    {
        bool asked = false;
        std::optional<QByteArray> password;
        QString lastRefusal; // of the password file, reported once
    };

    // NetWare server and user names do not depend on case.
    static QString keyOf(const QString& server, const QString& user)
    {
        return server.toUpper() + QLatin1Char('\n') + user.toUpper();
    }

    static void wipe(Entry& entry)
    {
        if (entry.password)
            entry.password->fill('\0');
        entry.password.reset();
    }

    // Read on every login so a file put right is picked up without a restart;
    // the same refusal is reported once, not at every scan.
    std::optional<QByteArray> fromFile(Entry& entry, const QString& path)
    {
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
        return file.password();
    }

    Prompts& m_prompts;
    QHash<QString, Entry> m_entries;
};

} // namespace

std::unique_ptr<ncp::PasswordSource> makePasswordSource(Prompts& prompts)
{
    return std::make_unique<PromptedPasswordSource>(prompts);
}

} // namespace quorvex
