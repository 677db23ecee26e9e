#include "terminal_password_source.h"

#include "platform/password_file.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace quorvex::who {

namespace {

// One line from the terminal, without echo; nullopt when there is no terminal
// to ask on.
std::optional<QByteArray> askTerminal(const QString& prompt)
{
    if (!::isatty(STDIN_FILENO))
        return std::nullopt;
    const int tty = ::open("/dev/tty", O_RDWR | O_CLOEXEC);
    if (tty < 0)
        return std::nullopt;
    const QByteArray text = prompt.toLocal8Bit();
    [[maybe_unused]] auto written = ::write(tty, text.constData(), std::size_t(text.size()));
    termios saved{};
    const bool quiet = ::tcgetattr(tty, &saved) == 0;
    if (quiet) {
        termios silent = saved;
        silent.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(tty, TCSAFLUSH, &silent);
    }
    QByteArray line;
    char c = 0;
    while (::read(tty, &c, 1) == 1 && c != '\n')
        line.append(c);
    if (quiet)
        ::tcsetattr(tty, TCSAFLUSH, &saved);
    written = ::write(tty, "\n", 1);
    ::close(tty);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

} // namespace

TerminalPasswordSource::~TerminalPasswordSource()
{
    for (QString& p : typed_)
        p.fill(QChar());
}

QString TerminalPasswordSource::keyOf(const QString& server, const QString& user)
{
    return server.toUpper() + QLatin1Char('\n') + user.toUpper();
}

std::optional<QString> TerminalPasswordSource::password(const QString& server,
                                                        const QString& user,
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
    const auto typed = askTerminal(QStringLiteral("Password for %1 on %2: ").arg(user, server));
    // Without a terminal (a script, cron) the empty password is tried: the
    // server says whether that is good enough.
    QByteArray bytes = typed.value_or(QByteArray());
    const QString password = QString::fromLocal8Bit(bytes);
    bytes.fill('\0');
    typed_.insert(key, password);
    return password;
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
