// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/terminal_prompt.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace quorvex {

std::optional<QByteArray> askTerminalSilently(const QString& prompt)
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

} // namespace quorvex
