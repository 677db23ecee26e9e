// SPDX-License-Identifier: GPL-3.0-or-later
#include "loopback_round_trip.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

namespace {

void noDelay(int fd)
{
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

bool readSome(int fd, char* buffer, std::size_t size)
{
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 10000) == 1 && read(fd, buffer, size) > 0;
}

} // namespace

double loopbackRoundTripMicros(int roundTrips)
{
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener < 0 ||
        bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, 1) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return -1;
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        const int peer = accept(listener, nullptr, nullptr);
        noDelay(peer);
        char buffer[64];
        for (;;) {
            pollfd p{peer, POLLIN, 0};
            poll(&p, 1, -1);
            const ssize_t n = read(peer, buffer, sizeof buffer);
            if (n <= 0 || write(peer, buffer, std::size_t(n)) != n)
                _exit(0);
        }
    }
    close(listener);
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    double micros = -1;
    if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        noDelay(fd);
        char buffer[64] = {};
        const auto start = std::chrono::steady_clock::now();
        int done = 0;
        // A request of the size of a typical one, answered by its echo.
        for (; done < roundTrips; ++done)
            if (write(fd, buffer, 31) != 31 || !readSome(fd, buffer, sizeof buffer))
                break;
        const std::chrono::duration<double, std::micro> spent =
            std::chrono::steady_clock::now() - start;
        if (done == roundTrips)
            micros = spent.count() / roundTrips;
    }
    if (fd >= 0)
        close(fd);
    waitpid(child, nullptr, 0);
    return micros;
}

double bestLoopbackRoundTripMicros()
{
    double best = -1;
    for (int i = 0; i < 3; ++i) {
        const double micros = loopbackRoundTripMicros(20000);
        if (micros > 0 && (best < 0 || micros < best))
            best = micros;
    }
    return best;
}
