// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/tcp_stream.h"

#include "platform/termination_signals.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ncp {
namespace {

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

int pollMillis(const QDeadlineTimer& deadline)
{
    if (deadline.isForever())
        return -1;
    const qint64 left = deadline.remainingTime();
    return left <= 0 ? 0 : int(std::min<qint64>(left, 1 << 30));
}

} // namespace

TcpStream::~TcpStream()
{
    close();
}

void TcpStream::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool TcpStream::fail(const QString& why)
{
    error_ = why;
    return false;
}

TcpStream::Ready TcpStream::waitFor(short events, QDeadlineTimer deadline)
{
    // A termination signal ends the wait: the program is to end within moments,
    // not when a server that keeps answering "still working" is done.
    const int wake = quorvex::TerminationSignals::wakeDescriptor();
    for (;;) {
        if (quorvex::TerminationSignals::requested()) {
            error_ = QStringLiteral("interrupted by a termination signal");
            return Ready::Failed;
        }
        pollfd p[2] = {{fd_, events, 0}, {wake, POLLIN, 0}};
        const int n = ::poll(p, wake < 0 ? 1 : 2, pollMillis(deadline));
        if (n > 0 && p[0].revents != 0)
            return Ready::Yes; // errors and hang-ups show in the read or write that follows
        if (n > 0)
            continue; // the signal's wake-up: looked at above
        if (n == 0)
            return Ready::TimedOut;
        if (errno != EINTR) {
            error_ = systemError(errno);
            return Ready::Failed;
        }
    }
}

bool TcpStream::connect(const QString& host, std::uint16_t port, QDeadlineTimer deadline)
{
    close();
    error_.clear();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const QByteArray service = QByteArray::number(port);
    const int lookup =
        ::getaddrinfo(host.toUtf8().constData(), service.constData(), &hints, &found);
    if (lookup != 0)
        return fail(QString::fromLocal8Bit(::gai_strerror(lookup)));

    for (addrinfo* a = found; a != nullptr && fd_ < 0; a = a->ai_next) {
        fd_ = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
        if (fd_ < 0) {
            error_ = systemError(errno);
            continue;
        }
        int result = ::connect(fd_, a->ai_addr, a->ai_addrlen);
        if (result != 0 && errno == EINPROGRESS) {
            const Ready ready = waitFor(POLLOUT, deadline);
            int code = 0;
            socklen_t size = sizeof code;
            if (ready == Ready::TimedOut)
                code = ETIMEDOUT;
            else if (ready == Ready::Failed ||
                     ::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &code, &size) != 0)
                code = errno;
            result = code == 0 ? 0 : -1;
            errno = code;
        }
        if (result != 0) {
            error_ = systemError(errno);
            close();
        }
    }
    ::freeaddrinfo(found);
    if (fd_ < 0)
        return false;
    const int on = 1;
    ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return true;
}

bool TcpStream::sendAll(const QByteArray& bytes, QDeadlineTimer deadline)
{
    if (fd_ < 0)
        return fail(QStringLiteral("not connected"));
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n =
            ::send(fd_, bytes.constData() + sent, std::size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n >= 0) {
            sent += n;
            continue;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            return fail(systemError(errno));
        const Ready ready = waitFor(POLLOUT, deadline);
        if (ready == Ready::TimedOut)
            return fail(QStringLiteral("timed out"));
        if (ready == Ready::Failed)
            return false;
    }
    return true;
}

TcpStream::Received TcpStream::receive(QByteArray& into, QDeadlineTimer deadline)
{
    if (fd_ < 0) {
        error_ = QStringLiteral("not connected");
        return Received::Failed;
    }
    char buffer[8192];
    for (;;) {
        // In a strict exchange the answer is never there yet: wait first.
        const Ready ready = waitFor(POLLIN, deadline);
        if (ready == Ready::TimedOut)
            return Received::TimedOut;
        if (ready == Ready::Failed)
            return Received::Failed;
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
        if (n > 0) {
            into.append(buffer, qsizetype(n));
            return Received::Data;
        }
        if (n == 0)
            return Received::Closed;
        const int code = errno;
        if (code == EINTR || code == EAGAIN || code == EWOULDBLOCK)
            continue;
        error_ = systemError(code);
        return code == ECONNRESET ? Received::Closed : Received::Failed;
    }
}

} // namespace ncp
